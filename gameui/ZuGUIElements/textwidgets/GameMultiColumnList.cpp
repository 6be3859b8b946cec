#include "ZuGUIElements/textwidgets/GameMultiColumnList.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/CoordConverter.h>
#include <CEGUI/Image.h>
#include <CEGUI/widgets/ItemListBase.h>
#include <CEGUI/widgets/ListHeader.h>
#include <CEGUI/widgets/ListboxItem.h>
#include <CEGUI/widgets/MultiColumnList.h>
#include <CEGUI/widgets/Scrollbar.h>

#include <optional>

namespace CEGUI
{
const String CGameMultiColumnList::TypeName("ZuGUI/MultiColumnList");
const String CGameMultiColumnList::s_oddColourPropertyName("OddColour");
const String CGameListItemRenderer::TypeName("ZuGUI/ItemEntry");

void CGameMultiColumnList::RenderImagery()
{
    auto& list = static_cast<MultiColumnList&>(*d_window);
    cacheListboxBaseImagery();
    const Rectf area = getListRenderArea();
    const std::optional<ColourRect> stripeColours =
        ZuGUI::LookImagery::OptionalWindowProperty<ColourRect>(*d_window, s_oddColourPropertyName);
    const Image* stripe = nullptr;
    float y = area.top() - list.getVertScrollbar()->getScrollPosition();
    for (uint row = 0; row < list.getRowCount(); ++row)
        y += RenderRow(row, y, area, stripeColours ? &*stripeColours : nullptr, stripe);
}

float CGameMultiColumnList::RenderRow(uint row, float y, const Rectf& area,
                                      const ColourRect* stripeColours, const Image*& stripe)
{
    auto& list = static_cast<MultiColumnList&>(*d_window);
    const ListHeader& header = *list.getListHeader();
    const float height = list.getHighestRowItemHeight(row);
    // The stripe lies behind the row's items: drawn before them.
    if (row % 2 == 1 && stripe && stripeColours)
    {
        const Rectf band(area.left(), y, area.right(), y + height);
        const Rectf clip = band.getIntersection(area);
        stripe->render(d_window->getGeometryBuffer(), band, &clip, *stripeColours);
    }
    float x = area.left() - list.getHorzScrollbar()->getScrollPosition();
    const float alpha = d_window->getEffectiveAlpha();
    for (uint column = 0; column < list.getColumnCount(); ++column)
    {
        const float width = CoordConverter::asAbsolute(header.getColumnWidth(column),
                                                       header.getPixelSize().d_width);
        if (const ListboxItem* item = list.getItemAtGridReference(MCLGridRef(row, column)))
        {
            if (!stripe)
                stripe = item->getSelectionBrushImage();
            const Rectf cell(x, y, x + width, y + height);
            const Rectf clip = cell.getIntersection(area);
            if (clip.getWidth() != 0.0f)
                item->draw(d_window->getGeometryBuffer(), cell, alpha, &clip);
        }
        x += width;
    }
    return height;
}

void CGameListItemRenderer::RenderImagery()
{
    const auto& entry = static_cast<const ItemEntry&>(*d_window);
    if (const ItemListBase* list = entry.getOwnerList())
    {
        if (list->getItemIndex(&entry) % 2 == 0)
            RenderStateImagery("odd");
    }
    FalagardItemEntry::render();
}
} // namespace CEGUI

namespace ZuGUI
{
void RegisterItemEntryRendererFactory()
{
    SafeRegisterRendererFactory(FactoryInstance<CEGUI::CGameListItemRendererWRFactory>());
}
} // namespace ZuGUI
