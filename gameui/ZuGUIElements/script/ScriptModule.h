// The script interface that the host opens on its own Lua state.
#pragma once

struct lua_State;

namespace ZuGUI
{
// Opens the module's script bindings on `state`; returns 0 like every tolua++ open function.
int OpenScriptModule(lua_State* state);
} // namespace ZuGUI
