#include "demo/DemoScene.h"

#include "demo/GameModule.h"

#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"

#include <CEGUI/CEGUI.h>

#include <stdexcept>

namespace ZuDemo
{
namespace
{
const char* const kTypeList = "MainFrame/TypesPanel/TypeList";
const char* const kHostLog = "MainFrame/LogPanel/HostLog";
const char* const kCastBar = "GameFrame/SkillsPanel/CastBar";
const char* const kBag = "GameFrame/BagPanel/";
const char* const kChat = "GameFrame/RichTextPanel/ChatView";
const char* const kChatLog = "GameFrame/RichTextPanel/ChatLogView";
// Tree values longer than this are shortened on the screen.
constexpr std::size_t kLongestShownValue = 20;

// `text` without any `part`.
std::string Without(std::string text, const std::string& part)
{
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at))
        text.erase(at, part.size());
    return text;
}

// `text` with each quoted value (="...") longer than kLongestShownValue cut to that length and
// "...".
std::string WithShortValues(std::string text)
{
    for (std::size_t open = text.find("=\""); open != std::string::npos;
         open = text.find("=\"", open + 1))
    {
        const std::size_t first = open + 2;
        const std::size_t close = text.find('"', first);
        if (close == std::string::npos)
            break;
        if (close - first > kLongestShownValue)
            text.replace(first + kLongestShownValue, close - first - kLongestShownValue, "...");
    }
    return text;
}

CEGUI::String Utf8(const std::string& text)
{
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(text.c_str()));
}
} // namespace

DemoScene::DemoScene(CEGUI::GUIContext& context) : m_context(context)
{
    m_root = CEGUI::WindowManager::getSingleton().loadLayoutFromFile("Demo.layout", "skin");
    m_context.setRootWindow(m_root);
    try
    {
        m_root->getChild(kTypeList)->setText(Utf8(DescribeRegisteredModuleTypes()));
        KeepCasting();
    }
    catch (...)
    {
        DestroyWindows();
        throw;
    }
}

DemoScene::~DemoScene()
{
    DestroyWindows();
}

void DemoScene::DestroyWindows()
{
    m_context.setRootWindow(nullptr);
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    windows.destroyWindow(m_root);
    windows.cleanDeadPool();
}

// A finished cast starts the next one, so that a long-running demo keeps the bar moving.
void DemoScene::KeepCasting()
{
    m_root->getChild(kCastBar)->subscribeEvent(
        "AdvancedToOne",
        CEGUI::Event::Subscriber(
            [](const CEGUI::EventArgs& args)
            {
                static_cast<const CEGUI::WindowEventArgs&>(args).window->setProperty("CurValue",
                                                                                     "0");
                return true;
            }));
}

void DemoScene::Click(const CEGUI::String& path, CEGUI::MouseButton button)
{
    const CEGUI::Rectf area = m_root->getChild(path)->getUnclippedOuterRect().get();
    ClickAt(area.d_min + CEGUI::Vector2f(area.getWidth(), area.getHeight()) * 0.5f, button);
}

void DemoScene::ClickAt(const CEGUI::Vector2f& point, CEGUI::MouseButton button)
{
    m_context.injectMousePosition(point.d_x, point.d_y);
    m_context.injectMouseButtonDown(button);
    m_context.injectMouseButtonUp(button);
}

ZuGUI::CGameMultiLine& DemoScene::View(const CEGUI::String& path) const
{
    auto* view = dynamic_cast<ZuGUI::CGameMultiLine*>(m_root->getChild(path));
    if (!view)
        throw std::logic_error("Demo.layout: " + std::string(path.c_str()) +
                               " is not a rich text view");
    return *view;
}

CEGUI::Vector2f DemoScene::PointOnBlock(const ZuGUI::CGameMultiLine& view,
                                        const BlockTest& test) const
{
    const auto& doc = dynamic_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*view.QueryDoc());
    for (const auto& line : doc.GetLines())
    {
        for (const auto& block : line->GetBlocks())
        {
            if (!test(*block))
                continue;
            const CEGUI::Rectf area = block->GetArea();
            return view.DocumentToScreen(area.d_min + CEGUI::Vector2f(4.0f, area.getHeight() / 2));
        }
    }
    throw std::logic_error("Demo.layout: no such text in " + std::string(view.getName().c_str()));
}

CEGUI::Vector2f DemoScene::PointOnCommand(const CEGUI::String& viewPath,
                                          const CEGUI::String& text) const
{
    const ZuGUI::CGameMultiLine& view = View(viewPath);
    return PointOnBlock(view,
                        [&](const ZuGUI::ITextBlock& block)
                        {
                            return dynamic_cast<const ZuGUI::TextBlocks::CCmdText*>(&block) &&
                                   block.GetText(view) == text;
                        });
}

void DemoScene::PlayScriptedClicks()
{
    // The pointer of a hidden run has no screen to stay on: give it the whole display.
    const CEGUI::Rectf display(CEGUI::Vector2f(0, 0), m_root->getPixelSize());
    m_context.getMouseCursor().setConstraintArea(&display);
    Click(CEGUI::String(kBag) + "Slot0", CEGUI::LeftButton);
    Click(CEGUI::String(kBag) + "Slot1", CEGUI::RightButton);
    Click(CEGUI::String(kBag) + "Slot3", CEGUI::MiddleButton);
    Click(CEGUI::String(kBag) + "Equip0", CEGUI::LeftButton);

    ClickAt(PointOnCommand(kChat, "Alice"), CEGUI::LeftButton);
    ClickAt(PointOnCommand(kChat, "[Iron Sword]"), CEGUI::RightButton);
    ClickAt(PointOnBlock(View(kChat), [](const ZuGUI::ITextBlock& block)
                         { return dynamic_cast<const ZuGUI::TextBlocks::CEmoteBlock*>(&block); }),
            CEGUI::LeftButton);

    const CEGUI::Rectf chatLog = View(kChatLog).getUnclippedOuterRect().get();
    m_context.injectMousePosition(chatLog.d_min.d_x + 20, chatLog.d_min.d_y + 20);
    m_context.injectMouseWheelChange(-10);

    const CEGUI::Vector2f hovered = PointOnCommand(kChat, "join the hunt");
    m_context.injectMousePosition(hovered.d_x, hovered.d_y);
}

void DemoScene::ShowHostLog(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
    {
        if (line.rfind("SendCommand", 0) == 0 || line.rfind("CallScript", 0) == 0)
            text += WithShortValues(Without(line, "_KeyVal_Cmd_")) + "\n";
    }
    m_root->getChild(kHostLog)->setText(Utf8(text.empty() ? "(nothing)" : text));
}
} // namespace ZuDemo
