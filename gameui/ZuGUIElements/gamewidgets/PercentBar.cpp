#include "ZuGUIElements/gamewidgets/PercentBar.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/gamewidgets/GaugeImagery.h"
#include "ZuGUIElements/module/HostQuery.h"
#include "ZuGUIElements/module/HostTrees.h"
#include "public/StringTools.h"

#include <algorithm>

namespace ZuGUI
{
const CEGUI::String CPercentBar::WidgetTypeName("ZuGame/PercentBar");
const CEGUI::String CPercentBar::EventNamespace("PercentBar");
const CEGUI::String CPercentBar::EventPercentChanged("PercentChanged");

namespace PercentBarProperty
{
Value::Value() : WidgetProperty("Value", "Property to get/set the value.  Value is a float.", "0")
{
}

Tooltip2::Tooltip2()
    : WidgetProperty("Tooltips2", "Property to get/set the tooltip2.  Value is a string.", "")
{
}

Style::Style()
    : WidgetProperty("Style", "Property to get/set the bar's style.  Value is a string.", "Broad")
{
}
} // namespace PercentBarProperty

PercentBarProperty::Value CPercentBar::s_value;
PercentBarProperty::Tooltip2 CPercentBar::s_tooltip2;

CPercentBar::SharePropertySet::SharePropertySet()
{
    addProperty(&s_value);
    addProperty(&s_tooltip2);
}

const CPercentBar::SharePropertySet CPercentBar::s_SharePros;

CPercentBar::CPercentBar(const CEGUI::String& type, const CEGUI::String& name)
    : SharedPropertyLayer(type, name)
{
}

void CPercentBar::SetPercent(float percent)
{
    // Written so that NaN, like any value below 0, becomes 0.
    const float clamped = percent > 0.0f ? std::min(percent, 1.0f) : 0.0f;
    if (clamped == d_value)
        return;
    d_value = clamped;
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
    const bool answered = QueryHost(
        HostTrees::kGameObjectProperty,
        [&](KeyValues& request)
        {
            request.SetInt(HostTrees::kObjectId, static_cast<int>(GetTargetId()));
            request.SetString(HostTrees::kWhichProperty, GetWhichProperty().c_str());
        },
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
const String CPercentBarRenderer::TypeName("ZuGame/PercentBar");
ZuGUI::PercentBarProperty::Style CPercentBarRenderer::s_style;
const String CPercentBarRenderer::s_DividePropertyName("Divide");
const String
    CPercentBarRenderer::s_LightColourPropertyName(ZuGUI::GaugeImagery::kLightColourProperty);

CPercentBarRenderer::CPercentBarRenderer(const String& type) : ZuRenderer(type), d_style("Broad")
{
    registerProperty(&s_style);
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

void CPercentBarRenderer::render()
{
    const auto* bar = dynamic_cast<const ZuGUI::CPercentBar*>(d_window);
    const float fill = bar ? bar->GetPercent() : 0.0f;
    const std::optional<Rectf> area =
        ZuGUI::GaugeImagery::RenderGauge(*d_window, d_style, fill, GetLightColour());
    const int segments = GetDivide();
    if (area && segments != 0)
        RenderDividers(*area, segments);
    ZuRenderer::render();
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
