-- The sample game's UI script. The demo's client runs it on its Lua state, where CEGUI's own
-- binding and the ZuGUIElements binding are both open, and calls its functions from the scenes.

-- The colour names of the game's chat markup ("{T gold:...}") and the colours of clickable text.
local colours = ZuGUI.TextParser.CColorPropertyManager:Instance()
colours:RegisterColorByString("gold", "FFFFD700", "FF000000")
colours:RegisterColorByString("red", "FFFF5A4A", "FF000000")
colours:RegisterColorByString("grey", "FFA8A8A8", "FF000000")
colours:RegisterColorByString("green", "FF7CE07C", "FF000000")
colours:SetClickColorByString("FF6FC3FF", "B03C78DC", "FFFFF27A")

-- The tavern's evening: lines of chat at their times in seconds since the scene began. Item
-- ids are the game model's: the client colours their names by quality.
local chat_feed = {
    {0.1, "{T grey:[20:01]} {CN [Trade]} {N Alice}: selling {I 1001:[Iron Sword]}, cheap"},
    {0.25, "{T grey:[20:01]} {N Bram}: evening all {E 0}"},
    {0.4, "{T grey:[20:02]} {CN [Guild]} {N Cira}: raid at nine, bring potions"},
    {0.55, "{T grey:[20:02]} {N Dara}: who has a {I 1003:[Wolf Pelt]}? paying well"},
    {0.7, "{T grey:[20:03]} {N Evan}: me, twelve of them {E 1}"},
    {0.85, "{T grey:[20:03]} {Npc npc_tom:Old Tom} says: the wolves have grown bold since the "
           .. "last frost, keep to the road after dark"},
    {1.0, "{T grey:[20:04]} {CN [Trade]} {N Alice}: {I 1002:[Minor Healing Potion]} x5, ten "
          .. "silver each"},
    {1.15, "{T grey:[20:04]} {N Bram}: {T gold:the keep gate is open}"},
    {1.3, "{T grey:[20:05]} {N Cira}: omw"},
    {1.45, "{T grey:[20:05]} {CN [Guild]} {N Dara}: {T red:wolves at the bridge!}"},
    {1.6, "{T grey:[20:06]} {N Evan}: hold the bridge, we are coming {E 2}"},
    {1.75, "{T grey:[20:06]} {N Alice}: need a healer at the bridge before the pack reaches the keep gate"},
    {1.9, "{T grey:[20:07]} {N Bram}: {C /join bridge:join the defence}"},
    {2.05, "{T grey:[20:07]} {CN [Guild]} {N Cira}: pack leader down, loot the "
           .. "{I 1003:[Wolf Pelt]}"},
    {2.2, "{T grey:[20:08]} {N Dara}: well fought {E 0}"},
    {2.35, "{T grey:[20:08]} {N Evan}: back to the keep"},
}
local next_chat_line = 1

-- Pushes the lines that arrived by `seconds` into the chat box; returns them.
function demo_push_chat(window, seconds)
    local box = tolua.cast(window, "ZuGUI::CGameChatBox")
    local pushed = {}
    while next_chat_line <= #chat_feed and chat_feed[next_chat_line][1] <= seconds do
        local line = chat_feed[next_chat_line][2]
        assert(box:PushChatText(line), "the chat box took no line")
        pushed[#pushed + 1] = line
        next_chat_line = next_chat_line + 1
    end
    return pushed
end

-- The entries that the file list shows, kept as an open-file dialog keeps its rows: each
-- entry stays valid after later listings, and its location opens it again.
local listed_files = {}

-- Fills a two-column list with the folder `path` (UTF-8): a picture and a name per entry,
-- folders first, as the folder manager lists them.
function demo_fill_file_list(window, path)
    local list = tolua.cast(window, "CEGUI::MultiColumnList")
    if list:getColumnCount() == 0 then
        list:addColumn("", 0, CEGUI.UDim(0, 26))
        list:addColumn("Name", 1, CEGUI.UDim(1, -50))
    end
    list:resetList()
    local folders = SHELL.FileFolderMgr:Instance()
    folders:OpenPath(path)
    local files = folders:getLastResult()
    listed_files = {}
    for i = 0, files:getFileNum() - 1 do
        local file = files:getFileAt(i)
        listed_files[#listed_files + 1] = file
        local row = list:addRow()
        local picture = file:isFolder() and "ZuLookIcons/Folder" or "ZuLookIcons/File"
        local icon = CEGUI.createListboxImageItem(picture, i)
        icon:setSelectionBrushImage("TaharezLook/GenericBrush")
        list:setItem(icon, 0, row)
        list:setItem(CEGUI.createListboxTextItem(file:getDspNameUtf8(), i), 1, row)
    end
    return {"listed " .. files:getFileNum() .. " entries of " .. path}
end

-- Opens the listed folder shown as `name`, as a double click on its row does: the list then
-- shows that folder, reached through the location its entry gave.
function demo_open_listed_folder(window, name)
    for _, file in ipairs(listed_files) do
        if file:isFolder() and file:getDspNameUtf8() == name then
            local listed = demo_fill_file_list(window, file:getLocationUtf8())
            return {"opened " .. name .. ": " .. listed[1]}
        end
    end
    return {"no folder " .. name .. " is listed"}
end

-- Writes what the module tells scripts about a rich text view and the chat input into `label`.
function demo_show_sizes(view_window, input_window, label)
    local view = tolua.cast(view_window, "ZuGUI::CGameMultiLine")
    local input = tolua.cast(input_window, "ZuGUI::CGameEditBox")
    local size = view:getDocSize()
    local text = string.format("a chat line is %d x %d px, the input's caret at %d px",
                               size.width, size.height, input:getCaratOffset())
    label:setText("script: " .. text)
    return {text}
end
