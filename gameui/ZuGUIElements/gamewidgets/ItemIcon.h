// CItemIcon ("ZuGame/ItemIcon"): the game's slot widget. It shows one game object of one of
// seven item types (item, spell, shortcut, shortcut item, spell in a set, gang technique,
// "CsmKey" object) as a client-rendered image with an optional corner text, the client's tool
// tip and an optional "picked" frame. The addressing properties (item type, package name, id
// and index, direct id, spell index) tell the client which slot to resolve; the icon watches
// the object that the client names. A click either tells the client what was clicked or, in
// pick mode, raises "IconPicked" for the parent and the icon's own subscribers.
#pragma once

#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/InputEvent.h>

#include <map>

class KeyValues;

namespace CEGUI
{
class Font;
class Image;
} // namespace CEGUI

namespace ZuGUI
{
class CItemIcon : public SharedPropertyLayer<CItemIcon, ZuWindow>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    // The client's provider that serves this window type.
    static constexpr const char* ProviderName = "GamePackageManagerProxy";
    static const CEGUI::String EventPicked;
    static const CEGUI::String EventTargetIdChanged;

    static const CEGUI::String s_ItemType_Item;
    static const CEGUI::String s_ItemType_Spell;
    static const CEGUI::String s_ItemType_ShortCut;
    static const CEGUI::String s_ItemType_ShortCutItem;
    static const CEGUI::String s_ItemType_SpellInSet;
    static const CEGUI::String s_ItemType_Tech;
    static const CEGUI::String s_ItemType_CsmKey;

    static const CEGUI::String s_defaultPackageName;
    static constexpr int s_defaultPackageIndex = -1;
    static constexpr int s_defaultItemIndex = -1; // no spell index

    // "RenderIcon": the object's plain icon.
    static constexpr int s_defaultRenderOper = 1;

    static const CEGUI::ShareProSet s_SharePros;

    CItemIcon(const CEGUI::String& type, const CEGUI::String& name);

    CEGUI::String GetItemType() const { return d_itemType; }
    void SetItemType(const CEGUI::String& itemType) { UpdateOnChange(d_itemType, itemType); }
    const CEGUI::String& getPackageName() const { return d_packageName; }
    void setPackageName(const CEGUI::String& packageName)
    {
        UpdateOnChange(d_packageName, packageName);
    }
    unsigned getPackageId() const { return d_packageId; }
    void setPackageId(unsigned packageId) { UpdateOnChange(d_packageId, packageId); }
    int getPackageIndex() const { return d_packageIndex; }
    // Keeps the tool tip in force until now as the fall-back tool tip of the new slot.
    void setPackageIndex(int packageIndex);
    unsigned GetDirectId() const { return d_directId; }
    void SetDirectId(unsigned directId) { UpdateOnChange(d_directId, directId); }
    int ItemIdx() const { return d_itemIndex; }
    void SetItemIdx(int itemIndex) { UpdateOnChange(d_itemIndex, itemIndex); }

    bool GetClickIsPick() const { return d_clickIsPick; }
    void SetClickIsPick(bool clickIsPick) { RedrawOnChange(this, d_clickIsPick, clickIsPick); }
    bool IsClicked() const { return d_clicked; }
    void SetClicked(bool clicked) { RedrawOnChange(this, d_clicked, clicked); }
    bool IsReadOnly() const { return d_readOnly; }
    void SetReadOnly(bool readOnly) { d_readOnly = readOnly; }
    int GetRenderOper() const { return d_renderOperation; }
    void SetRenderOper(int renderOperation)
    {
        RedrawOnChange(this, d_renderOperation, renderOperation);
    }
    const CEGUI::String& getWhyReadOnly() const { return d_whyReadOnly; }
    void setWhyReadOnly(const CEGUI::String& reason) { d_whyReadOnly = reason; }

    // Hands the client the click command of the item type, naming the button.
    virtual void SendClickToClient(CEGUI::MouseButton button);

protected:
    // How one item type is resolved and clicked.
    struct TypeSpecFns
    {
        const char* providerName; // name of the update request
        const char* clickKey;     // name of the click command
        void (CItemIcon::*update)(const char* providerName);
        void (CItemIcon::*command)(KeyValues& command) const;
    };

    void onMouseButtonDown(CEGUI::MouseEventArgs& e) override;
    // CEGUI delivers the second and third press of a quick series as a multi-click instead of
    // a button down: each is a press of the icon all the same.
    void onMouseDoubleClicked(CEGUI::MouseEventArgs& e) override;
    void onMouseTripleClicked(CEGUI::MouseEventArgs& e) override;
    void UpdateImp() override;

    // Each resolves the target id through the client; with no client nothing changes.
    void UpdateImpForItem(const char* providerName);
    void UpdateImpForSpell(const char* providerName);
    void UpdateImpForShortcut(const char* providerName);
    void UpdateImpForSpellInSet(const char* providerName);
    void UpdateImpForTech(const char* providerName);
    void UpdateImpForCsmKey(const char* providerName);

    // Each adds the item type's keys to a click command.
    void CmdForItem(KeyValues& command) const;
    void CmdForSpell(KeyValues& command) const;
    void CmdForShortcut(KeyValues& command) const;
    void CmdForSpellInSet(KeyValues& command) const;
    void CmdForTech(KeyValues& command) const;
    void CmdForCsmKey(KeyValues& command) const;

    // Shows the client's tool tip of the target (the saved tooltip when it has none) and
    // refreshes the compare id.
    void RequestTooltip();
    void InitTypeSpecFns();
    // The row of the current item type, or null for an unknown type.
    const TypeSpecFns* FindTypeSpecFns() const;

private:
    enum class IfUnanswered
    {
        ClearTarget, // the slot is empty: bind to 0
        KeepTarget,
    };

    // Sends the update request of `providerName` with "ItemType" and the keys that
    // `addKeys(KeyValues&)` sets, and binds the reply's "CellId".
    template <typename AddKeys>
    void ResolveTargetId(const char* providerName, IfUnanswered ifUnanswered, AddKeys addKeys);
    // Binds `newId` (-1 changes nothing) and refreshes the tool tip.
    void BindAnswer(int newId);
    void AddPackageKeys(KeyValues& tree) const;
    void AddPackageSlotKeys(KeyValues& tree) const;
    bool HasSpellIndex() const { return d_itemIndex != s_defaultItemIndex; }
    bool ComparesTarget() const;
    // A press of any button: refused while read only, else a pick or a click command.
    void OnPressed(CEGUI::MouseEventArgs& e);
    void ShowReadOnlyReason() const;
    void OnPicked(CEGUI::WindowEventArgs& e);

    CEGUI::String d_itemType;
    CEGUI::String d_packageName;
    unsigned d_packageId = 0;
    int d_packageIndex = s_defaultPackageIndex;
    unsigned d_directId = 0;
    int d_itemIndex = s_defaultItemIndex;
    CEGUI::String d_savedTooltip;
    bool d_clickIsPick = false;
    bool d_clicked = false;
    bool d_readOnly = false;
    int d_renderOperation = s_defaultRenderOper;
    CEGUI::String d_whyReadOnly;
    std::map<CEGUI::String, TypeSpecFns> d_typeSpecFns;
};

using CItemIconFactory = ZuWindowFactory<CItemIcon>;

} // namespace ZuGUI

namespace CEGUI
{
// Draws the item icon: the optional background mask (the look property "bgmask" naming an
// image), the look's "Normal" imagery, the "PickedFrame" imagery while picked, the client's
// image of the bound object, and the window text as a right-aligned corner text in the look's
// "TextArea" and "NormalTextColour" (black without it).
class CItemIconRenderer : public ZuGUI::GameRenderer<ZuGUI::CItemIcon>
{
public:
    static const String TypeName;
    // The look property that names the background mask image.
    static const String s_bgMask;

    explicit CItemIconRenderer(const String& type);

protected:
    void RenderImagery() override;
    // Asks for the bound object's image with the icon's render operation.
    void UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params) override
    {
        PushTargetImage(params);
    }

    // The image that the window's "bgmask" property names, or null.
    const Image* getBGMask() const;

private:
    void RenderBackgroundMask() const;
    void RenderCornerText() const;
    // The client's corner-text font when CEGUI has it, else the window's own font.
    const Font* CornerTextFont() const;
    ColourRect CornerTextColours() const;
    // The look's "TextArea" in window coordinates; the whole window when the look lacks it.
    Rectf CornerTextArea() const;
};

using CItemIconRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CItemIconRenderer>;
} // namespace CEGUI
