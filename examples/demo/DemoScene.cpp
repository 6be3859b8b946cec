#include "demo/DemoScene.h"

#include "client/SampleGameClient.h"
#include "demo/ChatScene.h"
#include "demo/GameModule.h"
#include "demo/HudScene.h"
#include "demo/WebScene.h"
#include "demo/WindowsScene.h"

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

bool IsShownHostCall(const std::string& line)
{
    static const char* const shown[] = {
        "SendCommand",         "CallScript",    "PlayUISound",
        "GetInterfaceFactory", "AdjustWebRect", "SetEmbeddedBrowserActive",
        "GetLocalizedText",    "OpenWebLink",   "RefuseWebLink",
    };
    for (const char* operation : shown)
    {
        if (line.rfind(operation, 0) == 0)
            return true;
    }
    return false;
}

CEGUI::String Utf8(const std::string& text)
{
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(text.c_str()));
}

CEGUI::Window* MakeRoot()
{
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    CEGUI::Window* root = windows.createWindow("DefaultWindow", "DemoRoot");
    root->setArea(
        CEGUI::URect(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0), CEGUI::UDim(1, 0), CEGUI::UDim(1, 0)));
    root->setMousePassThroughEnabled(true);
    return root;
}
} // namespace

DemoScene::DemoScene(CEGUI::GUIContext& context, std::string name, const char* layout)
    : m_context(context), m_name(std::move(name)), m_root(MakeRoot())
{
    try
    {
        CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
        m_root->addChild(windows.loadLayoutFromFile("DemoSidebar.layout", "skin"));
        m_root->addChild(windows.loadLayoutFromFile(layout, "skin"));
        m_context.setRootWindow(m_root);
        Child(kTypeList).setText(Utf8(DescribeRegisteredModuleTypes()));
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
    if (m_context.getRootWindow() == m_root)
        m_context.setRootWindow(nullptr);
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    windows.destroyWindow(m_root);
    windows.cleanDeadPool();
}

CEGUI::Window& DemoScene::Child(const CEGUI::String& path) const
{
    return *m_root->getChild(path);
}

void DemoScene::Click(const CEGUI::String& path, CEGUI::MouseButton button)
{
    const CEGUI::Rectf area = Child(path).getUnclippedOuterRect().get();
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
    auto* view = dynamic_cast<ZuGUI::CGameMultiLine*>(&Child(path));
    if (!view)
        throw std::logic_error("scene " + m_name + ": " + std::string(path.c_str()) +
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
    throw std::logic_error("scene " + m_name + ": no such text in " +
                           std::string(view.getName().c_str()));
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

void DemoScene::FreePointer()
{
    const CEGUI::Rectf display(CEGUI::Vector2f(0, 0), m_root->getPixelSize());
    m_context.getMouseCursor().setConstraintArea(&display);
}

void DemoScene::ShowHostLog(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
    {
        if (IsShownHostCall(line))
            text += WithShortValues(Without(line, "_KeyVal_Cmd_")) + "\n";
    }
    Child(kHostLog).setText(Utf8(text.empty() ? "(nothing)" : text));
}

void DemoScene::ShowHostLogSince(std::size_t firstLine, const SampleGameClient& client)
{
    const auto& log = client.Log();
    ShowHostLog(
        {log.begin() + static_cast<std::ptrdiff_t>(std::min(firstLine, log.size())), log.end()});
}

std::vector<std::string> DemoSceneNames()
{
    return {"hud", "chat", "windows", "web"};
}

std::unique_ptr<DemoScene> MakeDemoScene(const std::string& name, CEGUI::GUIContext& context)
{
    if (name == "hud")
        return std::make_unique<HudScene>(context);
    if (name == "chat")
        return std::make_unique<ChatScene>(context);
    if (name == "windows")
        return std::make_unique<WindowsScene>(context);
    if (name == "web")
        return std::make_unique<WebScene>(context);
    throw std::invalid_argument("no demo scene '" + name + "'");
}
} // namespace ZuDemo
