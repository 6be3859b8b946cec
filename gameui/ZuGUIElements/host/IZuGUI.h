// The game client's interface, as the module sees it. The module only calls it; the host
// implements it and hands it over through ZuGUIExtraFacoryManager::SetIZuGUI. "ANSI" texts
// are in the system code page (see public/CodePage.h).
//
// Window names. Where the module names a window to the host (NotifyWindowDestroyed,
// ReportCmdTextPos), the name is the window's name path: the names of its top-level ancestor
// (normally the GUI context's root) and of every window down to it, joined with "/"
// (CEGUI::Window::getNamePath, e.g. "Root/Chat/Line3"). A window's own name is unique only
// among its siblings; the path is unique in the GUI. A live window is found again from the
// root by the path after the root's name (`root->getChild("Chat/Line3")`). A window that is
// destroyed keeps the path it had when the destruction of its tree began, also when CEGUI
// destroys it along with an ancestor. ZuGUI::HostWindowName (module/WindowRecords.h) gives
// this name for any window.
#pragma once

#include "ZuGUIElements/platform/PlatformTypes.h"

class KeyValues;

namespace ZuGUI
{
class ZuWindow;

using ScriptModuleOpenFunction = int (*)(lua_State*);
using InterfaceFactoryFunction = void* (*)(const char* name, int* returnCode);

class IZuGUI
{
public:
    // The host owns `command` after the call.
    virtual void SendCommand(KeyValues* command) = 0;
    // Fills `reply`; false means no answer. The caller deletes both trees.
    virtual bool Query(KeyValues* request, KeyValues* reply) = 0;
    virtual void CallScript(const char* function, int argument) = 0;
    virtual void RegisterWindow(ZuWindow* window) = 0;
    virtual void UnregisterWindow(ZuWindow* window) = 0;
    // The host runs `open` on its script state.
    virtual void RegisterScriptModule(ScriptModuleOpenFunction open) = 0;
    virtual void SubscribeProvider(ZuWindow* window, const char* provider) = 0;
    virtual void UnsubscribeProvider(ZuWindow* window, const char* provider) = 0;
    virtual void WatchObject(ZuWindow* window, int objectId) = 0;
    virtual void UnwatchObject(ZuWindow* window, int objectId) = 0;
    // Returns an ANSI text.
    virtual const char* GetLocalizedText(const char* key) = 0;
    // Returns an ANSI text.
    virtual const char* CallScriptRetString(const char* function, int argument) = 0;
    // Null means: use the window's own font.
    virtual const char* GetFontName(int purpose) = 0;
    // `text` is ANSI.
    virtual void CallScriptIntStr(const char* function, int argument, const char* text) = 0;
    virtual void PlayUISound(int x, int y, const char* sound) = 0;
    // `windowName` is the window's name path (see above).
    virtual void NotifyWindowDestroyed(const char* windowName) = 0;
    // Seconds, on the same clock as CEGUI's elapsed time.
    virtual const float* GetUITime() = 0;
    // 0 means none.
    virtual int CallScriptRetInt(const char* function, int argument) = 0;
    virtual void ChangeCursor(int cursor, bool enable) = 0;
    // `window` is the name path of the rich text view (see above); x and y are the centre of the
    // command text in the view's window pixels.
    virtual void ReportCmdTextPos(const char* text, const char* window, int tag, int x, int y) = 0;
    virtual InterfaceFactoryFunction GetInterfaceFactory(int which) = 0;
    // The main window gets the keyboard focus back through this handle.
    virtual HWND* GetMainWindowHandle() = 0;
    virtual void SetEmbeddedBrowserActive(bool active) = 0;
    // May change `rect`; true means the web control is visible.
    virtual bool AdjustWebRect(RECT* rect, int which) = 0;

protected:
    ~IZuGUI() = default;
};
} // namespace ZuGUI
