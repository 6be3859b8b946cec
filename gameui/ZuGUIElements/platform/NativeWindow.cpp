#include "ZuGUIElements/platform/NativeWindow.h"

#include "public/CodePage.h"

#include <CEGUI/Logger.h>

#include <string>

namespace ZuGUI
{
namespace
{
unsigned long NoThread(HWND, unsigned long* processId)
{
    if (processId)
        *processId = 0;
    return 0;
}

HWND KeepFocus(HWND)
{
    return nullptr;
}

// The log is UTF-8; the message is in the system code page.
int LogMessage(HWND, const char* text, const char* caption, unsigned)
{
    std::string line = "Message box \"";
    line += AnsiToUtf8(caption ? caption : "", "?");
    line += "\": ";
    line += AnsiToUtf8(text ? text : "", "?");
    if (CEGUI::Logger* logger = CEGUI::Logger::getSingletonPtr())
        logger->logEvent(reinterpret_cast<const CEGUI::utf8*>(line.c_str()), CEGUI::Errors);
    return 1; // the OK button
}

NativeWindowHooks g_hooks = {&NoThread, &KeepFocus, &LogMessage};
} // namespace

void SetNativeWindowHooks(const NativeWindowHooks& hooks)
{
    g_hooks.getWindowThreadProcessId =
        hooks.getWindowThreadProcessId ? hooks.getWindowThreadProcessId : &NoThread;
    g_hooks.setFocus = hooks.setFocus ? hooks.setFocus : &KeepFocus;
    g_hooks.messageBox = hooks.messageBox ? hooks.messageBox : &LogMessage;
}

unsigned long GetWindowThreadProcessId(HWND window, unsigned long* processId)
{
    return g_hooks.getWindowThreadProcessId(window, processId);
}

HWND SetFocus(HWND window)
{
    return g_hooks.setFocus(window);
}

int MessageBoxA(HWND owner, const char* text, const char* caption, unsigned type)
{
    return g_hooks.messageBox(owner, text, caption, type);
}
} // namespace ZuGUI
