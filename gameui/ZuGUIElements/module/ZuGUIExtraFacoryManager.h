// The host's door into the module: window-factory registration, the host interface, the
// type-to-provider table and the embedded web windows.
#pragma once

#include "ZuGUIElements/host/ClientLink.h"
#include "public/Singleton.h"

#include <CEGUI/String.h>

#include <string>

namespace ZuGUI
{
class ZuGUIExtraFacoryManager : public Singleton<ZuGUIExtraFacoryManager>
{
    friend class Singleton<ZuGUIExtraFacoryManager>;

public:
    // Registers the module's window factories with CEGUI, in the module's table order. A type
    // already present (a second call, or a scheme's window set) is skipped and logged.
    void InitGameUIPlugins();

    // Stores the host (host/ClientLink.h); a non-null host is handed the script-binding open
    // function.
    void SetIZuGUI(IZuGUI* host);
    IZuGUI* GetIZuGUI() const { return GetHost(); }

    // The host-side data provider that feeds a window type, or "" when it has none.
    const std::string& TranslateTypeToProviderName(CEGUI::String type) const
    {
        return ProviderNameOf(type);
    }

    void SetUsingZuRenderer(bool usingZuRenderer) { ZuGUI::SetUsingZuRenderer(usingZuRenderer); }
    bool IsUsingZuRenerer() const { return IsUsingZuRenderer(); }

    // 0 keeps every embedded web window in place; other values do nothing.
    void SyncronizeUI(int which);
    void ManipulateImbeddedIEWindow(int operation, int a, int b);
    bool IsHTMLWindowExist() const;

protected:
    ZuGUIExtraFacoryManager();
};
} // namespace ZuGUI
