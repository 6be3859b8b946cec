#include "support/CeguiFixture.h"

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/script/ScriptModule.h"
#include "ZuGUIElements/shell/FileFolderMgr.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/ListboxImageItem.h"
#include "public/CodePage.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/ScriptModules/Lua/ScriptModule.h>

#include <gmock/gmock.h>
#include <lualib.h>
#include <tolua++.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace
{
using ::testing::HasSubstr;
using ::testing::StartsWith;

// A Lua state with the standard libraries and the module's binding.
class LuaState
{
public:
    LuaState() : m_state(luaL_newstate())
    {
        luaL_openlibs(m_state);
        EXPECT_EQ(1, ZuGUI::OpenScriptModule(m_state));
        lua_settop(m_state, 0);
    }
    ~LuaState() { lua_close(m_state); }
    LuaState(const LuaState&) = delete;
    LuaState& operator=(const LuaState&) = delete;

    lua_State* get() const { return m_state; }

    // Makes `object` the global `name`, typed as the binding knows it.
    void Set(const char* name, void* object, const char* type)
    {
        tolua_pushusertype(m_state, object, type);
        lua_setglobal(m_state, name);
    }

    // Makes `text` the global string `name`.
    void SetText(const char* name, const std::string& text)
    {
        lua_pushlstring(m_state, text.data(), text.size());
        lua_setglobal(m_state, name);
    }

    // Runs `code`; returns "" or the error message.
    std::string Run(const std::string& code)
    {
        if (luaL_dostring(m_state, code.c_str()) == 0)
            return "";
        std::string message = lua_tostring(m_state, -1);
        lua_pop(m_state, 1);
        return message;
    }

    // Runs `code`, which returns one value, and gives that value as text.
    std::string Eval(const std::string& code)
    {
        const std::string error = Run("result = tostring(" + code + ")");
        if (!error.empty())
            return "error: " + error;
        lua_getglobal(m_state, "result");
        std::string value = lua_tostring(m_state, -1);
        lua_pop(m_state, 1);
        return value;
    }

    template <typename T>
    T* Global(const char* name)
    {
        lua_getglobal(m_state, name);
        auto* object = static_cast<T*>(tolua_tousertype(m_state, -1, nullptr));
        lua_pop(m_state, 1);
        return object;
    }

private:
    lua_State* m_state;
};

class ScriptBindingTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("GameChatBoxTest");
    }
    void TearDown() override
    {
        SetSystemCodePage(nullptr);
        std::filesystem::remove_all(m_folder);
        CeguiTest::TearDown();
    }

    LuaState m_lua;
    // Files that a test makes, removed after it.
    const std::filesystem::path m_folder =
        std::filesystem::temp_directory_path() /
        ("zugui-script-" + std::to_string(getpid()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(ScriptBindingTest, ScriptsReachTheColourTableAndMakeImageItems)
{
    EXPECT_EQ("", m_lua.Run("local colours = ZuGUI.TextParser.CColorPropertyManager:Instance()\n"
                            "colours:RegisterColorByString('teal', 'FF008080', 'FF000000')\n"
                            "colours:SetClickColorByString('FF010203', 'FF040506', 'FF070809')"));
    auto& colours = ZuGUI::TextParser::CColorPropertyManager::Instance();
    EXPECT_EQ(0xFF008080u, colours.GetColor("teal").text);
    EXPECT_EQ(0xFF040506u, colours.GetClickColors().hoverHighlight);

    struct Case
    {
        const char* call;
        unsigned id;
        bool disabled;
        bool autoDelete;
    } cases[] = {{"CEGUI.createListboxImageItem('TaharezLook/GenericBrush')", 0, false, true},
                 {"CEGUI.createListboxImageItem('x', 5, nil, true)", 5, true, true},
                 {"CEGUI.createListboxImageItem('x', 6, nil, false, false)", 6, false, false}};
    for (const Case& entry : cases)
    {
        SCOPED_TRACE(entry.call);
        ASSERT_EQ("", m_lua.Run(std::string("item = ") + entry.call));
        auto* item = m_lua.Global<CEGUI::ListboxImageItem>("item");
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(entry.id, item->getID());
        EXPECT_EQ(nullptr, item->getUserData());
        EXPECT_EQ(entry.disabled, item->isDisabled());
        EXPECT_EQ(entry.autoDelete, item->isAutoDeleted());
        // Lua does not own the item.
        m_lua.Run("item = nil collectgarbage()");
        delete item;
    }
}

// An item's id is an unsigned 32-bit number: a script's number that is none (a double that a
// conversion would wrap or leave undefined) makes no item.
TEST_F(ScriptBindingTest, ImageItemsTakeOnlyIdsThatAreUnsignedNumbers)
{
    const struct
    {
        const char* id;
        const char* made; // the item's id, or "nil"
    } cases[] = {
        {"0", "0"},
        {"-0", "0"},
        {"4294967295", "4294967295"},
        {"'7'", "7"},
        {"-1", "nil"},
        {"4294967296", "nil"},
        {"4294967296 + 5", "nil"},
        {"2^63", "nil"},
        {"2.5", "nil"},
        {"-0.5", "nil"},
        {"1/0", "nil"},
        {"-1/0", "nil"},
        {"0/0", "nil"},
    };
    for (const auto& entry : cases)
    {
        SCOPED_TRACE(entry.id);
        ASSERT_EQ("", m_lua.Run(std::string("item = CEGUI.createListboxImageItem('x', ") +
                                entry.id + ")"));
        auto* item = m_lua.Global<CEGUI::ListboxImageItem>("item");
        EXPECT_EQ(entry.made, item ? std::to_string(item->getID()) : "nil");
        m_lua.Run("item = nil");
        delete item;
    }
}

TEST_F(ScriptBindingTest, ScriptsPushChatAndReadWidgets)
{
    auto& chat = static_cast<ZuGUI::CGameChatBox&>(
        CreateChild("ZuTest/GameChatBox", "Chat", 0, 0, 300, 200));
    chat.SetChatCapacity(4);
    auto& edit = static_cast<ZuGUI::CGameEditBox&>(CreateChild("ZuGame/GameEditBox", "Edit"));
    edit.setText("abc");
    edit.setCaretIndex(3);
    edit.InsertText("d");
    m_lua.Set("chat", &chat, "ZuGUI::CGameChatBox");
    m_lua.Set("edit", &edit, "ZuGUI::CGameEditBox");
    m_lua.Set("icon", &CreateChild("ZuGame/ItemIcon", "Icon"), "ZuGUI::CItemIcon");

    EXPECT_EQ("true",
              m_lua.Eval(reinterpret_cast<const char*>(u8"chat:PushChatText('{N Zoë}: hi')")));
    EXPECT_EQ(CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(u8"{N Zoë}: hi")),
              chat.GetChatWindowByIndex(0)->getText());
    // A sequence cut at the end of the text is replaced, not read past.
    EXPECT_EQ("true", m_lua.Eval("chat:PushChatText('cut \\226\\130')"));
    EXPECT_EQ(CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(u8"cut \uFFFD")),
              chat.GetChatWindowByIndex(1)->getText());
    // Texts far past the code-page buffers arrive whole.
    const std::string longText(30000, 'x');
    EXPECT_EQ("true", m_lua.Eval("chat:PushChatText(string.rep('x', 30000))"));
    EXPECT_EQ(longText, chat.GetChatWindowByIndex(2)->getText().c_str());
    ASSERT_EQ("", m_lua.Run("item = CEGUI.createListboxImageItem(string.rep('x', 30000))"));
    auto* item = m_lua.Global<CEGUI::ListboxImageItem>("item");
    EXPECT_EQ(longText, item->getText().c_str());
    delete item;
    ASSERT_GT(edit.getCaratOffset(), 0.0f);
    EXPECT_FLOAT_EQ(edit.getCaratOffset(), std::stof(m_lua.Eval("edit:getCaratOffset()")));
    EXPECT_EQ("0", m_lua.Eval("icon:GetTargetId()"));

    // The view's document size is Lua's to collect, with the allocator that made it.
    m_lua.Set("view", chat.GetChatWindowByIndex(0), "ZuGUI::CGameMultiLine");
    EXPECT_EQ("", m_lua.Run("for i = 1, 1000 do local size = view:getDocSize() end\n"
                            "collectgarbage()"));
    EXPECT_EQ(
        std::to_string(static_cast<int>(
            static_cast<ZuGUI::CGameMultiLine*>(chat.GetChatWindowByIndex(0))->getDocWidth())),
        m_lua.Eval("math.floor(view:getDocWidth())"));

    // A "copy" button reads the selection as shown, in UTF-8, from the box and from a view.
    chat.setTextSelectable(true);
    EXPECT_EQ("", m_lua.Eval("chat:getSelectedText()"));
    chat.GetSelection().SelectAll();
    const std::string selected =
        reinterpret_cast<const char*>(u8"Zoë: hi\ncut \uFFFD\n") + longText;
    EXPECT_EQ(selected, m_lua.Eval("chat:getSelectedText()"));
    EXPECT_EQ(selected, m_lua.Eval("view:getSelectedText()"));
}

TEST_F(ScriptBindingTest, BadCallsRaiseTheBindingsErrors)
{
    auto& chat = static_cast<ZuGUI::CGameChatBox&>(CreateChild("ZuTest/GameChatBox", "Chat"));
    m_lua.Set("chat", &chat, "ZuGUI::CGameChatBox");
    m_lua.Set("files",
              const_cast<SHELL::FileSet*>(SHELL::FileFolderMgr::Instance().getLastResult()),
              "const SHELL::FileSet");
    const struct
    {
        const char* code;
        const char* error;
    } cases[] = {
        {"chat:PushChatText()", "error in function 'PushChatText'."},
        {"chat:PushChatText('a', 2)", "error in function 'PushChatText'."},
        {"chat:PushChatText({})", "error in function 'PushChatText'."},
        {"chat:PushChatText(nil)", "error in function 'PushChatText'."},
        {"SHELL.FileFolderMgr:Instance():OpenPath(nil)", "error in function 'OpenPath'."},
        {"ZuGUI.CGameChatBox.PushChatText(nil, 'a')", "error in function 'PushChatText'."},
        // The type check comes before the self check.
        {"SHELL.FileSet.getFileNum(nil)", "error in function 'getFileNum'."},
        {"files:getFileAt('x')", "error in function 'getFileAt'."},
        {"CEGUI.createListboxImageItem()", "error in function 'createListboxImageItem'."},
        {"CEGUI.createListboxImageItem('x', 1, nil, false, true, 1)",
         "error in function 'createListboxImageItem'."},
    };
    for (const auto& entry : cases)
        EXPECT_THAT(m_lua.Run(entry.code), HasSubstr(entry.error)) << entry.code;

    // A userdata of the class's type that holds no object fails the self check, which names
    // the member as scripts call it.
    const struct
    {
        const char* type;
        const char* call;
        const char* error;
    } emptySelves[] = {
        {"ZuGUI::CGameChatBox", "empty:PushChatText('a')", "'PushChatText'"},
        {"const SHELL::FileSet", "empty:getFileAt(0)", "'getFileAt'"},
        {"SHELL::FileFolderMgr", "empty:OpenPath('/')", "'OpenPath'"},
    };
    for (const auto& entry : emptySelves)
    {
        void** box = static_cast<void**>(lua_newuserdata(m_lua.get(), sizeof(void*)));
        *box = nullptr;
        luaL_getmetatable(m_lua.get(), entry.type);
        lua_setmetatable(m_lua.get(), -2);
        lua_setglobal(m_lua.get(), "empty");
        EXPECT_THAT(m_lua.Run(entry.call),
                    HasSubstr(std::string("invalid 'self' in function ") + entry.error));
    }
}

TEST_F(ScriptBindingTest, ScriptsBrowseFolders)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zugui-script-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "maps");
    std::ofstream(folder / "notes.txt") << "x";
    m_lua.Run("files = SHELL.FileFolderMgr:Instance()");
    ASSERT_EQ("", m_lua.Run("SHELL.FileFolderMgr:Instance():OpenPath('" + folder.string() +
                            "')\n"
                            "set = SHELL.FileFolderMgr:Instance():getLastResult()"));
    EXPECT_EQ("4", m_lua.Eval("set:getFileNum()"));
    EXPECT_EQ("maps", m_lua.Eval("set:getFileAt(2):getDspNameUtf8()"));
    EXPECT_EQ("true", m_lua.Eval("set:getFileAt(2):isFolder()"));
    EXPECT_EQ((folder / "notes.txt").string(), m_lua.Eval("set:getFileAt(3):getLocationUtf8()"));
    EXPECT_EQ("false", m_lua.Eval("set:getFileAt(3):isFolder()"));
    for (const char* index : {"4", "-1", "2.5", "4294967296 + 2", "1/0", "0/0"})
        EXPECT_EQ("nil", m_lua.Eval(std::string("set:getFileAt(") + index + ")")) << index;
    std::filesystem::remove_all(folder);
}

TEST_F(ScriptBindingTest, KeptEntriesOutliveLaterListings)
{
    std::filesystem::create_directories(m_folder / "small" / "maps");
    std::ofstream(m_folder / "small" / "notes.txt") << "x";
    std::filesystem::create_directories(m_folder / "big");
    for (int i = 0; i < 300; ++i)
        std::ofstream(m_folder / "big" / ("file" + std::to_string(i))) << "x";
    const std::string small = (m_folder / "small").string();
    const std::string big = (m_folder / "big").string();
    m_lua.SetText("small", small);
    m_lua.SetText("big", big);
    ASSERT_EQ("",
              m_lua.Run("local files = SHELL.FileFolderMgr:Instance()\n"
                        "files:OpenPath(small)\n"
                        "kept = files:getLastResult():getFileAt(2)\n"
                        // A script that lists at every frame: Lua collects its entries.
                        "for frame = 1, 50 do\n"
                        "  files:OpenPath(big)\n"
                        "  local set = files:getLastResult()\n"
                        "  for i = 0, set:getFileNum() - 1 do local entry = set:getFileAt(i) end\n"
                        "end"));
    EXPECT_EQ("302", m_lua.Eval("SHELL.FileFolderMgr:Instance():getLastResult():getFileNum()"));
    EXPECT_EQ("maps", m_lua.Eval("kept:getDspNameUtf8()"));
    EXPECT_EQ(small + "/maps", m_lua.Eval("kept:getLocationUtf8()"));
    EXPECT_EQ("true", m_lua.Eval("kept:isFolder()"));
}

// The script keeps the entries of a listing, then opens each folder by its location text.
TEST_F(ScriptBindingTest, ScriptsOpenFoldersByTheLocationsTheyWereGiven)
{
    const struct
    {
        const char* codePage; // null: the C locale's, ASCII
        std::vector<std::string> folders;
        const char* opened;
    } cases[] = {
        {"CP1252", {"caf\xE9"}, "caf\xC3\xA9>inside-0"},
        {"UTF-8", {"caf\xE9", "caf\xE8"}, "caf\xC3\xA8>inside-1;caf\xC3\xA9>inside-0"},
        {nullptr, {"Caf\xC3\xA9"}, "Caf\xC3\xA9>inside-0"},
        {"CP1252", {"caf\xC3\xA9", "caf\xE9"}, "caf\xC3\xA9>inside-0;caf\xC3\xA9>inside-1"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        SCOPED_TRACE("case " + std::to_string(i));
        SetSystemCodePage(cases[i].codePage);
        if (!cases[i].codePage)
        {
            ASSERT_STREQ("ANSI_X3.4-1968", GetSystemCodePage());
        }
        const std::filesystem::path parent = m_folder / ("case" + std::to_string(i));
        for (std::size_t k = 0; k < cases[i].folders.size(); ++k)
        {
            std::filesystem::create_directories(parent / cases[i].folders[k]);
            std::ofstream(parent / cases[i].folders[k] / ("inside-" + std::to_string(k))) << "x";
        }
        m_lua.SetText("parent", parent.string());
        ASSERT_EQ("", m_lua.Run("local files = SHELL.FileFolderMgr:Instance()\n"
                                "files:OpenPath(parent)\n"
                                "local set = files:getLastResult()\n"
                                "local folders = {}\n"
                                "for i = 2, set:getFileNum() - 1 do\n"
                                "  folders[#folders + 1] = set:getFileAt(i)\n"
                                "end\n"
                                "local opened = {}\n"
                                "for _, folder in ipairs(folders) do\n"
                                "  files:OpenPath(folder:getLocationUtf8())\n"
                                "  opened[#opened + 1] = folder:getDspNameUtf8() .. '>' ..\n"
                                "      files:getLastResult():getFileAt(2):getDspNameUtf8()\n"
                                "end\n"
                                "result = table.concat(opened, ';')"));
        EXPECT_EQ(cases[i].opened, m_lua.Eval("result"));
    }
}

// A script may open a folder by its bytes, which are not UTF-8: the entries' texts are UTF-8
// all the same, and open what they name.
TEST_F(ScriptBindingTest, FoldersOpenedByTheirBytesGiveUtf8Texts)
{
    const struct
    {
        const char* codePage; // null: the C locale's, ASCII
        std::string folder;
        std::string shown;
    } cases[] = {
        {"CP1252", "caf\xE9", "caf\xC3\xA9"},
        {nullptr, "caf\xE9", "caf\xC3\xA9"},
        {"UTF-8", "x\xFF", "x\xC3\xBF"},
        {"CP1252", "caf\xE9/d\xE8s", "caf\xC3\xA9/d\xC3\xA8s"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        SCOPED_TRACE("case " + std::to_string(i));
        SetSystemCodePage(cases[i].codePage);
        const std::filesystem::path parent = m_folder / ("case" + std::to_string(i));
        std::filesystem::create_directories(parent / cases[i].folder);
        std::ofstream(parent / cases[i].folder / "inside") << "x";
        m_lua.SetText("folder", (parent / cases[i].folder).string());
        ASSERT_EQ("", m_lua.Run("local files = SHELL.FileFolderMgr:Instance()\n"
                                "files:OpenPath(folder)\n"
                                "local set = files:getLastResult()\n"
                                "here = set:getFileAt(0):getLocationUtf8()\n"
                                "inside = set:getFileAt(2):getLocationUtf8()\n"
                                "files:OpenPath(here)\n"
                                "again = files:getLastResult():getFileAt(2):getDspNameUtf8()"));
        EXPECT_EQ(parent.string() + "/" + cases[i].shown + "/.", m_lua.Eval("here"));
        EXPECT_EQ(parent.string() + "/" + cases[i].shown + "/inside", m_lua.Eval("inside"));
        EXPECT_EQ("inside", m_lua.Eval("again"));
    }
}

// CEGUI's own binding and the module's on one state, opened in either order: a window that a
// script got from CEGUI is cast to the module's class and used with both bindings' members.
TEST_F(ScriptBindingTest, ScriptsCastCeguiWindowsToModuleClasses)
{
    auto& chat = static_cast<ZuGUI::CGameChatBox&>(
        CreateChild("ZuTest/GameChatBox", "Chat", 0, 0, 300, 200));
    chat.SetChatCapacity(3);
    const char* const script =
        "local root = CEGUI.System:getSingleton():getDefaultGUIContext():getRootWindow()\n"
        "local box = tolua.cast(root:getChild('Chat'), 'ZuGUI::CGameChatBox')\n"
        "assert(box:getName() == 'Chat')\n"
        "assert(box:PushChatText('{N Alice}: from the script'))\n"
        "local view = tolua.cast(box:getContentPane():getChildAtIdx(0), 'ZuGUI::CGameMultiLine')\n"
        "view:setText('{N Alice}: set by the script')\n"
        "local size = view:getDocSize()\n"
        "width = size.width\n"
        "item = CEGUI.createListboxImageItem('x', 7)\n"
        "item:setText('y')\n"
        "itemText = item:getText()\n";
    for (const bool moduleFirst : {false, true})
    {
        SCOPED_TRACE(moduleFirst ? "module's binding first" : "CEGUI's binding first");
        lua_State* state = luaL_newstate();
        luaL_openlibs(state);
        if (moduleFirst)
            ZuGUI::OpenScriptModule(state);
        CEGUI::LuaScriptModule& cegui = CEGUI::LuaScriptModule::create(state);
        CEGUI::System::getSingleton().setScriptingModule(&cegui);
        if (!moduleFirst)
            ZuGUI::OpenScriptModule(state);
        const bool ok = luaL_dostring(state, script) == 0;
        EXPECT_TRUE(ok) << (ok ? "" : lua_tostring(state, -1));
        lua_getglobal(state, "width");
        EXPECT_GT(lua_tonumber(state, -1), 10.0);
        lua_getglobal(state, "itemText");
        EXPECT_STREQ("y", lua_tostring(state, -1));
        lua_getglobal(state, "item");
        delete static_cast<CEGUI::ListboxImageItem*>(tolua_tousertype(state, -1, nullptr));
        EXPECT_EQ("{N Alice}: set by the script", chat.GetChatWindowByIndex(0)->getText());
        CEGUI::System::getSingleton().setScriptingModule(nullptr);
        CEGUI::LuaScriptModule::destroy(cegui);
        lua_close(state);
        chat.ClearChats();
    }
}
} // namespace
