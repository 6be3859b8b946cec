// What the module knows of its game client, for every layer above: the client interface it was
// given, whether the client's renderer draws the module's pictures, and the client's data
// provider of each window type. The manager (module/ZuGUIExtraFacoryManager.h) sets them; the
// factories of the module's windows name each type's provider before they make a window.
#pragma once

#include "ZuGUIElements/host/IZuGUI.h"

#include <CEGUI/String.h>

#include <string>

namespace ZuGUI
{
// The client interface of the running module; null while no client is set.
IZuGUI* GetHost();
void SetHost(IZuGUI* host);

// Whether the client's renderer draws the module's pictures (its render proxies).
bool IsUsingZuRenderer();
void SetUsingZuRenderer(bool usingZuRenderer);

// The client's data provider of window type `type`, or "" when it has none.
const std::string& ProviderNameOf(const CEGUI::String& type);
// Names `provider` (null: none) as the provider of `type`; a type keeps its first provider.
void RememberProviderName(const CEGUI::String& type, const char* provider);
} // namespace ZuGUI
