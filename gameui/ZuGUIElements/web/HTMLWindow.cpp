#include "ZuGUIElements/web/HTMLWindow.h"

#include "ZuGUIElements/host/ClientLink.h"
#include "ZuGUIElements/platform/NativeWindow.h"
#include "ZuGUIElements/web/TrustedAddress.h"

#include <CEGUI/GUIContext.h>
#include <CEGUI/WindowManager.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace ZuGUI
{
namespace
{
CHTMLWindow::OpenWindows& OpenWebWindows()
{
    // Never destroyed: a client may destroy its windows after the module's statics are gone.
    static auto* windows = new CHTMLWindow::OpenWindows;
    return *windows;
}

bool IsOpen(const CHTMLWindow* window)
{
    for (const auto& entry : OpenWebWindows())
    {
        if (entry.second == window)
            return true;
    }
    return false;
}

// The open windows at this moment, so that a walk survives windows closing during it.
std::vector<CHTMLWindow*> OpenWindowsNow()
{
    std::vector<CHTMLWindow*> windows;
    for (const auto& entry : OpenWebWindows())
        windows.push_back(entry.second);
    return windows;
}

// A screen coordinate as a whole pixel, cut towards zero; what is no number or out of range
// is held at the range.
std::int32_t TruncatedPixel(float value)
{
    if (std::isnan(value))
        return 0;
    const float limit = 2147483520.0f; // the largest float below 2^31
    return static_cast<std::int32_t>(std::fmax(-limit, std::fmin(limit, value)));
}

// An edge of the client's rectangle as a control coordinate, held at the range.
std::int32_t ClientPixel(long value)
{
    return static_cast<std::int32_t>(std::clamp<long>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The extent between two edges of the client's rectangle, both held at the range first, and
// itself held at the range: any rectangle the client gives is placed without overflow.
std::int32_t ClientExtent(long low, long high)
{
    const std::int64_t extent = std::int64_t{ClientPixel(high)} - ClientPixel(low);
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(extent, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

const char* HostText(IZuGUI& host, const char* key)
{
    const char* text = host.GetLocalizedText(key);
    return text ? text : "";
}

HWND MainWindow(IZuGUI& host)
{
    HWND* handle = host.GetMainWindowHandle();
    return handle ? *handle : nullptr;
}
} // namespace

void ShowDangerousAddressMessage(IZuGUI& host, const char* address)
{
    std::string text = HostText(host, "sys_error_dangerous_url1");
    text += address ? address : "";
    text += HostText(host, "sys_error_dangerous_url2");
    const std::string caption = HostText(host, "error");
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

CWebCallBack& CWebCallBack::Instance()
{
    static CWebCallBack callBack;
    return callBack;
}

bool CWebCallBack::OnBeforeNavigate(const char* address, int)
{
    if (IsTrustedAddress(address))
    {
        if (m_currentCtrl)
            m_currentCtrl->Show(true);
        return true;
    }
    if (IZuGUI* host = GetHost())
        ShowDangerousAddressMessage(*host, address);
    return false;
}

void CWebCallBack::OnMessage(const char* text)
{
    MessageBoxA(nullptr, text ? text : "", "", MB_OK);
}

const CEGUI::String CHTMLWindow::WidgetTypeName("ZuGame/HTMLWindow");
const CEGUI::String CHTMLWindow::EventNamespace("HTMLWindow");
const CHTMLWindow::OpenWindows& CHTMLWindow::s_all = OpenWebWindows();

const CEGUI::ShareProSet CHTMLWindow::s_SharePros{
    WidgetProperty<&CHTMLWindow::GetUrl, &CHTMLWindow::SetUrl>(
        "URL", "Property to get/set if this web ctrl's url.  Value is a string.", ""),
};

CHTMLWindow::~CHTMLWindow()
{
    // A window deleted without CEGUI's destruction still leaves the open set.
    CloseWebCtrl();
}

template <typename Call>
void CHTMLWindow::CallWebCtrl(const char* operation, Call&& call)
{
    if (d_webCtrl)
        RunLoggingErrors(*this, operation, [&] { call(*d_webCtrl); });
}

void CHTMLWindow::onConstructionEnded()
{
    IZuGUI* host = GetHost();
    if (!host)
        return;
    RunLoggingErrors(*this, "making the web control",
                     [&]
                     {
                         if (InterfaceFactoryFunction factory = host->GetInterfaceFactory(0))
                             d_webCtrl =
                                 static_cast<IWebCtrl*>(factory(kWebCtrlInterfaceName, nullptr));
                     });
    if (!d_webCtrl)
        return;
    const HWND mainWindow = MainWindow(*host);
    const unsigned long threadId = GetWindowThreadProcessId(mainWindow, nullptr);
    int area[4] = {0, 0, 0, 0};
    CallWebCtrl("IWebCtrl::Create", [&](IWebCtrl& control)
                { control.Create(kWebCtrlPopupStyle, area, mainWindow, threadId); });
    CallWebCtrl("IWebCtrl::SetCallBack",
                [](IWebCtrl& control) { control.SetCallBack(&CWebCallBack::Instance()); });
    CWebCallBack::Instance().SetCurrentCtrl(d_webCtrl);
    OpenWebWindows().emplace(getName(), this);
    d_open = true;
    host->SetEmbeddedBrowserActive(true);
    SetFocus(mainWindow);
}

void CHTMLWindow::CloseWebCtrl()
{
    CWebCallBack::Instance().SetCurrentCtrl(nullptr);
    const bool wasOpen = d_open;
    if (d_open)
    {
        auto& open = OpenWebWindows();
        for (auto entry = open.begin(); entry != open.end(); ++entry)
        {
            if (entry->second == this)
            {
                open.erase(entry);
                break;
            }
        }
        d_open = false;
    }
    CallWebCtrl("IWebCtrl::Release", [](IWebCtrl& control) { control.Release(); });
    d_webCtrl = nullptr;
    IZuGUI* host = GetHost();
    if (!host || !wasOpen)
        return;
    // The client's browser stays active while another web window is open.
    if (!IsHTMLWindowOpened())
        host->SetEmbeddedBrowserActive(false);
    SetFocus(MainWindow(*host));
}

void CHTMLWindow::SetUrl(const CEGUI::String& url)
{
    if (url == d_url)
        return;
    d_url = url;
    GoUrl();
}

void CHTMLWindow::GoUrl()
{
    CallWebCtrl("IWebCtrl::Navigate",
                [this](IWebCtrl& control) { control.Navigate(d_url.c_str(), 0); });
}

void CHTMLWindow::SyncronizeWebCtrlRect()
{
    RunLoggingErrors(*this, "placing the web control",
                     [this]
                     {
                         d_lastRect = getUnclippedInnerRect().get();
                         RECT rect;
                         rect.left = TruncatedPixel(d_lastRect.left());
                         rect.top = TruncatedPixel(d_lastRect.top());
                         rect.right = TruncatedPixel(d_lastRect.right());
                         rect.bottom = TruncatedPixel(d_lastRect.bottom());
                         std::int32_t placed[4] = {TruncatedPixel(d_lastRect.left()),
                                                   TruncatedPixel(d_lastRect.top()),
                                                   TruncatedPixel(d_lastRect.getWidth()),
                                                   TruncatedPixel(d_lastRect.getHeight())};
                         bool visible = true;
                         if (IZuGUI* host = GetHost())
                         {
                             visible = host->AdjustWebRect(&rect, 0);
                             placed[0] = ClientPixel(rect.left);
                             placed[1] = ClientPixel(rect.top);
                             placed[2] = ClientExtent(rect.left, rect.right);
                             placed[3] = ClientExtent(rect.top, rect.bottom);
                         }
                         CallWebCtrl("IWebCtrl::SetRect",
                                     [&](IWebCtrl& control) { control.SetRect(placed, visible); });
                     });
}

void CHTMLWindow::onSized(CEGUI::ElementEventArgs& e)
{
    SharedPropertyLayer::onSized(e);
    SyncronizeWebCtrlRect();
}

void CHTMLWindow::onMoved(CEGUI::ElementEventArgs& e)
{
    SharedPropertyLayer::onMoved(e);
    SyncronizeWebCtrlRect();
}

void CHTMLWindow::onShown(CEGUI::WindowEventArgs&)
{
    // The frame of the window is drawn again with it.
    invalidate();
    CallWebCtrl("IWebCtrl::Show", [](IWebCtrl& control) { control.Show(true); });
}

void CHTMLWindow::onHidden(CEGUI::WindowEventArgs&)
{
    invalidate();
    CallWebCtrl("IWebCtrl::Show", [](IWebCtrl& control) { control.Show(false); });
}

void CHTMLWindow::onDestructionStarted(CEGUI::WindowEventArgs& e)
{
    CloseWebCtrl();
    SharedPropertyLayer::onDestructionStarted(e);
}

bool CHTMLWindow::MovedSinceLastSync()
{
    bool moved = false;
    RunLoggingErrors(*this, "placing the web control",
                     [&] { moved = getUnclippedInnerRect().get() != d_lastRect; });
    return moved;
}

void CHTMLWindow::notifyScreenAreaChanged(bool recursive)
{
    SharedPropertyLayer::notifyScreenAreaChanged(recursive);
    if (d_webCtrl && MovedSinceLastSync())
        invalidate();
}

void CHTMLWindow::drawSelf(const CEGUI::RenderingContext& context)
{
    if (MovedSinceLastSync())
        SyncronizeWebCtrlRect();
    SharedPropertyLayer::drawSelf(context);
}

bool CHTMLWindow::IsHTMLWindowOpened()
{
    return !OpenWebWindows().empty();
}

void CHTMLWindow::SyncronizeAll()
{
    for (CHTMLWindow* window : OpenWindowsNow())
    {
        if (IsOpen(window))
            window->SyncronizeWebCtrlRect();
    }
}

void CHTMLWindow::ManipulateImbeddedIEWindow(int operation, int, int)
{
    if (operation != 0)
        return;
    // Destroying a window may destroy other open ones below it.
    for (CHTMLWindow* window : OpenWindowsNow())
    {
        if (IsOpen(window))
            CEGUI::WindowManager::getSingleton().destroyWindow(window);
    }
}
} // namespace ZuGUI
