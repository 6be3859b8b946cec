#include "ZuGUIElements/platform/NativeWindow.h"

#include "public/CodePage.h"

#include <CEGUI/Logger.h>

#include <string>

namespace ZuGUI
{
namespace
{
class DefaultServices final : public INativeWindowServices
{
};

DefaultServices g_defaults;
INativeWindowServices* g_services = nullptr;

INativeWindowServices& Services()
{
    return g_services ? *g_services : g_defaults;
}
} // namespace

unsigned long INativeWindowServices::GetWindowThreadProcessId(HWND, unsigned long* processId) const
{
    if (processId)
        *processId = 0;
    return 0;
}

HWND INativeWindowServices::SetFocus(HWND)
{
    return nullptr;
}

// The log is UTF-8; the message is in the system code page.
int INativeWindowServices::MessageBox(HWND, const char* text, const char* caption, unsigned)
{
    std::string line = "Message box \"";
    line += AnsiToUtf8(caption ? caption : "", "?");
    line += "\": ";
    line += AnsiToUtf8(text ? text : "", "?");
    if (CEGUI::Logger* logger = CEGUI::Logger::getSingletonPtr())
        logger->logEvent(reinterpret_cast<const CEGUI::utf8*>(line.c_str()), CEGUI::Errors);
    return 1; // the OK button
}

INativeWindowServices* GetNativeWindowServices()
{
    return g_services;
}

void SetNativeWindowServices(INativeWindowServices* services)
{
    g_services = services;
}

unsigned long GetWindowThreadProcessId(HWND window, unsigned long* processId)
{
    return Services().GetWindowThreadProcessId(window, processId);
}

HWND SetFocus(HWND window)
{
    return Services().SetFocus(window);
}

int MessageBoxA(HWND owner, const char* text, const char* caption, unsigned type)
{
    return Services().MessageBox(owner, text, caption, type);
}
} // namespace ZuGUI
