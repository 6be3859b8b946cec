// The sample game's Lua scripts, run as a game client runs its UI scripts: one Lua state with
// CEGUI's own binding (CEGUI's LuaScriptModule, the GUI's scripting module while the object
// lives) and the module's binding, which the client opens on the same state when the module
// hands it over (RegisterScriptModule). Script errors come out as exceptions with Lua's
// message.
#pragma once

#include "ZuGUIElements/host/IZuGUI.h"

#include <CEGUI/String.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace CEGUI
{
class LuaScriptModule;
class Window;
} // namespace CEGUI

namespace ZuDemo
{
class ScriptError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class SampleScripts
{
public:
    // A window (passed as "CEGUI::Window"), a number or a text.
    using Argument = std::variant<CEGUI::Window*, double, std::string>;

    // Needs a running CEGUI system.
    SampleScripts();
    ~SampleScripts();
    SampleScripts(const SampleScripts&) = delete;
    SampleScripts& operator=(const SampleScripts&) = delete;

    lua_State* State() const { return m_state; }
    // Opens a binding on the state, as the module's open function.
    void Open(ZuGUI::ScriptModuleOpenFunction open);
    // Runs a script file of a CEGUI resource group.
    void RunFile(const CEGUI::String& file, const CEGUI::String& resourceGroup);
    // Calls the global function `function`; returns the texts of the table it returns.
    std::vector<std::string> Call(const char* function, std::initializer_list<Argument> arguments);

private:
    void Push(const Argument& argument);

    lua_State* m_state;
    CEGUI::LuaScriptModule* m_cegui;
};
} // namespace ZuDemo
