// CEGUI::CGameMultiColumnList ("ZuGUI/MultiColumnList"): draws a multi-column list as the
// Falagard renderer does, with a stripe behind every second row (the 2nd, 4th, ...) tinted by
// the list's "OddColour" (a colour rectangle; no stripes without it). The stripe image is the
// selection brush of the first item met.
//
// CEGUI::CGameListItemRenderer ("ZuGUI/ItemEntry"): draws an item list's entry as the Falagard
// entry renderer does, over the look's "odd" imagery for the 1st, 3rd, ... entry. It has no
// row in the module's renderer table: a scheme's WindowRendererSet registers it after the
// table's renderers, and a host that uses the plain exports registers it by hand
// (RegisterItemEntryRendererFactory). An entry in no list draws without a stripe.
#pragma once

#include "ZuGUIElements/base/ModuleRenderer.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/WindowRendererSets/Core/ItemEntry.h>
#include <CEGUI/WindowRendererSets/Core/MultiColumnList.h>

namespace CEGUI
{
class CGameMultiColumnList : public ZuGUI::ModuleRenderer<FalagardMultiColumnList>
{
public:
    static const String TypeName;
    static const String s_oddColourPropertyName;

    using ModuleRenderer::ModuleRenderer;

protected:
    void RenderImagery() override;

private:
    // Draws one row's items from `y`; returns the row's height.
    float RenderRow(uint row, float y, const Rectf& area, const ColourRect* stripeColours,
                    const Image*& stripe);
};

class CGameListItemRenderer : public ZuGUI::ModuleRenderer<FalagardItemEntry>
{
public:
    static const String TypeName;

    using ModuleRenderer::ModuleRenderer;

protected:
    void RenderImagery() override;
};

using CGameMultiColumnListWRFactory = ZuGUI::ZuWindowRendererFactory<CGameMultiColumnList>;
using CGameListItemRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CGameListItemRenderer>;
} // namespace CEGUI

namespace ZuGUI
{
// Adds "ZuGUI/ItemEntry" to CEGUI's renderers unless it is there (the skip is logged).
void RegisterItemEntryRendererFactory();
} // namespace ZuGUI
