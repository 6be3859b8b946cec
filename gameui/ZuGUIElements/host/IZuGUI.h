// The game client's interface, as the module sees it. The module only calls it; the host
// implements it and hands it over through ZuGUIExtraFacoryManager::SetIZuGUI. "ANSI" texts
// are in the system code page (see public/CodePage.h).
//
// Every call has a default (IZuGUI.cpp): a client overrides the calls it serves. By default a
// command tree is released, a query gets no answer, a text, a clock, a handle or a factory is
// null, a number is 0, a web rectangle is left as it is and shown, and anything the module
// tells the client is let go.
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
    virtual void SendCommand(KeyValues* command);
    // Fills `reply`; false means no answer. The caller deletes both trees.
    virtual bool Query(KeyValues* request, KeyValues* reply);
    virtual void CallScript(const char* function, int argument);
    virtual void RegisterWindow(ZuWindow* window);
    virtual void UnregisterWindow(ZuWindow* window);
    // The host runs `open` on its script state.
    virtual void RegisterScriptModule(ScriptModuleOpenFunction open);
    virtual void SubscribeProvider(ZuWindow* window, const char* provider);
    virtual void UnsubscribeProvider(ZuWindow* window, const char* provider);
    virtual void WatchObject(ZuWindow* window, int objectId);
    virtual void UnwatchObject(ZuWindow* window, int objectId);
    // Returns an ANSI text.
    virtual const char* GetLocalizedText(const char* key);
    // Returns an ANSI text.
    virtual const char* CallScriptRetString(const char* function, int argument);
    // Null means: use the window's own font.
    virtual const char* GetFontName(int purpose);
    // `text` is ANSI.
    virtual void CallScriptIntStr(const char* function, int argument, const char* text);
    virtual void PlayUISound(int x, int y, const char* sound);
    // `windowName` is the window's name path (see above).
    virtual void NotifyWindowDestroyed(const char* windowName);
    // Seconds, on the same clock as CEGUI's elapsed time.
    virtual const float* GetUITime();
    // 0 means none.
    virtual int CallScriptRetInt(const char* function, int argument);
    virtual void ChangeCursor(int cursor, bool enable);
    // `window` is the name path of the rich text view (see above); x and y are the centre of the
    // command text in the view's window pixels.
    virtual void ReportCmdTextPos(const char* text, const char* window, int tag, int x, int y);
    virtual InterfaceFactoryFunction GetInterfaceFactory(int which);
    // The main window gets the keyboard focus back through this handle.
    virtual HWND* GetMainWindowHandle();
    virtual void SetEmbeddedBrowserActive(bool active);
    // May change `rect`; true means the web control is visible.
    virtual bool AdjustWebRect(RECT* rect, int which);

protected:
    ~IZuGUI() = default;
};
} // namespace ZuGUI
