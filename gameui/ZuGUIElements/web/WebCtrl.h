// The web control that the game client supplies for web windows (interface name
// "IWEBCTRL_INTERFACE2" of the client's interface factory), and the call-back interface
// through which the control reports to the module. The control draws and loads pages in a
// native window of its own over the CEGUI window; the module only places, shows and points it.
// The operations are virtual in this order: it is the control component's binary interface.
#pragma once

#include "ZuGUIElements/platform/PlatformTypes.h"

#include <cstdint>

namespace ZuGUI
{
class IWebCallBack;

// The name under which the client's interface factory makes a web control.
constexpr const char* kWebCtrlInterfaceName = "IWEBCTRL_INTERFACE2";
// The native style of the control's window: a pop-up over the game's main window.
constexpr std::uint32_t kWebCtrlPopupStyle = 0x80000000u;

class IWebCtrl
{
public:
    // Not called by the module.
    virtual void AddRef() = 0;
    // Ends the control: the module calls it once and forgets the control.
    virtual void Release() = 0;
    // Creates the control's window. `area` is the control's own; the module neither fills nor
    // reads it. `threadId` is the thread of `parent`.
    virtual void Create(std::uint32_t style, int area[4], HWND parent, unsigned long threadId) = 0;
    virtual void Show(bool show) = 0;
    // Not called by the module.
    virtual void Refresh() = 0;
    // `rect` is x, y, width and height in screen pixels.
    virtual void SetRect(const std::int32_t rect[4], bool visible) = 0;
    virtual void SetCallBack(IWebCallBack* callBack) = 0;
    // Loads `address` (UTF-8).
    virtual void Navigate(const char* address, int flags) = 0;

protected:
    ~IWebCtrl() = default;
};

class IWebCallBack
{
public:
    virtual void OnNavigateComplete(const char* address) = 0;
    // Asked before the control loads `address`; false stops the navigation.
    virtual bool OnBeforeNavigate(const char* address, int flags) = 0;
    virtual void OnDocumentComplete(const char* address) = 0;
    virtual void OnTitleChange(const char* title) = 0;
    // A message of the page for the player (system code page).
    virtual void OnMessage(const char* text) = 0;
    virtual void OnProgressChange(int progress, int progressMax) = 0;

protected:
    ~IWebCallBack() = default;
};
} // namespace ZuGUI
