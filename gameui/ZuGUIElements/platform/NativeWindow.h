// The native window services that the web window uses: the thread of a window, the keyboard
// focus and message boxes. The game client installs its own functions; until it does, every
// window's thread is 0, the focus is left alone and a message box's text goes to CEGUI's log
// as an error, so that the module works where there is no native window system.
#pragma once

#include "ZuGUIElements/platform/PlatformTypes.h"

namespace ZuGUI
{
// The style of a message box with one OK button.
constexpr unsigned MB_OK = 0;

struct NativeWindowHooks
{
    // The id of the thread that created `window`; the process id goes to `processId` when it
    // is not null.
    unsigned long (*getWindowThreadProcessId)(HWND window, unsigned long* processId) = nullptr;
    // Gives `window` the keyboard focus; returns the window that had it.
    HWND (*setFocus)(HWND window) = nullptr;
    // Shows `text` (system code page) under `caption` in a message box owned by `owner`;
    // returns the button pressed.
    int (*messageBox)(HWND owner, const char* text, const char* caption, unsigned type) = nullptr;
};

// Installs the client's functions; a null member restores that default.
void SetNativeWindowHooks(const NativeWindowHooks& hooks);

unsigned long GetWindowThreadProcessId(HWND window, unsigned long* processId);
HWND SetFocus(HWND window);
int MessageBoxA(HWND owner, const char* text, const char* caption, unsigned type);
} // namespace ZuGUI
