// Loading the ZuGUIElements module into the demo's CEGUI and binding the game client to it.
#pragma once

#include <string>

namespace ZuGUI
{
class IZuGUI;
}

namespace ZuDemo
{
// Loads the sample skin, whose scheme loads the module as a window set and a window-renderer
// set, calls the host's InitGameUIPlugins() (which finds every type present) and sets the
// module's system code page to UTF-8. Throws
// CEGUI::Exception or std::runtime_error when the module cannot be loaded.
void LoadGameModule();

// The module's window types and renderer types that CEGUI knows, each list under its heading
// with the names ("ZuGame/" left out) separated by commas, and "(none yet)" for an empty
// list.
std::string DescribeRegisteredModuleTypes();

// Binds a host to the module for the lifetime of the object.
class ScopedHost
{
public:
    explicit ScopedHost(ZuGUI::IZuGUI& host);
    ~ScopedHost();
    ScopedHost(const ScopedHost&) = delete;
    ScopedHost& operator=(const ScopedHost&) = delete;
};
} // namespace ZuDemo
