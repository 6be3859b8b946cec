#include "ZuGUIElements/script/ScriptModule.h"

#include <CEGUI/Size.h>

#include <tolua++.h>

// Generated from ZuGUIElements.pkg.
TOLUA_API int tolua_ZuGUIElements_open(lua_State* state);

namespace ZuGUI
{
namespace
{
const char* const kSizeType = "CEGUI::Size<float>";

// Sizes handed to Lua (getDocSize) were made with new: they go with delete, not with the
// free() of tolua++'s default collector.
int CollectSize(lua_State* state)
{
    delete static_cast<CEGUI::Sizef*>(tolua_tousertype(state, 1, nullptr));
    return 0;
}

void SetSizeCollector(lua_State* state)
{
    luaL_getmetatable(state, kSizeType);
    if (lua_istable(state, -1))
    {
        lua_pushstring(state, ".collector");
        lua_pushcfunction(state, CollectSize);
        lua_rawset(state, -3);
    }
    lua_pop(state, 1);
}
} // namespace

int OpenScriptModule(lua_State* state)
{
    const int result = tolua_ZuGUIElements_open(state);
    SetSizeCollector(state);
    return result;
}
} // namespace ZuGUI
