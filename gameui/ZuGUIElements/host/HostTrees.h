// Every tree exchanged with the game client: request, reply and command names, their keys
// and the values the module assumes when a reply key is missing.
#pragma once

namespace ZuGUI
{
namespace HostTrees
{
// Requests named by fixed text.
constexpr const char* kGameObjectProperty = "GameObjectProperty";
constexpr const char* kGameObjectTooltip = "GameObjectTooltip";
constexpr const char* kGameObjectCompare = "GameObjectCompare";
constexpr const char* kGameCreatureProvider = "GameCreatureProvider";

// Requests named by the provider of an item icon's item type ("Item" uses the window's own).
constexpr const char* kSpellProxyMgr = "SpellProxyMgr";
constexpr const char* kItemTemplMgr = "ItemTemplMgr";
constexpr const char* kSpellSetMgr = "SpellSetMgr";
constexpr const char* kGangTechMgr = "GangTechMgr";
constexpr const char* kCsmKeyMgr = "CsmKeyMgr";

// Request keys.
constexpr const char* kObjectId = "ObjectId";
constexpr const char* kWhichProperty = "WhichProperty";
constexpr const char* kGameObjectNeedCmpTxt = "GameObjectNeedCmpTxt";
constexpr const char* kWhichOne = "WhichOne";
constexpr const char* kWhichOneSparking = "Sparking";
constexpr const char* kWhichOnePicture = "Picture";
constexpr const char* kBuffIndex = "BuffIndex";
constexpr const char* kItemType = "ItemType";
constexpr const char* kPackageName = "PackageName";
constexpr const char* kPackageId = "PackageId";
constexpr const char* kPackageIndex = "PackageIndex";
constexpr const char* kSpellIndex = "Spell_Index";
constexpr const char* kReadOnly = "ReadOnly";

// Reply keys and their defaults. For "CreatureId" and "CellId" of provider requests -1 means
// "no change".
constexpr const char* kPropertyStringValue = "PropertyStringValue";
constexpr const char* kGameObjectTooltipValue = "GameObjectTooltipValue";
constexpr const char* kGameObjectCompareId = "GameObjectCompareId";
constexpr const char* kCreatureId = "CreatureId";
constexpr const char* kCellId = "CellId";
constexpr int kNoChangeId = -1;
// A widget's direct id ("CellId") while none is given: the unsigned form of -1. The widget
// then asks its provider for the object instead.
constexpr unsigned kNoDirectId = 0xFFFFFFFFu;

// Command trees, owned by the client once sent.
constexpr const char* kCmdClick = "_KeyVal_Cmd_Click";
constexpr const char* kCmdOpcode = "_KeyVal_Cmd_Opcode";
constexpr const char* kCmdMouseButtonType = "_KeyVal_Cmd_MouseButton_Type";
constexpr const char* kCmdContent = "_KeyVal_Cmd_Content";
constexpr const char* kCmdText = "_KeyVal_Cmd_Text";
constexpr const char* kCmdWholeText = "_KeyVal_Cmd_WholeText";
constexpr const char* kCmdPicIdx = "_KeyVal_Cmd_PicIdx";
// Web links only: 1 when the module's trusted-address check accepts the address that a
// browser opens for the link's target (WebLinkAddress, web/TrustedAddress.h), else 0. The
// press is sent either way: the client decides what it does.
constexpr const char* kCmdTrusted = "_KeyVal_Cmd_Trusted";
constexpr const char* kMouseButtonLeft = "_KeyVal_Cmd_MouseButton_Left";
constexpr const char* kMouseButtonRight = "_KeyVal_Cmd_MouseButton_Right";

// Item icon click trees and their keys.
constexpr const char* kItemIconClick = "_KeyVal_ItemIcon_Click";
constexpr const char* kSpellClick = "_KeyVal_Spell_Click";
constexpr const char* kShortcutClick = "_KeyVal_Shortcut_Click";
constexpr const char* kShortcutItemClick = "_KeyVal_ShortcutItem_Click";
constexpr const char* kSpellInSetClick = "_KeyVal_SpellInSet_Click";
constexpr const char* kTechIconClick = "_KeyVal_TechIcon_Click";
constexpr const char* kCsmKeyClick = "_KeyVal_CsmKey_Click";
constexpr const char* kSpellProxyId = "Spell_Proxy_Id";
constexpr const char* kShortcutPos = "Shortcur_Pos";

// Global script functions of the client that rich text calls.
constexpr const char* kScriptItemColor = "item_color";
constexpr const char* kScriptChatItemAddRef = "gFn_chatItem_add_ref";
constexpr const char* kScriptChatItemReleaseRef = "gFn_chatItem_release_ref";
// Run with the command kind and the command of every clicked command text.
constexpr const char* kScriptGuideCmdTextOnClick = "gFn_guide_cmd_text_on_click";
// The client's script that shows why a read-only item icon refuses a click.
constexpr const char* kScriptPrintReason = "gFn_print_reason";
// The client's script that makes the chat markup of an item link for the chat input.
constexpr const char* kScriptMakeChatItemText = "gFn_make_chat_item_text";
} // namespace HostTrees
} // namespace ZuGUI
