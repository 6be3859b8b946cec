// The native window services that the web window uses: the thread of a window, the keyboard
// focus and message boxes. The game client installs its own services, overriding what its
// platform has; what it does not override, and everything until it installs them, keeps the
// defaults: every window's thread is 0, the focus is left alone and a message box's text goes
// to CEGUI's log as an error, so that the module works where there is no native window system.
#pragma once

#include "ZuGUIElements/platform/PlatformTypes.h"

namespace ZuGUI
{
// The style of a message box with one OK button.
constexpr unsigned MB_OK = 0;

class INativeWindowServices
{
public:
    // The id of the thread that created `window`; the process id goes to `processId` when it
    // is not null.
    virtual unsigned long GetWindowThreadProcessId(HWND window, unsigned long* processId) const;
    // Gives `window` the keyboard focus; returns the window that had it.
    virtual HWND SetFocus(HWND window);
    // Shows `text` (system code page) under `caption` in a message box owned by `owner`;
    // returns the button pressed.
    virtual int MessageBox(HWND owner, const char* text, const char* caption, unsigned type);

protected:
    ~INativeWindowServices() = default;
};

// The installed services, or null.
INativeWindowServices* GetNativeWindowServices();
// Installs the client's services; null restores the defaults.
void SetNativeWindowServices(INativeWindowServices* services);

unsigned long GetWindowThreadProcessId(HWND window, unsigned long* processId);
HWND SetFocus(HWND window);
int MessageBoxA(HWND owner, const char* text, const char* caption, unsigned type);
} // namespace ZuGUI
