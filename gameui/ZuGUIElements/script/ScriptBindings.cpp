#include "ZuGUIElements/script/ScriptBindings.h"

#include "ZuGUIElements/richtext/Utf8String.h"

#include <cmath>
#include <memory>

namespace CEGUI
{
ListboxImageItem* createListboxImageItem(const char* text, double itemId, void* itemData,
                                         bool disabled, bool autoDelete)
{
    if (!(itemId >= 0.0) || itemId > 4294967295.0 || itemId != std::floor(itemId))
        return nullptr;
    return new ListboxImageItem(ZuGUI::StringFromUtf8(text), static_cast<unsigned>(itemId),
                                itemData, disabled, autoDelete);
}
} // namespace CEGUI

namespace ZuGUI
{
namespace ScriptBinding
{
bool PushChatText(CGameChatBox* self, const char* text)
{
    return self->PushChatText(ZuGUI::StringFromUtf8(text));
}

std::string getSelectedText(const CGameChatBox* self)
{
    return self->getSelectedText().c_str();
}

std::string getSelectedText(const CGameMultiLine* self)
{
    return self->getSelectedText().c_str();
}

const SHELL::FileInfo* getFileAt(const SHELL::FileSet* self, double index)
{
    if (!(index >= 0.0) || index >= self->getFileNum() || index != std::floor(index))
        return nullptr;
    return std::make_unique<SHELL::FileInfo>(*self->getFileAt(static_cast<unsigned>(index)))
        .release();
}

void OpenPath(SHELL::FileFolderMgr* self, const char* location)
{
    self->OpenPathUtf8(location);
}

// Undone here: the functions below call tolua++'s own.
#undef tolua_isusertype
#undef tolua_isstring
#undef tolua_register_gc

int RegisterCollected(lua_State* state, int index)
{
    return lua_isnil(state, index) ? 0 : tolua_register_gc(state, index);
}

int IsText(lua_State* state, int index, int def, tolua_Error* error)
{
    if (!def && lua_isnil(state, index))
    {
        error->index = index;
        error->array = 0;
        error->type = "string";
        return 0;
    }
    return tolua_isstring(state, index, def, error);
}

int IsObjectOfType(lua_State* state, int index, const char* type, int def, tolua_Error* error)
{
    if (index == 1 && lua_isnil(state, index))
    {
        error->index = index;
        error->array = 0;
        error->type = type;
        return 0;
    }
    return tolua_isusertype(state, index, type, def, error);
}
} // namespace ScriptBinding
} // namespace ZuGUI
