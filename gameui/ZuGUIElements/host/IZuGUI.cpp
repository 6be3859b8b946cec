#include "ZuGUIElements/host/IZuGUI.h"

#include "public/KeyValues.h"

namespace ZuGUI
{
void IZuGUI::SendCommand(KeyValues* command)
{
    const KeyValuesPtr released(command);
}

bool IZuGUI::Query(KeyValues*, KeyValues*)
{
    return false;
}

void IZuGUI::CallScript(const char*, int) {}
void IZuGUI::RegisterWindow(ZuWindow*) {}
void IZuGUI::UnregisterWindow(ZuWindow*) {}
void IZuGUI::RegisterScriptModule(ScriptModuleOpenFunction) {}
void IZuGUI::SubscribeProvider(ZuWindow*, const char*) {}
void IZuGUI::UnsubscribeProvider(ZuWindow*, const char*) {}
void IZuGUI::WatchObject(ZuWindow*, int) {}
void IZuGUI::UnwatchObject(ZuWindow*, int) {}

const char* IZuGUI::GetLocalizedText(const char*)
{
    return nullptr;
}

const char* IZuGUI::CallScriptRetString(const char*, int)
{
    return nullptr;
}

const char* IZuGUI::GetFontName(int)
{
    return nullptr;
}

void IZuGUI::CallScriptIntStr(const char*, int, const char*) {}
void IZuGUI::PlayUISound(int, int, const char*) {}
void IZuGUI::NotifyWindowDestroyed(const char*) {}

const float* IZuGUI::GetUITime()
{
    return nullptr;
}

int IZuGUI::CallScriptRetInt(const char*, int)
{
    return 0;
}

void IZuGUI::ChangeCursor(int, bool) {}
void IZuGUI::ReportCmdTextPos(const char*, const char*, int, int, int) {}

InterfaceFactoryFunction IZuGUI::GetInterfaceFactory(int)
{
    return nullptr;
}

HWND* IZuGUI::GetMainWindowHandle()
{
    return nullptr;
}

void IZuGUI::SetEmbeddedBrowserActive(bool) {}

bool IZuGUI::AdjustWebRect(RECT*, int)
{
    return true;
}
} // namespace ZuGUI
