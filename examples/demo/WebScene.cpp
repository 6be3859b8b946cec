#include "demo/WebScene.h"

#include "client/SampleGameClient.h"
#include "client/SampleWebControl.h"

#include "ZuGUIElements/platform/NativeWindow.h"
#include "ZuGUIElements/web/HTMLWindow.h"
#include "ZuGUIElements/web/TrustedAddress.h"

#include <CEGUI/CEGUI.h>

#include <iostream>

namespace ZuDemo
{
namespace
{
const char* const kBrowser = "GameFrame/Browser";
const char* const kPage = "GameFrame/Browser/Page";
const char* const kChecks = "GameFrame/ChecksPanel/Checks";
const char* const kStatus = "GameFrame/StatusPanel/WebStatus";
const char* const kLinks = "GameFrame/LinksPanel/Links";
const char* const kLinksHeading = "GameFrame/LinksPanel/LinksHeading";
// The texts of the links in DemoWeb.layout.
const char* const kTrustedLink = "Guild events";
const char* const kUntrustedLink = "Free gold!";
const char* const kTrustedPage = "https://www.portal.example/guild/notices";
const char* const kSpoofedPage = "http://www.portal.example@evil.net/login";
const CEGUI::Vector2f kMoveBy(50.0f, 100.0f);

std::vector<std::string>& MessageBoxes()
{
    static std::vector<std::string> shown;
    return shown;
}

// The sample game's message box: printed, as a player would read it.
class PrintedMessageBoxes final : public ZuGUI::INativeWindowServices
{
public:
    int MessageBox(ZuGUI::HWND, const char* text, const char* caption, unsigned) override
    {
        const std::string line = std::string(caption ? caption : "") + ": " + (text ? text : "");
        std::cout << "message box " << line << '\n';
        MessageBoxes().push_back("message box " + line);
        return 1;
    }
};

PrintedMessageBoxes g_printedMessageBoxes;

std::string RectText(const CEGUI::Rectf& rect)
{
    return std::to_string(static_cast<int>(rect.left())) + ", " +
           std::to_string(static_cast<int>(rect.top())) + ", " +
           std::to_string(static_cast<int>(rect.getWidth())) + " x " +
           std::to_string(static_cast<int>(rect.getHeight()));
}
} // namespace

WebScene::WebScene(CEGUI::GUIContext& context) : DemoScene(context, "web", "DemoWeb.layout")
{
    ZuGUI::SetNativeWindowServices(&g_printedMessageBoxes);
    MessageBoxes().clear();
    ListVerdicts();
    // The web links show their targets in the module's tool tip.
    Context().setDefaultTooltipType("ZuLook/Tooltip");
}

WebScene::~WebScene()
{
    // The context's tool tip lives in the scene's root while it shows: it goes first.
    Context().setDefaultTooltipType("");
    ZuGUI::SetNativeWindowServices(nullptr);
}

void WebScene::ListVerdicts()
{
    const char* const addresses[] = {
        kTrustedPage,
        "https://fans.example.org/forum",
        "about:blank",
        "http://www.portal.example.evil.net/",
        "http://evil.net?.portal.example",
        kSpoofedPage,
        "https://fans.example.org@evil.com/",
        "http://evil.net\\.portal.example/",
        "http://[v1.www.portal.example]/",
        "about:blank@evil.net",
    };
    std::string text;
    for (const char* address : addresses)
        text += std::string(ZuGUI::IsTrustedAddress(address) ? "trusted   " : "refused   ") +
                address + "\n";
    Child(kChecks).setText(text);
}

void WebScene::BeforeFrame(int frame, float, SampleGameClient& client)
{
    if (frame == 1)
        Navigate(kTrustedPage);
    if (frame == 4)
        MoveBrowser();
    if (frame == 7)
        Navigate(kSpoofedPage);
    if (frame == 9)
        PressWebLinks();
    ShowControlJournal();
    ShowWebHostCalls(client);
    if (frame == Frames())
        ReportPagePlace();
}

void WebScene::ShowWebHostCalls(const SampleGameClient& client)
{
    // The web window is the only widget that asks the client for these.
    static const char* const webCalls[] = {"GetInterfaceFactory", "SetEmbeddedBrowserActive",
                                           "AdjustWebRect",       "GetLocalizedText",
                                           "OpenWebLink",         "RefuseWebLink"};
    std::vector<std::string> lines;
    for (const std::string& line : client.Log())
    {
        for (const char* call : webCalls)
        {
            if (line.rfind(call, 0) == 0)
                lines.push_back(line);
        }
    }
    ShowHostLog(lines);
}

void WebScene::Navigate(const char* address)
{
    Child(kPage).setProperty("URL", address);
}

void WebScene::PressWebLinks()
{
    FreePointer();
    ClickAt(PointOnCommand(kLinks, kTrustedLink), CEGUI::LeftButton);
    ClickAt(PointOnCommand(kLinks, kUntrustedLink), CEGUI::LeftButton);
    // A press hides CEGUI's tool tip until the pointer enters the window again.
    const CEGUI::Rectf heading = Child(kLinksHeading).getUnclippedOuterRect().get();
    Context().injectMousePosition(heading.left() + 4.0f, heading.top() + 4.0f);
    const CEGUI::Vector2f rest = PointOnCommand(kLinks, kTrustedLink);
    Context().injectMousePosition(rest.d_x, rest.d_y);
    AddToReport("pressed the web links \"" + std::string(kTrustedLink) + "\" and \"" +
                kUntrustedLink + "\"; the pointer rests on the first");
}

void WebScene::MoveBrowser()
{
    CEGUI::Window& browser = Child(kBrowser);
    browser.setPosition(browser.getPosition() +
                        CEGUI::UVector2(CEGUI::UDim(0, kMoveBy.d_x), CEGUI::UDim(0, kMoveBy.d_y)));
    AddToReport("browser frame moved by " + std::to_string(static_cast<int>(kMoveBy.d_x)) + ", " +
                std::to_string(static_cast<int>(kMoveBy.d_y)));
}

void WebScene::ShowControlJournal()
{
    const std::vector<std::string>& journal = SampleWebControl::Journal();
    for (; m_journalShown < journal.size(); ++m_journalShown)
        m_statusLines.push_back(journal[m_journalShown]);
    for (std::string& line : MessageBoxes())
    {
        AddToReport(line);
        m_statusLines.push_back(std::move(line));
    }
    MessageBoxes().clear();
    std::string text;
    for (const std::string& line : m_statusLines)
        text += line + "\n";
    Child(kStatus).setText(text);
}

void WebScene::ReportPagePlace()
{
    auto& page = static_cast<ZuGUI::CHTMLWindow&>(Child(kPage));
    const CEGUI::Rectf window = page.getUnclippedInnerRect().get();
    for (const SampleWebControl* control : SampleWebControl::Alive())
    {
        if (control != page.GetWebCtrl())
            continue;
        AddToReport("page shows " + control->Address());
        AddToReport("page at " + RectText(control->Rect()) +
                    (control->Rect() == window ? ", over its moved window"
                                               : ", not over its window at " + RectText(window)));
    }
    for (const std::string& line : m_statusLines)
        if (line.find(" refused ") != std::string::npos)
            AddToReport(line);
}
} // namespace ZuDemo
