#include "ZuGUIElements/gamewidgets/ItemIcon.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/module/HostCommands.h"
#include "ZuGUIElements/module/HostQuery.h"
#include "ZuGUIElements/module/HostTrees.h"
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

namespace ItemIconProperty
{
ItemType::ItemType()
    : WidgetProperty(
          "ItemType",
          "Property to get/set the package name for the CZuItemIcon.  Value is a string.", "Item")
{
}

PackageName::PackageName()
    : WidgetProperty(
          "PackageName",
          "Property to get/set the package name for the CZuItemIcon.  Value is a string.", "")
{
}

PackageId::PackageId()
    : WidgetProperty("PackageId",
                     "Property to get/set the package id for the CZuItemIcon.  Value is a uint.",
                     "0")
{
}

PackageIndex::PackageIndex()
    : WidgetProperty("PackageIndex",
                     "Property to get/set the package index for the CZuItemIcon.  Value is a int.",
                     "0")
{
}

DirectId::DirectId()
    : WidgetProperty("CellId",
                     "Property to get/set the direct item id of CZuItemIcon.  Value is a int.", "0")
{
}

ClickIsPick::ClickIsPick()
    : WidgetProperty("ClickIsPick",
                     "Property to get/set the if this CZuItemIcon click operation is pick.  Value "
                     "is a boolean.",
                     "0")
{
}

Picked::Picked()
    : WidgetProperty("Picked",
                     "Property to get/set the if this CZuItemIcon is picked.  Value is a boolean.",
                     "False")
{
}

TargetId::TargetId()
    : WidgetProperty("TargetId",
                     "Property to get/set target id of this CZuItemIcon. Value is a int.", "0")
{
}

ReadOnly::ReadOnly()
    : WidgetProperty("ReadOnly",
                     "Property to get/set the if this CZuItemIcon is read only.  Value is a "
                     "boolean.",
                     "False")
{
}

SpellIndex::SpellIndex()
    : WidgetProperty("Spell_Index", "Property to get/set the spell index.  Value is a integer.",
                     "False")
{
}

RenderOper::RenderOper()
    : WidgetProperty("RenderOper",
                     "Property to get/set the render operation for the icon .  Value is a int.",
                     "0")
{
}

WhyReadOnly::WhyReadOnly()
    : WidgetProperty("WhyReadOnly",
                     "Property to get/set the reason for read-only of this CZuItemIcon.  Value is "
                     "a string.",
                     "")
{
}

namespace
{
PackageName s_packageName;
PackageIndex s_packageIndex;
DirectId s_directId;
ItemType s_itemType;
ClickIsPick s_clickIsPick;
Picked s_picked;
TargetId s_targetId;
ReadOnly s_readOnly;
PackageId s_packageId;
SpellIndex s_spellIndex;
RenderOper s_renderOper;
WhyReadOnly s_whyReadOnly;
} // namespace
} // namespace ItemIconProperty

CItemIcon::SharePropertySet::SharePropertySet()
{
    using namespace ItemIconProperty;
    addProperty(&s_packageName);
    addProperty(&s_packageIndex);
    addProperty(&s_directId);
    addProperty(&s_itemType);
    addProperty(&s_clickIsPick);
    addProperty(&s_picked);
    addProperty(&s_targetId);
    addProperty(&s_readOnly);
    addProperty(&s_packageId);
    addProperty(&s_spellIndex);
    addProperty(&s_renderOper);
    addProperty(&s_whyReadOnly);
}

const CItemIcon::SharePropertySet CItemIcon::s_SharePros;

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

void CItemIcon::SetItemType(const CEGUI::String& itemType)
{
    if (itemType == d_itemType)
        return;
    d_itemType = itemType;
    requestUpdate();
}

void CItemIcon::setPackageName(const CEGUI::String& packageName)
{
    if (packageName == d_packageName)
        return;
    d_packageName = packageName;
    requestUpdate();
}

void CItemIcon::setPackageId(unsigned packageId)
{
    if (packageId == d_packageId)
        return;
    d_packageId = packageId;
    requestUpdate();
}

void CItemIcon::setPackageIndex(int packageIndex)
{
    if (packageIndex == d_packageIndex)
        return;
    d_savedTooltip = getTooltipText();
    d_packageIndex = packageIndex;
    requestUpdate();
}

void CItemIcon::SetDirectId(unsigned directId)
{
    if (directId == d_directId)
        return;
    d_directId = directId;
    requestUpdate();
}

void CItemIcon::SetItemIdx(int itemIndex)
{
    if (itemIndex == d_itemIndex)
        return;
    d_itemIndex = itemIndex;
    requestUpdate();
}

void CItemIcon::SetClickIsPick(bool clickIsPick)
{
    if (clickIsPick == d_clickIsPick)
        return;
    d_clickIsPick = clickIsPick;
    invalidate();
}

void CItemIcon::SetClicked(bool clicked)
{
    if (clicked == d_clicked)
        return;
    d_clicked = clicked;
    invalidate();
}

void CItemIcon::SetRenderOper(int renderOperation)
{
    if (renderOperation == d_renderOperation)
        return;
    d_renderOperation = renderOperation;
    invalidate();
}

void CItemIcon::UpdateImp()
{
    const unsigned previousTarget = d_targetId;
    if (const TypeSpecFns* row = FindTypeSpecFns())
        (this->*row->update)(row->providerName);
    if (d_targetId != previousTarget)
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
    const QueryResult result = QueryHost(
        providerName,
        [&](KeyValues& request)
        {
            request.SetString(HostTrees::kItemType, d_itemType.c_str());
            addKeys(request);
        },
        [&](KeyValues& reply)
        { newId = reply.GetInt(HostTrees::kCellId, HostTrees::kNoChangeId); });
    if (result.NoHostSet())
        return;
    if (!result)
    {
        if (ifUnanswered == IfUnanswered::KeepTarget)
            return;
        newId = 0;
    }
    BindTarget(newId);
}

void CItemIcon::BindTarget(int newId)
{
    if (newId == HostTrees::kNoChangeId)
        return;
    const unsigned previousTarget = d_targetId;
    SetTargetId(static_cast<unsigned>(newId));
    MoveWatch(previousTarget, d_targetId);
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
            BindTarget(static_cast<int>(d_directId));
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
    if (QueryObjectTooltip(tooltip, d_targetId, false) && ComparesTarget())
    {
        const unsigned compareId = QueryCompareId(d_targetId);
        setCompareId(compareId != d_targetId ? compareId : 0);
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
    command.SetInt(HostTrees::kSpellProxyId, static_cast<int>(d_targetId));
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

CItemIconRenderer::CItemIconRenderer(const String& type) : ZuRenderer(type)
{
    SetImageOffset(0.5f, 0.0f, 0.5f, 0.0f);
}

const ZuGUI::CItemIcon* CItemIconRenderer::Icon() const
{
    return dynamic_cast<const ZuGUI::CItemIcon*>(d_window);
}

void CItemIconRenderer::render()
{
    // Back to front: the mask lies under the look's imagery, the picked frame over it, and the
    // image cache (the object's image, then the corner text) over the window's own geometry.
    RenderBackgroundMask();
    RenderStateImagery("Normal");
    ZuRenderer::render();
    const ZuGUI::CItemIcon* icon = Icon();
    if (icon && icon->IsClicked())
        RenderStateImagery("PickedFrame");
    RenderCornerText();
}

void CItemIconRenderer::UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params)
{
    if (const ZuGUI::CItemIcon* icon = Icon())
        params.push_back(
            {icon->GetTargetId(), static_cast<unsigned>(icon->GetRenderOper()), 0.0f, 0.0f});
}

const Image* CItemIconRenderer::getBGMask() const
{
    if (!d_window->isPropertyPresent(s_bgMask))
        return nullptr;
    const String name = d_window->getProperty(s_bgMask);
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
    ZuGUI::ZuWindow* window = GameWindow();
    const String& text = d_window->getTextVisual();
    if (!window || text.empty())
        return;
    const Font* font = CornerTextFont();
    if (!font)
        return;
    const Rectf area = CornerTextArea();
    const ColourRect colours = CornerTextColours();
    GeometryBuffer& buffer = window->GetZuImageCache().GetImageryBuffer();
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
