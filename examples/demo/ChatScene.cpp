#include "demo/ChatScene.h"

#include "client/SampleGameClient.h"
#include "client/SampleScripts.h"

#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "public/MarkupText.h"

#include <CEGUI/CEGUI.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace ZuDemo
{
namespace
{
const char* const kChatBox = "GameFrame/ChatPanel/ChatTabs/All/ChatBox";
const char* const kChatStatus = "GameFrame/ChatPanel/ChatStatus";
const char* const kChatInput = "GameFrame/ChatPanel/ChatInput";
const char* const kLinkedSlot = "GameFrame/TradePanel/Slot0";
const char* const kSplitCount = "GameFrame/TradePanel/SplitCount";
const char* const kFileList = "GameFrame/FilesPanel/FileList";
const char* const kScriptStatus = "GameFrame/FilesPanel/ScriptStatus";
const char* const kCjkChatView = "GameFrame/FilesPanel/CjkChatView";
const char* const kCjkFont = "WenQuanYiMicroHei-11";
const char* const kHistoryBox = "GameFrame/FilesPanel/HistoryBox";
const char* const kHistoryHeading = "GameFrame/FilesPanel/HistoryHeading";
// The world chat's history when the scene starts, and the line it is scrolled back to.
constexpr int kHistoryLines = 10000;
constexpr int kHistoryShownLine = 4321;
// The player's line is sent once the feed has stopped.
constexpr float kSendTime = 2.5f;
// Two messages arrive after it, and at the next frame the player copies them into the chat input
// and sends them. The copy's line is the last push (2.8 s into a hidden run): the three lines that
// expire a second apart after it are gone before the screenshot's frame and none goes at it, and
// they are the oldest, so the copied messages still show, selected, with the copy's line.
constexpr float kCopyTime = 2.65f;
// The reply that the player is typing at the screenshot: Arabic with a number ("Hello! The
// price is 35 gold for the sword").
const char* const kDraft = "سلام! السعر 35 ذهبية للسيف";
const char* const kMessagesToCopy[] = {
    "{T grey:[20:10]} {CN [Trade]} {N Alice}: last {I 1001:[Iron Sword]}, 35 gold",
    "{T grey:[20:10]} {N Bram}: mine! {{hands over 35 gold}}",
};

CEGUI::String Utf8(const std::string& text)
{
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(text.c_str()));
}
// DejaVu has no CJK glyphs: the Chinese chat shows in the sample skin's CJK font, when its
// font package is installed.
void UseCjkFont(CEGUI::Window& view)
{
    CEGUI::FontManager& fonts = CEGUI::FontManager::getSingleton();
    try
    {
        if (!fonts.isDefined(kCjkFont))
            fonts.createFromFile(CEGUI::String(kCjkFont) + ".font", "skin");
        view.setFont(kCjkFont);
        view.setProperty("CmdFont", kCjkFont);
    }
    catch (const CEGUI::Exception& error)
    {
        CEGUI::Logger::getSingleton().logEvent(
            "The Chinese chat keeps the default font: " + error.getMessage(), CEGUI::Errors);
    }
}

// The screen point `dx` document pixels from the left of `view`'s first or last line, at the
// line's middle.
CEGUI::Vector2f LinePoint(const ZuGUI::CGameMultiLine& view, bool lastLine, float dx)
{
    const auto& lines =
        dynamic_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*view.QueryDoc()).GetLines();
    if (lines.empty())
        throw std::logic_error("chat scene: a message to copy has no text");
    const CEGUI::Rectf area = (lastLine ? lines.back() : lines.front())->GetArea();
    return view.DocumentToScreen(CEGUI::Vector2f(dx, area.top() + area.getHeight() / 2));
}

// `text` on one line of the report: a line feed shows as "\n".
std::string OnOneLine(const CEGUI::String& text)
{
    std::string line;
    for (const char c : std::string(text.c_str()))
        line += c == '\n' ? std::string("\\n") : std::string(1, c);
    return line;
}
} // namespace

ChatScene::ChatScene(CEGUI::GUIContext& context) : DemoScene(context, "chat", "DemoChat.layout")
{
    UseCjkFont(Child(kCjkChatView));
    FeedWorldHistory();
    Child(kChatInput)
        .subscribeEvent(CEGUI::Editbox::EventTextAccepted, CEGUI::Event::Subscriber(
                                                               [this](const CEGUI::EventArgs&)
                                                               {
                                                                   OnLineAccepted();
                                                                   return true;
                                                               }));
}

ChatScene::~ChatScene()
{
    if (m_client)
        m_client->SetChatLinkTarget(nullptr);
}

void ChatScene::BeforeFrame(int frame, float seconds, SampleGameClient& client)
{
    if (frame == 1)
    {
        m_client = &client;
        client.SetChatLinkTarget(&Child(kChatInput));
        m_firstHostLine = client.Calls().size();
        FreePointer();
        ListSkinParentFolder();
    }
    if (frame == 2)
        OpenSkinFolder();
    ReportExpiredLines();
    PushArrivedLines(seconds);
    if (frame == 3)
        PlayPlayerTurn();
    if (frame > 3 && !m_sizesShown)
        ShowScriptSizes();
    if (!m_sent && seconds >= kSendTime)
    {
        PushForgedLine();
        Send();
    }
    else if (m_copyPushed && !m_copyPasted)
        CopyMessagesIntoInput();
    else if (m_sent && !m_copyPushed && seconds >= kCopyTime)
        PushMessagesToCopy();
    // Once the copy is sent, the player starts an Arabic reply: it is in the input, unsent, at
    // the screenshot.
    if (m_copyPasted && Child(kChatInput).getText().empty())
        TypeDraft();
    // The copied messages stay selected while older lines expire.
    if (frame == Frames() && m_copyPasted)
        AddToReport("still selected: " + SelectedText());
    ShowStatus();
    // The item links tell the client about their items; the player's line asks for its text.
    ShowHostLogSince(m_firstHostLine, client);
}

void ChatScene::PushArrivedLines(float seconds)
{
    const std::vector<std::string> pushed =
        m_client->Scripts()->Call("demo_push_chat", {&Child(kChatBox), double(seconds)});
    for (const std::string& line : pushed)
        AddToReport("pushed: " + line);
    m_pushed += static_cast<int>(pushed.size());
}

void ChatScene::FeedWorldHistory()
{
    static const char* const kNames[] = {"Alice", "Bram", "Cira", "Dara", "Evan", "Mallory"};
    static const char* const kSayings[] = {"anyone for the wolf den?",
                                           "LF healer, bridge run",
                                           "selling {I 1002:[Minor Healing Potion]}",
                                           "the keep gate is open",
                                           "gg all",
                                           "who has spare pelts?",
                                           "{E 1}",
                                           "raid at nine, be there\nbring potions"};
    auto& box = static_cast<ZuGUI::CGameChatBox&>(Child(kHistoryBox));
    for (int line = 0; line < kHistoryLines; ++line)
    {
        const int minute = line / 10;
        const std::string text = "{T grey:[" + std::to_string(10 + minute / 60 % 10) + ":" +
                                 std::to_string(10 + minute % 50) + "]} {CN [World]} {N " +
                                 kNames[line % 6] + "}: #" + std::to_string(line + 1) + " " +
                                 kSayings[line * 7 % 8];
        box.PushChatText(Utf8(text));
    }
    box.ScrollToMessage(kHistoryShownLine - 1);
    Child(kHistoryHeading)
        .setText("World chat: " + std::to_string(box.GetHistory().Size()) + " lines, back at #" +
                 std::to_string(kHistoryShownLine));
}

void ChatScene::ListSkinParentFolder()
{
    const std::string parent = std::filesystem::path(ZU_SKIN_DIR).parent_path().string();
    ReportScriptResult(
        m_client->Scripts()->Call("demo_fill_file_list", {&Child(kFileList), parent}));
}

void ChatScene::OpenSkinFolder()
{
    const std::string skin = std::filesystem::path(ZU_SKIN_DIR).filename().string();
    ReportScriptResult(
        m_client->Scripts()->Call("demo_open_listed_folder", {&Child(kFileList), skin}));
}

void ChatScene::ShowScriptSizes()
{
    // A window of a real run may come before the first line has arrived.
    auto& box = static_cast<ZuGUI::CGameChatBox&>(Child(kChatBox));
    if (box.GetCurChatSize() == 0)
        return;
    m_sizesShown = true;
    CEGUI::Window* firstLine = box.GetChatWindowByIndex(0);
    ReportScriptResult(m_client->Scripts()->Call(
        "demo_show_sizes", {firstLine, &Child(kChatInput), &Child(kScriptStatus)}));
}

void ChatScene::ReportScriptResult(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        AddToReport("script: " + line);
}

void ChatScene::Type(const CEGUI::String& text)
{
    for (CEGUI::String::size_type i = 0; i < text.length(); ++i)
        Context().injectChar(text[i]);
}

void ChatScene::PlayPlayerTurn()
{
    // Braces that the player types are text: every chat box shows them as typed.
    Child(kChatInput).activate();
    Type("{M /kick Bob:click} selling ");
    Context().injectKeyDown(CEGUI::Key::LeftShift);
    Click(kLinkedSlot, CEGUI::LeftButton);
    Context().injectKeyUp(CEGUI::Key::LeftShift);
    Child(kChatInput).activate();
    Type(" for {40} gold");

    Child(kSplitCount).activate();
    Type("25");
    AddToReport("split count typed 25, shows " + std::string(Child(kSplitCount).getText().c_str()));
    Child(kChatInput).activate();
}

void ChatScene::TypeDraft()
{
    Child(kChatInput).activate();
    Type(Utf8(kDraft));
    AddToReport(std::string("drafted: ") + Child(kChatInput).getText().c_str());
}

void ChatScene::Send()
{
    m_sent = true;
    Child(kChatInput).activate();
    PressKey(CEGUI::Key::Return);
}

void ChatScene::PressKey(CEGUI::Key::Scan key)
{
    Context().injectKeyDown(key);
    Context().injectKeyUp(key);
}

void ChatScene::PressWithControl(CEGUI::Key::Scan key, char letter)
{
    // As a desktop delivers it: the key, and the control character that it types (Ctrl+C types
    // 0x03). The rich text views answer the key, the edit boxes the character.
    Context().injectKeyDown(CEGUI::Key::LeftControl);
    Context().injectKeyDown(key);
    Context().injectChar(static_cast<CEGUI::utf32>(letter - 'A' + 1));
    Context().injectKeyUp(key);
    Context().injectKeyUp(CEGUI::Key::LeftControl);
}

void ChatScene::PushMessagesToCopy()
{
    m_copyPushed = true;
    for (const char* message : kMessagesToCopy)
    {
        Child(kChatBox).setProperty("PushChat", Utf8(message));
        AddToReport(std::string("pushed: ") + message);
        ++m_pushed;
    }
}

void ChatScene::CopyMessagesIntoInput()
{
    m_copyPasted = true;
    // The two newest messages, placed by the frame drawn since they arrived.
    auto& box = static_cast<ZuGUI::CGameChatBox&>(Child(kChatBox));
    const auto shown = box.ShownMessages();
    if (shown.size() < 2)
        throw std::logic_error("chat scene: the messages to copy are not shown");
    const ZuGUI::CGameMultiLine& first = *shown[shown.size() - 2].view;
    const ZuGUI::CGameMultiLine& second = *shown.back().view;

    // From the start of the first message's first line to past the end of the second's last.
    const CEGUI::Vector2f from = LinePoint(first, false, 1.0f);
    const CEGUI::Vector2f to = LinePoint(second, true, second.LayoutWidth() - 1.0f);
    Context().injectMousePosition(from.d_x, from.d_y);
    Context().injectMouseButtonDown(CEGUI::LeftButton);
    Context().injectMousePosition((from.d_x + to.d_x) / 2, (from.d_y + to.d_y) / 2);
    Context().injectMousePosition(to.d_x, to.d_y);
    Context().injectMouseButtonUp(CEGUI::LeftButton);
    AddToReport("selected: " + SelectedText());

    // The pressed message is the active window: Ctrl+C copies the box's selection.
    PressWithControl(CEGUI::Key::C, 'C');
    // The click takes the pointer off the messages and puts the caret at the end of the empty
    // input, where a paste of the module's own copy links its items again.
    Click(kChatInput, CEGUI::LeftButton);
    PressWithControl(CEGUI::Key::V, 'V');
    PressKey(CEGUI::Key::Return);
}

std::string ChatScene::SelectedText() const
{
    return OnOneLine(static_cast<ZuGUI::CGameChatBox&>(Child(kChatBox)).getSelectedText());
}

void ChatScene::OnLineAccepted()
{
    CEGUI::Window& input = Child(kChatInput);
    const CEGUI::String encoded = input.getProperty("EncodedText");
    if (encoded.empty())
        return;
    if (m_copyPasted)
        PushPlayerLine("{T grey:[20:10]} {N Aldric}: ", encoded.c_str(), "sent copy: ");
    else
        PushPlayerLine("{T grey:[20:09]} {N Aldric}: ", encoded.c_str(), "sent: ");
    input.setText("");
}

void ChatScene::PushForgedLine()
{
    // What a hacked client could send: a name drawn over a hidden command, next to a real
    // item link with a command right after it. The game keeps the item link and shows the rest
    // as the text it is.
    PushPlayerLine("{T grey:[20:08]} {N Mallory}: ",
                   "{C /evil:            }{Ak 0,-1}{N Alice}: trade? "
                   "{I 1002:[Minor Healing Potion]}{M /kick Aldric:click}",
                   "forged: ");
    auto& box = static_cast<ZuGUI::CGameChatBox&>(Child(kChatBox));
    const auto shown = box.ShownMessages();
    if (!shown.empty())
        AddToReport(std::string("forged shows: ") + OnOneLine(shown.back().view->getPlainText()));
}

void ChatScene::PushPlayerLine(const std::string& prefix, const std::string& message,
                               const char* report)
{
    // The game assembles the line from its own markup and the player's message, of which only
    // item links and emotes stay markup.
    const std::string line = prefix + KeepMarkupTags(message);
    Child(kChatBox).setProperty("PushChat", Utf8(line));
    AddToReport(report + line);
    ++m_pushed;
}

void ChatScene::ShowStatus()
{
    const int shown = static_cast<int>(m_shown.size());
    const int replaced = m_pushed - m_expired - shown;
    Child(kChatStatus)
        .setText("pushed " + std::to_string(m_pushed) + ", replaced in the ring " +
                 std::to_string(std::max(replaced, 0)) + ", expired " + std::to_string(m_expired) +
                 ", shown " + std::to_string(shown));
}

void ChatScene::ReportExpiredLines()
{
    auto& box = static_cast<ZuGUI::CGameChatBox&>(Child(kChatBox));
    std::map<CEGUI::Window*, std::string> shown;
    for (unsigned index = 0; index < box.GetCurChatSize(); ++index)
    {
        CEGUI::Window* view = box.GetChatWindowByIndex(index);
        if (view->isVisible())
            shown.emplace(view, view->getText().c_str());
    }
    // An expired view is empty now: its line is the text it showed at the last frame.
    for (const auto& [view, text] : m_shown)
    {
        if (shown.count(view))
            continue;
        AddToReport("expired: " + text);
        ++m_expired;
    }
    m_shown = std::move(shown);
}
} // namespace ZuDemo
