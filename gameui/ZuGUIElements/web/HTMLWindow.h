// CHTMLWindow ("ZuGame/HTMLWindow"): places the game client's web control over a CEGUI window.
// The control is made through the client's interface factory when the window is created, kept
// over the window's inner rectangle (as the client adjusts it) and shown and hidden with the
// window, and it loads the window's "URL". Navigations go through the module's one call-back,
// which refuses untrusted addresses with the client's localised message.
//
// The control is the client's code: whatever it throws is caught in the window's handlers and
// logged once per window, so that nothing leaves a CEGUI event, draw or destruction.
#pragma once

#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/base/FactoryTemplates.h"
#include "ZuGUIElements/web/WebCtrl.h"

#include <CEGUI/Rect.h>

#include <map>

namespace ZuGUI
{
class IZuGUI;

// Tells the player that `address` was not opened, in the game's words: a message box with
// the client's texts "sys_error_dangerous_url1" + address + "sys_error_dangerous_url2" under
// "error". A null address shows as "".
void ShowDangerousAddressMessage(IZuGUI& host, const char* address);

class CWebCallBack final : public IWebCallBack
{
public:
    // The one call-back of the module, shared by every web window.
    static CWebCallBack& Instance();

    // The control whose trusted navigations show it: the one created last, none once any web
    // window is destroyed.
    void SetCurrentCtrl(IWebCtrl* control) { m_currentCtrl = control; }
    IWebCtrl* GetCurrentCtrl() const { return m_currentCtrl; }

    void OnNavigateComplete(const char*) override {}
    // Trusted addresses (IsTrustedAddress) go on and show the current control; any other is
    // refused with ShowDangerousAddressMessage (no message without a client).
    bool OnBeforeNavigate(const char* address, int flags) override;
    void OnDocumentComplete(const char*) override {}
    void OnTitleChange(const char*) override {}
    void OnMessage(const char* text) override;
    void OnProgressChange(int, int) override {}

private:
    CWebCallBack() = default;

    IWebCtrl* m_currentCtrl = nullptr;
};

class CHTMLWindow : public SharedPropertyLayer<CHTMLWindow, ZuWindow>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::ShareProSet s_SharePros;
    // The open web windows (control made, destruction not started) by the name they had when
    // they opened, in name order. CEGUI 0.8's names are unique only among siblings and its
    // window manager finds no window by name, so each name keeps its window.
    using OpenWindows = std::multimap<CEGUI::String, CHTMLWindow*>;
    static const OpenWindows& s_all;

    using SharedPropertyLayer::SharedPropertyLayer;
    ~CHTMLWindow() override;

    const CEGUI::String& GetUrl() const { return d_url; }
    // Loads `url` unless it is the address already set.
    void SetUrl(const CEGUI::String& url);
    IWebCtrl* GetWebCtrl() const { return d_webCtrl; }

    // Makes the control; the window's factory calls it once the window is built.
    void onConstructionEnded();

    static bool IsHTMLWindowOpened();
    // Keeps every open web window's control in place, in name order.
    static void SyncronizeAll();
    // Operation 0 destroys every open web window through CEGUI's window manager; any other
    // does nothing. `a` and `b` are not used.
    static void ManipulateImbeddedIEWindow(int operation, int a, int b);

protected:
    void onSized(CEGUI::ElementEventArgs& e) override;
    void onMoved(CEGUI::ElementEventArgs& e) override;
    // The control shows and hides with the window. No "Shown" or "Hidden" event is fired.
    void onShown(CEGUI::WindowEventArgs& e) override;
    void onHidden(CEGUI::WindowEventArgs& e) override;
    void onDestructionStarted(CEGUI::WindowEventArgs& e) override;
    // A window moved with its parent is followed at its next draw: CEGUI 0.8 moves a child's
    // geometry without drawing it again, so the move asks for that draw.
    void notifyScreenAreaChanged(bool recursive = true) override;
    void drawSelf(const CEGUI::RenderingContext& context) override;
    void UpdateImp() override {}

    void GoUrl();
    // Hands the control the window's inner rectangle as the client adjusts it.
    void SyncronizeWebCtrlRect();

private:
    void CloseWebCtrl();
    // Runs `call` on the control when there is one; what the control throws is logged.
    template <typename Call>
    void CallWebCtrl(const char* operation, Call&& call);
    bool MovedSinceLastSync();

    CEGUI::String d_url;
    IWebCtrl* d_webCtrl = nullptr;
    CEGUI::Rectf d_lastRect{0, 0, 0, 0};
    bool d_open = false;
};

using CHTMLWindowFactory = ZuWindowFactory<CHTMLWindow>;
} // namespace ZuGUI
