#include "ZuGUIElements/gamewidgets/ItemIcon.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/host/HostCommands.h"
#include "ZuGUIElements/host/HostQuery.h"
#include "ZuGUIElements/host/HostTrees.h"
#include "public/CodePage.h"

#include <CEGUI/Font.h>
#include <CEGUI/FontManager.h>
#include <CEGUI/ImageManager.h>

namespace ZuGUI
{
const CEGUI::String CItemIcon::WidgetTypeName("ZuGame/ItemIcon");
const CEGUI::String CItemIcon::EventNamespace("ItemIcon");
const CEGUI::String CItemIcon::EventPicked("IconPicked");
const CEGUI::String CItemIcon::EventTargetIdChanged("TargetIdChanged");

const CEGUI::String CItemIcon::s_ItemType_Item("Item");
const CEGUI::String CItemIcon::s_ItemType_Spell("Spell");
const CEGUI::String CItemIcon::s_ItemType_ShortCut("Shortcut");
const CEGUI::String CItemIcon::s_ItemType_ShortCutItem("ShortcutItem");
const CEGUI::String CItemIcon::s_ItemType_SpellInSet("SpellInSet");
const CEGUI::String CItemIcon::s_ItemType_Tech("GangTech");
const CEGUI::String CItemIcon::s_ItemType_CsmKey("CsmKey");

const CEGUI::String CItemIcon::s_defaultPackageName;

namespace
{
// Game icons know all six operations of game images by name.
constexpr NamedValue kIconRenderOperations[] = {
    {"RenderMap", 0},       {"RenderIcon", 1},        {"RenderLargeIcon", 2},
    {"RenderSmallIcon", 3}, {"RenderDarkIcon", 0x11}, {"RenderForceDarkIcon", 0x21},
};
} // namespace

const CEGUI::ShareProSet CItemIcon::s_SharePros{
    WidgetProperty<&CItemIcon::getPackageName, &CItemIcon::setPackageName>(
        "PackageName",
        "Property to get/set the package name for the CZuItemIcon.  Value is a string.", ""),
    WidgetProperty<&CItemIcon::getPackageIndex, &CItemIcon::setPackageIndex, SignedAsUnsignedText>(
        "PackageIndex",
        "Property to get/set the package index for the CZuItemIcon.  Value is a uint.",
        // The text of the initial index (-1), so that a saved layout keeps an index of 0.
        "4294967295"),
    WidgetProperty<&CItemIcon::GetDirectId, &CItemIcon::SetDirectId>(
        "CellId", "Property to get/set the direct item id of CZuItemIcon.  Value is a uint.", "0"),
    WidgetProperty<&CItemIcon::GetItemType, &CItemIcon::SetItemType>(
        "ItemType", "Property to get/set the package name for the CZuItemIcon.  Value is a string.",
        "Item"),
    WidgetProperty<&CItemIcon::GetClickIsPick, &CItemIcon::SetClickIsPick>(
        "ClickIsPick",
        "Property to get/set the if this CZuItemIcon click operation is pick.  Value is a "
        "boolean.",
        "False"),
    WidgetProperty<&CItemIcon::IsClicked, &CItemIcon::SetClicked>(
        "Picked", "Property to get/set the if this CZuItemIcon is picked.  Value is a boolean.",
        "False"),
    // Read only: writes are ignored.
    WidgetProperty<&CItemIcon::GetTargetId, nullptr, UnsignedAsSignedText>(
        "TargetId", "Property to get/set target id of this CZuItemIcon. Value is a int.", "0"),
    WidgetProperty<&CItemIcon::IsReadOnly, &CItemIcon::SetReadOnly>(
        "ReadOnly",
        "Property to get/set the if this CZuItemIcon is read only.  Value is a boolean.", "False"),
    WidgetProperty<&CItemIcon::getPackageId, &CItemIcon::setPackageId>(
        "PackageId", "Property to get/set the package id for the CZuItemIcon.  Value is a uint.",
        "0"),
    WidgetProperty<&CItemIcon::ItemIdx, &CItemIcon::SetItemIdx, SignedAsUnsignedText>(
        // The text of the initial index (-1), as for "PackageIndex".
        "Spell_Index", "Property to get/set the spell index.  Value is a uint.", "4294967295"),
    WidgetProperty<&CItemIcon::GetRenderOper, &CItemIcon::SetRenderOper,
                   NamedValueText<kIconRenderOperations>>(
        "RenderOper",
        "Property to get/set the render operation for the icon .  Value is one of \"RenderMap\", "
        "\"RenderIcon\", \"RenderLargeIcon\", \"RenderSmallIcon\", \"RenderDarkIcon\" and "
        "\"RenderForceDarkIcon\".",
        "RenderIcon"),
    WidgetProperty<&CItemIcon::getWhyReadOnly, &CItemIcon::setWhyReadOnly>(
        "WhyReadOnly",
        "Property to get/set the reason for read-only of this CZuItemIcon.  Value is a string.",
        ""),
};

CItemIcon::CItemIcon(const CEGUI::String& type, const CEGUI::String& name)
    : SharedPropertyLayer(type, name), d_itemType(s_ItemType_Item),
      d_packageName(s_defaultPackageName)
{
    InitTypeSpecFns();
}

void CItemIcon::InitTypeSpecFns()
{
    using namespace HostTrees;
    d_typeSpecFns = {
        // The window's provider follows its window type ("SpellProxyMgr" for spell icons).
        {s_ItemType_Item,
         {GetProviderName().c_str(), kItemIconClick, &CItemIcon::UpdateImpForItem,
          &CItemIcon::CmdForItem}},
        {s_ItemType_Spell,
         {kSpellProxyMgr, kSpellClick, &CItemIcon::UpdateImpForSpell, &CItemIcon::CmdForSpell}},
        {s_ItemType_ShortCut,
         {kSpellProxyMgr, kShortcutClick, &CItemIcon::UpdateImpForShortcut,
          &CItemIcon::CmdForShortcut}},
        {s_ItemType_ShortCutItem,
         {kItemTemplMgr, kShortcutItemClick, &CItemIcon::UpdateImpForShortcut,
          &CItemIcon::CmdForShortcut}},
        {s_ItemType_SpellInSet,
         {kSpellSetMgr, kSpellInSetClick, &CItemIcon::UpdateImpForSpellInSet,
          &CItemIcon::CmdForSpellInSet}},
        {s_ItemType_Tech,
         {kGangTechMgr, kTechIconClick, &CItemIcon::UpdateImpForTech, &CItemIcon::CmdForTech}},
        {s_ItemType_CsmKey,
         {kCsmKeyMgr, kCsmKeyClick, &CItemIcon::UpdateImpForCsmKey, &CItemIcon::CmdForCsmKey}},
    };
}

const CItemIcon::TypeSpecFns* CItemIcon::FindTypeSpecFns() const
{
    const auto found = d_typeSpecFns.find(d_itemType);
    return found != d_typeSpecFns.end() ? &found->second : nullptr;
}

void CItemIcon::setPackageIndex(int packageIndex)
{
    if (packageIndex != d_packageIndex)
        d_savedTooltip = getTooltipText();
    UpdateOnChange(d_packageIndex, packageIndex);
}

void CItemIcon::UpdateImp()
{
    const unsigned previousTarget = GetTargetId();
    if (const TypeSpecFns* row = FindTypeSpecFns())
        (this->*row->update)(row->providerName);
    if (GetTargetId() != previousTarget)
    {
        CEGUI::WindowEventArgs args(this);
        fireEvent(EventTargetIdChanged, args, EventNamespace);
    }
}

template <typename AddKeys>
void CItemIcon::ResolveTargetId(const char* providerName, IfUnanswered ifUnanswered,
                                AddKeys addKeys)
{
    int newId = HostTrees::kNoChangeId;
    const QueryResult result =
        QueryTargetId(providerName, HostTrees::kCellId, newId,
                      [&](KeyValues& request)
                      {
                          request.SetString(HostTrees::kItemType, d_itemType.c_str());
                          addKeys(request);
                      });
    if (result.NoHostSet())
        return;
    if (!result)
    {
        if (ifUnanswered == IfUnanswered::KeepTarget)
            return;
        newId = 0;
    }
    BindAnswer(newId);
}

void CItemIcon::BindAnswer(int newId)
{
    if (newId == HostTrees::kNoChangeId)
        return;
    BindTarget(static_cast<unsigned>(newId));
    RequestTooltip();
}

void CItemIcon::AddPackageKeys(KeyValues& tree) const
{
    tree.SetString(HostTrees::kPackageName, d_packageName.c_str());
    AddPackageSlotKeys(tree);
}

void CItemIcon::AddPackageSlotKeys(KeyValues& tree) const
{
    tree.SetInt(HostTrees::kPackageId, static_cast<int>(d_packageId));
    tree.SetInt(HostTrees::kPackageIndex, d_packageIndex);
}

void CItemIcon::UpdateImpForItem(const char* providerName)
{
    if (d_directId != 0)
    {
        // The object is given: no request, but only a bound icon watches it.
        if (GetHost())
            BindAnswer(static_cast<int>(d_directId));
        return;
    }
    ResolveTargetId(providerName, IfUnanswered::ClearTarget,
                    [this](KeyValues& request) { AddPackageKeys(request); });
}

void CItemIcon::UpdateImpForSpell(const char* providerName)
{
    ResolveTargetId(providerName, IfUnanswered::ClearTarget,
                    [this](KeyValues& request)
                    {
                        if (HasSpellIndex())
                            request.SetInt(HostTrees::kSpellIndex, d_itemIndex);
                        else
                            request.SetString(HostTrees::kPackageName, d_packageName.c_str());
                    });
}

void CItemIcon::UpdateImpForShortcut(const char* providerName)
{
    ResolveTargetId(providerName, IfUnanswered::KeepTarget,
                    [this](KeyValues& request)
                    { request.SetInt(HostTrees::kPackageIndex, d_packageIndex); });
}

void CItemIcon::UpdateImpForSpellInSet(const char* providerName)
{
    ResolveTargetId(providerName, IfUnanswered::KeepTarget,
                    [this](KeyValues& request)
                    {
                        AddPackageKeys(request);
                        request.SetInt(HostTrees::kReadOnly, d_readOnly ? 1 : 0);
                    });
}

void CItemIcon::UpdateImpForTech(const char* providerName)
{
    ResolveTargetId(providerName, IfUnanswered::KeepTarget,
                    [this](KeyValues& request) { AddPackageSlotKeys(request); });
}

void CItemIcon::UpdateImpForCsmKey(const char* providerName)
{
    ResolveTargetId(providerName, IfUnanswered::ClearTarget,
                    [this](KeyValues& request)
                    {
                        if (HasSpellIndex())
                            request.SetInt(HostTrees::kSpellIndex, d_itemIndex);
                        else
                            AddPackageSlotKeys(request);
                    });
}

bool CItemIcon::ComparesTarget() const
{
    return d_itemType == s_ItemType_Item || d_itemType == s_ItemType_Spell;
}

void CItemIcon::RequestTooltip()
{
    CEGUI::String tooltip = d_savedTooltip;
    setCompareId(0);
    if (QueryObjectTooltip(tooltip, GetTargetId(), false) && ComparesTarget())
    {
        const unsigned compareId = QueryCompareId(GetTargetId());
        setCompareId(compareId != GetTargetId() ? compareId : 0);
    }
    if (getTooltipText() != tooltip)
        setTooltipText(tooltip);
}

void CItemIcon::onMouseButtonDown(CEGUI::MouseEventArgs& e)
{
    SharedPropertyLayer::onMouseButtonDown(e);
    OnPressed(e);
}

void CItemIcon::onMouseDoubleClicked(CEGUI::MouseEventArgs& e)
{
    SharedPropertyLayer::onMouseDoubleClicked(e);
    OnPressed(e);
}

void CItemIcon::onMouseTripleClicked(CEGUI::MouseEventArgs& e)
{
    SharedPropertyLayer::onMouseTripleClicked(e);
    OnPressed(e);
}

void CItemIcon::OnPressed(CEGUI::MouseEventArgs& e)
{
    if (d_readOnly)
        ShowReadOnlyReason();
    else if (d_clickIsPick)
        OnPicked(e);
    else
        SendClickToClient(e.button);
}

void CItemIcon::ShowReadOnlyReason() const
{
    if (d_whyReadOnly.empty())
        return;
    if (IZuGUI* host = GetHost())
        host->CallScriptIntStr(HostTrees::kScriptPrintReason, 0,
                               Utf8ToAnsi(d_whyReadOnly.c_str(), ""));
}

void CItemIcon::OnPicked(CEGUI::WindowEventArgs& e)
{
    // The parent's subscribers hear of the pick through the parent's own event set.
    if (CEGUI::Window* parent = getParent())
        parent->fireEvent(EventPicked, e, EventNamespace);
    fireEvent(EventPicked, e, EventNamespace);
    ++e.handled;
}

void CItemIcon::SendClickToClient(CEGUI::MouseButton button)
{
    const TypeSpecFns* row = FindTypeSpecFns();
    if (!row)
        return;
    SendHostCommand(row->clickKey,
                    [&](KeyValues& command)
                    {
                        (this->*row->command)(command);
                        command.SetString(HostTrees::kCmdMouseButtonType,
                                          MouseButtonTypeText(button));
                    });
}

void CItemIcon::CmdForItem(KeyValues& command) const
{
    AddPackageKeys(command);
}

void CItemIcon::CmdForSpell(KeyValues& command) const
{
    command.SetInt(HostTrees::kSpellProxyId, static_cast<int>(GetTargetId()));
}

void CItemIcon::CmdForShortcut(KeyValues& command) const
{
    command.SetInt(HostTrees::kShortcutPos, d_packageIndex);
}

void CItemIcon::CmdForSpellInSet(KeyValues& command) const
{
    AddPackageKeys(command);
}

void CItemIcon::CmdForTech(KeyValues& command) const
{
    AddPackageSlotKeys(command);
}

void CItemIcon::CmdForCsmKey(KeyValues&) const {}
} // namespace ZuGUI

namespace CEGUI
{
namespace
{
// The client's font for corner texts.
constexpr int kCornerTextFontPurpose = 1;
const String kNormalTextColour("NormalTextColour");
const String kTextArea("TextArea");
} // namespace

const String CItemIconRenderer::TypeName("ZuGame/ItemIcon");
const String CItemIconRenderer::s_bgMask("bgmask");

CItemIconRenderer::CItemIconRenderer(const String& type) : GameRenderer(type)
{
    SetImageOffset(0.5f, 0.0f, 0.5f, 0.0f);
}

void CItemIconRenderer::RenderImagery()
{
    // Back to front: the mask lies under the look's imagery, the picked frame over it, and the
    // image cache (the object's image, then the corner text) over the window's own geometry.
    RenderBackgroundMask();
    RenderStateImagery("Normal");
    RenderProxyLayer();
    const ZuGUI::CItemIcon* icon = GameWidget();
    if (icon && icon->IsClicked())
        RenderStateImagery("PickedFrame");
    RenderCornerText();
}

const Image* CItemIconRenderer::getBGMask() const
{
    const String name = ZuGUI::LookImagery::WindowPropertyOr<String>(*d_window, s_bgMask, "");
    ImageManager& images = ImageManager::getSingleton();
    return images.isDefined(name) ? &images.get(name) : nullptr;
}

void CItemIconRenderer::RenderBackgroundMask() const
{
    const Image* mask = getBGMask();
    if (!mask)
        return;
    // The mask keeps its own size, centred in the window.
    const Sizef& maskSize = mask->getRenderedSize();
    const Sizef windowSize = d_window->getPixelSize();
    const Vector2f position((windowSize.d_width - maskSize.d_width) / 2,
                            (windowSize.d_height - maskSize.d_height) / 2);
    mask->render(d_window->getGeometryBuffer(), Rectf(position, maskSize), nullptr,
                 ColourRect(Colour(1.0f, 1.0f, 1.0f, 1.0f)));
}

void CItemIconRenderer::RenderCornerText() const
{
    ZuGUI::CItemIcon* icon = GameWidget();
    const String& text = d_window->getTextVisual();
    if (!icon || text.empty())
        return;
    const Font* font = CornerTextFont();
    if (!font)
        return;
    const Rectf area = CornerTextArea();
    const ColourRect colours = CornerTextColours();
    GeometryBuffer& buffer = icon->GetZuImageCache().GetImageryBuffer();
    // Each line is right-aligned in the area, drawn over the object's image.
    float top = area.top();
    for (String::size_type start = 0;; top += font->getLineSpacing())
    {
        const String::size_type end = text.find('\n', start);
        const String line = text.substr(start, end - start); // to the end when there is no '\n'
        font->drawText(buffer, line, Vector2f(area.right() - font->getTextExtent(line), top), &area,
                       colours);
        if (end == String::npos)
            return;
        start = end + 1;
    }
}

const Font* CItemIconRenderer::CornerTextFont() const
{
    if (ZuGUI::IZuGUI* host = ZuGUI::GetHost())
    {
        const String name = ZuGUI::HostTextToString(host->GetFontName(kCornerTextFontPurpose));
        FontManager& fonts = FontManager::getSingleton();
        if (!name.empty() && fonts.isDefined(name))
            return &fonts.get(name);
    }
    return d_window->getFont();
}

ColourRect CItemIconRenderer::CornerTextColours() const
{
    return ColourRect(ZuGUI::LookImagery::WindowPropertyOr(*d_window, kNormalTextColour,
                                                           Colour(0.0f, 0.0f, 0.0f, 1.0f)));
}

Rectf CItemIconRenderer::CornerTextArea() const
{
    return ZuGUI::LookImagery::NamedAreaRect(*d_window, kTextArea)
        .value_or(Rectf(Vector2f(0.0f, 0.0f), d_window->getPixelSize()));
}
} // namespace CEGUI
