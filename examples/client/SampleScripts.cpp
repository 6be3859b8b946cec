#include "client/SampleScripts.h"

#include <CEGUI/Exceptions.h>
#include <CEGUI/ScriptModules/Lua/ScriptModule.h>
#include <CEGUI/System.h>

#include <lauxlib.h>
#include <lualib.h>
#include <tolua++.h>

namespace ZuDemo
{
SampleScripts::SampleScripts() : m_state(luaL_newstate())
{
    luaL_openlibs(m_state);
    m_cegui = &CEGUI::LuaScriptModule::create(m_state);
    CEGUI::System::getSingleton().setScriptingModule(m_cegui);
}

SampleScripts::~SampleScripts()
{
    CEGUI::System::getSingleton().setScriptingModule(nullptr);
    CEGUI::LuaScriptModule::destroy(*m_cegui);
    lua_close(m_state);
}

void SampleScripts::Open(ZuGUI::ScriptModuleOpenFunction open)
{
    if (!open)
        return;
    open(m_state);
    lua_settop(m_state, 0);
}

void SampleScripts::RunFile(const CEGUI::String& file, const CEGUI::String& resourceGroup)
{
    try
    {
        m_cegui->executeScriptFile(file, resourceGroup);
    }
    catch (const CEGUI::Exception& error)
    {
        throw ScriptError(error.getMessage().c_str());
    }
}

void SampleScripts::Push(const Argument& argument)
{
    if (const auto* window = std::get_if<CEGUI::Window*>(&argument))
        tolua_pushusertype(m_state, *window, "CEGUI::Window");
    else if (const auto* number = std::get_if<double>(&argument))
        lua_pushnumber(m_state, *number);
    else
        lua_pushstring(m_state, std::get<std::string>(argument).c_str());
}

std::vector<std::string> SampleScripts::Call(const char* function,
                                             std::initializer_list<Argument> arguments)
{
    lua_getglobal(m_state, function);
    if (!lua_isfunction(m_state, -1))
    {
        lua_pop(m_state, 1);
        throw ScriptError(std::string("no script function '") + function + "'");
    }
    for (const Argument& argument : arguments)
        Push(argument);
    if (lua_pcall(m_state, static_cast<int>(arguments.size()), 1, 0) != 0)
    {
        const std::string message = lua_tostring(m_state, -1) ? lua_tostring(m_state, -1) : "?";
        lua_pop(m_state, 1);
        throw ScriptError(message);
    }
    std::vector<std::string> texts;
    if (lua_istable(m_state, -1))
    {
        for (int i = 1;; ++i)
        {
            lua_rawgeti(m_state, -1, i);
            if (lua_isnil(m_state, -1))
            {
                lua_pop(m_state, 1);
                break;
            }
            texts.emplace_back(lua_tostring(m_state, -1) ? lua_tostring(m_state, -1) : "");
            lua_pop(m_state, 1);
        }
    }
    lua_pop(m_state, 1);
    return texts;
}
} // namespace ZuDemo
