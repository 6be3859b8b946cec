// The script interface that the host opens on its own Lua state: the binding that tolua++
// generates from ZuGUIElements.pkg when the module is built.
#pragma once

struct lua_State;

namespace ZuGUI
{
// Opens the module's script bindings on `state`; returns 1, as tolua++ open functions do.
int OpenScriptModule(lua_State* state);
} // namespace ZuGUI
