#include "ZuGUIElements/script/ScriptModule.h"

#include "ZuGUIElements/shell/FileFolderMgr.h"

#include <CEGUI/Size.h>

#include <tolua++.h>

#include <string>

// Generated from ZuGUIElements.pkg.
TOLUA_API int tolua_ZuGUIElements_open(lua_State* state);

namespace ZuGUI
{
namespace
{
// Objects handed to Lua with ownership (getDocSize's size, getFileAt's entry) were made with
// new: they go with delete, not with the free() of tolua++'s default collector.
template <typename T>
int DeleteCollected(lua_State* state)
{
    delete static_cast<T*>(tolua_tousertype(state, 1, nullptr));
    return 0;
}

template <typename T>
void SetCollector(lua_State* state, const char* type)
{
    luaL_getmetatable(state, type);
    if (lua_istable(state, -1))
    {
        lua_pushstring(state, ".collector");
        lua_pushcfunction(state, DeleteCollected<T>);
        lua_rawset(state, -3);
    }
    lua_pop(state, 1);
}

// tolua++ checks an object's type against a table of all its class's bases (registry
// "tolua_super"), which it fills when the class is registered, from its base's table as it is
// then. When a client opens this binding before CEGUI's, CEGUI's classes have no bases yet, and
// the module's classes never learn them: box:getName() fails with "'const CEGUI::NamedElement'
// expected". So until the other binding has registered the bases, every look-up of a member on
// one of the module's classes first copies the bases' tables again; once they are all
// registered, the look-ups are tolua++'s own again.

// The module's classes that have a base, of another binding or of the module, as tolua++
// registers them from the package file (a base before the classes derived from it).
const struct
{
    const char* type;
    const char* base;
} kDerivedClasses[] = {
#include "ScriptDerivedClasses.inc"
};

// Pushes registry.tolua_super[metatable of `type`], made if missing.
void PushBasesTable(lua_State* state, const std::string& type)
{
    lua_pushstring(state, "tolua_super");
    lua_rawget(state, LUA_REGISTRYINDEX);
    luaL_getmetatable(state, type.c_str());
    lua_rawget(state, -2);
    if (!lua_istable(state, -1))
    {
        lua_pop(state, 1);
        lua_newtable(state);
        luaL_getmetatable(state, type.c_str());
        lua_pushvalue(state, -2);
        lua_rawset(state, -4);
    }
    lua_remove(state, -2);
}

// Adds `base` and all of its bases to the bases of `type`.
void InheritBases(lua_State* state, const std::string& type, const std::string& base)
{
    PushBasesTable(state, type);
    lua_pushstring(state, base.c_str());
    lua_pushboolean(state, 1);
    lua_rawset(state, -3);
    PushBasesTable(state, base);
    lua_pushnil(state);
    while (lua_next(state, -2) != 0)
    {
        lua_pushvalue(state, -2);
        lua_insert(state, -2);
        lua_rawset(state, -5);
    }
    lua_pop(state, 2);
}

void InheritAllBases(lua_State* state)
{
    for (const auto& derived : kDerivedClasses)
    {
        InheritBases(state, derived.type, derived.base);
        InheritBases(state, std::string("const ") + derived.type,
                     std::string("const ") + derived.base);
    }
}

// True when the binding that owns `type` has registered it: its class table is in its module
// (CEGUI.ListboxItem for "CEGUI::ListboxItem").
bool IsClassRegistered(lua_State* state, const std::string& type)
{
    lua_pushvalue(state, LUA_GLOBALSINDEX);
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t end = type.find("::", start);
        lua_pushstring(state, type.substr(start, end - start).c_str());
        lua_rawget(state, -2);
        lua_remove(state, -2);
        if (end == std::string::npos || !lua_istable(state, -1))
            break;
        start = end + 2;
    }
    const bool registered = lua_istable(state, -1);
    lua_pop(state, 1);
    return registered;
}

bool AreAllBasesRegistered(lua_State* state)
{
    for (const auto& derived : kDerivedClasses)
        if (!IsClassRegistered(state, derived.base))
            return false;
    return true;
}

template <typename Visit>
void ForEachDerivedMetatable(lua_State* state, Visit visit)
{
    for (const auto& derived : kDerivedClasses)
        for (const std::string& type :
             {std::string(derived.type), "const " + std::string(derived.type)})
        {
            luaL_getmetatable(state, type.c_str());
            if (lua_istable(state, -1))
                visit();
            lua_pop(state, 1);
        }
}

void RestoreMemberLookups(lua_State* state)
{
    ForEachDerivedMetatable(state,
                            [state]
                            {
                                lua_pushstring(state, "__index");
                                lua_rawget(state, -2);
                                if (lua_iscfunction(state, -1) &&
                                    lua_getupvalue(state, -1, 1) != nullptr)
                                {
                                    lua_pushstring(state, "__index");
                                    lua_insert(state, -2);
                                    lua_rawset(state, -4);
                                }
                                lua_pop(state, 1);
                            });
}

// The __index of a derived class while its bases are pending: upvalue 1 is tolua++'s own.
int LookUpMemberWithPendingBases(lua_State* state)
{
    InheritAllBases(state);
    lua_pushvalue(state, lua_upvalueindex(1));
    lua_pushvalue(state, 1);
    lua_pushvalue(state, 2);
    if (AreAllBasesRegistered(state))
        RestoreMemberLookups(state);
    lua_call(state, 2, 1);
    return 1;
}

void WatchPendingBases(lua_State* state)
{
    ForEachDerivedMetatable(state,
                            [state]
                            {
                                lua_pushstring(state, "__index");
                                lua_pushstring(state, "__index");
                                lua_rawget(state, -3);
                                lua_pushcclosure(state, LookUpMemberWithPendingBases, 1);
                                lua_rawset(state, -3);
                            });
}

void LinkBasesOfOtherBindings(lua_State* state)
{
    InheritAllBases(state);
    if (!AreAllBasesRegistered(state))
        WatchPendingBases(state);
}
} // namespace

int OpenScriptModule(lua_State* state)
{
    const int result = tolua_ZuGUIElements_open(state);
    SetCollector<CEGUI::Sizef>(state, "CEGUI::Size<float>");
    SetCollector<SHELL::FileInfo>(state, "const SHELL::FileInfo");
    LinkBasesOfOtherBindings(state);
    return result;
}
} // namespace ZuGUI
