// What the module remembers about CEGUI windows until they are destroyed: the name by which
// the game client knows a window, and which look problems were already logged for it.
#pragma once

#include <CEGUI/Logger.h>
#include <CEGUI/String.h>

#include <exception>
#include <utility>

namespace CEGUI
{
class Window;
}

namespace ZuGUI
{
// Makes the module follow window destruction in the running CEGUI system. The module's
// factories call it; it is cheap to call again.
void TrackWindowDestruction();

// The name by which the module names `window` to the game client (IZuGUI.h): its name path.
// While the window is being destroyed it is the path that the window had when the destruction
// of its tree started, although CEGUI detaches a child before destroying it with its parent.
CEGUI::String HostWindowName(const CEGUI::Window& window);

// Tells the game client that `window` is being destroyed (IZuGUI::NotifyWindowDestroyed), for
// windows that the client may hold by name; nothing without a client.
void NotifyClientOfDestruction(const CEGUI::Window& window);

// Logs `message`, prefixed with the window's name path, through CEGUI's logger the first time
// that it is reported for `window`; later reports of the same message for the window are
// dropped.
void LogOncePerWindow(const CEGUI::Window& window, const CEGUI::String& message,
                      CEGUI::LoggingLevel level = CEGUI::Warnings);

// Runs `step` for `window`; whatever it throws is logged once per window and message as
// "<what> failed: <reason>" and goes no further. Returns whether the step ran through.
template <typename Step>
bool RunLoggingErrors(const CEGUI::Window& window, const char* what, Step&& step)
{
    try
    {
        std::forward<Step>(step)();
        return true;
    }
    catch (const std::exception& error)
    {
        LogOncePerWindow(window, CEGUI::String(what) + " failed: " + error.what(), CEGUI::Errors);
    }
    catch (...)
    {
        LogOncePerWindow(window, CEGUI::String(what) + " failed: unknown exception", CEGUI::Errors);
    }
    return false;
}
} // namespace ZuGUI
