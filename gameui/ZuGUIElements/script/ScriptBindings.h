// What the generated script binding calls: the module's headers, and the few members that
// scripts reach through a thin function of their own (CEGUI strings are read from Lua's UTF-8
// text, which CEGUI::String(const char*) would take byte by byte). Included by the generated
// binding only.
#pragma once

#include "ZuGUIElements/gamewidgets/ItemIcon.h"
#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/shell/FileFolderMgr.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/ListboxImageItem.h"

#include <tolua++.h>

#include <string>

namespace CEGUI
{
// A new image item for a list; the list owns it (auto-delete) or the caller does. Null (nil)
// for an id that is not a whole number from 0 to 2^32 - 1: a script's number is a double,
// which a conversion to unsigned would wrap or leave undefined.
ListboxImageItem* createListboxImageItem(const char* text, double itemId, void* itemData,
                                         bool disabled, bool autoDelete);
} // namespace CEGUI

namespace ZuGUI
{
namespace ScriptBinding
{
// The members that take a CEGUI string, named as scripts call them.
bool PushChatText(CGameChatBox* self, const char* text);
// The selected text, as shown, in UTF-8.
std::string getSelectedText(const CGameChatBox* self);
std::string getSelectedText(const CGameMultiLine* self);
// A new copy of the entry at `index`, which Lua owns (an entry of the set would go with the
// next listing while the script still holds it), or null (nil) for any number that is not an
// index of the set: a script's number is a double, which a conversion to unsigned would wrap
// (2^32 + 2 read as 2).
const SHELL::FileInfo* getFileAt(const SHELL::FileSet* self, double index);
// Scripts speak UTF-8: the locations that entries gave them, or a text of their own.
void OpenPath(SHELL::FileFolderMgr* self, const char* location);

// tolua++'s type check of an object, except that nil is no object for argument 1: a member
// called on nil fails its type check ("#ferror ...") before its self check. The binding's
// first arguments of type object are all "self".
int IsObjectOfType(lua_State* state, int index, const char* type, int def, tolua_Error* error);
// tolua++'s type check of a text, except that nil is no text where a text is required: a
// script that passes nil gets the argument error, not an empty text.
int IsText(lua_State* state, int index, int def, tolua_Error* error);
// tolua++'s hand-over of an object to Lua's collector, except that a null result (nil) has
// nothing to collect.
int RegisterCollected(lua_State* state, int index);
} // namespace ScriptBinding
} // namespace ZuGUI

#define tolua_isusertype ZuGUI::ScriptBinding::IsObjectOfType
#define tolua_isstring ZuGUI::ScriptBinding::IsText
#define tolua_register_gc ZuGUI::ScriptBinding::RegisterCollected
