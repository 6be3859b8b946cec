#include "ZuGUIElements/gamewidgets/PercentBar.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/gamewidgets/GaugeImagery.h"
#include "public/StringTools.h"

#include <algorithm>

namespace ZuGUI
{
const CEGUI::String CPercentBar::WidgetTypeName("ZuGame/PercentBar");
const CEGUI::String CPercentBar::EventNamespace("PercentBar");
const CEGUI::String CPercentBar::EventPercentChanged("PercentChanged");

const CEGUI::ShareProSet CPercentBar::s_SharePros{
    WidgetProperty<&CPercentBar::GetPercent, &CPercentBar::SetPercent>(
        "Value", "Property to get/set the value.  Value is a float.", "0.5"),
    // A "#" text is stored localised.
    WidgetProperty<&CPercentBar::getTooltip2, &CPercentBar::SetTooltip2, LocalizedText>(
        "Tooltips2", "Property to get/set the tooltip2.  Value is a string.", ""),
};

void CPercentBar::SetPercent(float percent)
{
    // Written so that NaN, like any value below 0, becomes 0.
    const float clamped = percent > 0.0f ? std::min(percent, 1.0f) : 0.0f;
    if (!StoreChanged(d_value, clamped))
        return;
    CEGUI::WindowEventArgs args(this);
    OnPercentChange(args);
}

void CPercentBar::OnPercentChange(CEGUI::WindowEventArgs& e)
{
    invalidate();
    fireEvent(EventPercentChanged, e, EventNamespace);
}

void CPercentBar::RequestText()
{
    float ratio = 0.0f;
    const bool answered = QueryPropertyValue(
        [&](KeyValues& reply)
        { ratio = ParseFloat(reply.GetString(HostTrees::kPropertyStringValue, "")); });
    if (!answered)
        return;
    // The tool tip shows the answer as given, so more than 100 % for a ratio above 1.
    setTooltipText(PercentTooltip(ratio));
    SetPercent(ratio);
}

CEGUI::String CPercentBar::PercentTooltip(float ratio) const
{
    if (d_tooltipCaption.empty())
        return CEGUI::String();
    char percent[64];
    SafeFormat(percent, sizeof percent, " %3.2f %%", static_cast<double>(ratio) * 100.0);
    return d_tooltipCaption + percent;
}
} // namespace ZuGUI

namespace CEGUI
{
namespace
{
const ShareProSet s_rendererProperties{
    ZuGUI::WidgetProperty<&CPercentBarRenderer::GetStyle, &CPercentBarRenderer::SetStyle>(
        "Style",
        "Property to get/set the bar's style: the first part of the names of the look's "
        "imageries and area that draw it (the sample skin has \"Broad\" and \"Slim\").  Value "
        "is a string.",
        "Broad"),
};
} // namespace

const String CPercentBarRenderer::TypeName("ZuGame/PercentBar");
const String CPercentBarRenderer::s_DividePropertyName("Divide");
const String
    CPercentBarRenderer::s_LightColourPropertyName(ZuGUI::GaugeImagery::kLightColourProperty);

CPercentBarRenderer::CPercentBarRenderer(const String& type) : GameRenderer(type), d_style("Broad")
{
    RegisterProperties(s_rendererProperties);
}

void CPercentBarRenderer::SetStyle(const String& style)
{
    d_style = style;
    if (d_window)
        d_window->invalidate();
}

int CPercentBarRenderer::GetDivide() const
{
    return d_window ? ZuGUI::LookImagery::WindowPropertyOr(*d_window, s_DividePropertyName, 0) : 0;
}

Colour CPercentBarRenderer::GetLightColour() const
{
    return d_window ? ZuGUI::GaugeImagery::LightColour(*d_window) : Colour(1.0f, 1.0f, 1.0f, 1.0f);
}

void CPercentBarRenderer::RenderImagery()
{
    const ZuGUI::CPercentBar* bar = GameWidget();
    const float fill = bar ? bar->GetPercent() : 0.0f;
    const std::optional<Rectf> area =
        ZuGUI::GaugeImagery::RenderGauge(*d_window, d_style, fill, GetLightColour());
    const int segments = GetDivide();
    if (area && segments != 0)
        RenderDividers(*area, segments);
    RenderProxyLayer();
}

void CPercentBarRenderer::RenderDividers(const Rectf& area, int segments) const
{
    // A bar shows at most one divider per pixel of its area, whatever the look asks for.
    segments = std::min(segments, static_cast<int>(area.getWidth()));
    if (segments <= 0)
        return;
    const Vector2f step(area.getWidth() / static_cast<float>(segments), 0.0f);
    Rectf divider = area;
    divider.offset(step);
    divider.right(divider.left() + 2.0f);
    const ColourRect white(Colour(1.0f, 1.0f, 1.0f, 1.0f));
    for (int i = 1; i < segments; ++i)
    {
        ZuGUI::LookImagery::RenderStateImageryIn(*d_window, "Divider", divider, &white);
        divider.offset(step);
    }
}
} // namespace CEGUI
