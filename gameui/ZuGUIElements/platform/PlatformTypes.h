// Native types that the host interface names. The game client runs on Linux here, so the
// Windows handle and rectangle types are defined by the module itself with the same shape.
#pragma once

struct lua_State;

namespace ZuGUI
{
struct NativeWindow;

// Opaque handle of a native window (the game's main window, a web control's window).
using HWND = NativeWindow*;

// A screen rectangle in pixels, edges in the order left, top, right, bottom.
struct RECT
{
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};
} // namespace ZuGUI
