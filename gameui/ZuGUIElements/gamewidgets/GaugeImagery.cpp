#include "ZuGUIElements/gamewidgets/GaugeImagery.h"

#include "ZuGUIElements/base/LookImagery.h"

#include <CEGUI/ColourRect.h>

namespace ZuGUI
{
namespace GaugeImagery
{
using namespace LookImagery;

namespace
{
const CEGUI::Colour kOpaqueWhite(1.0f, 1.0f, 1.0f, 1.0f);

// `area` with its right edge moved so that it covers `fill` of its width.
CEGUI::Rectf FilledPart(CEGUI::Rectf area, float fill)
{
    area.right(area.left() + area.getWidth() * fill);
    return area;
}
} // namespace

std::optional<CEGUI::Rectf> RenderGauge(CEGUI::Window& window, const CEGUI::String& style,
                                        float fill, const CEGUI::Colour& lightColour)
{
    RenderStateImagery(window, "BackGround");
    const std::optional<CEGUI::Rectf> area = NamedAreaRect(window, style + "ProgressArea");
    if (area)
    {
        const CEGUI::Rectf lit = FilledPart(*area, fill);
        const CEGUI::ColourRect lightColours(lightColour);
        RenderStateImageryIn(window, style + "Lights", lit, &lightColours, &*area);
        RenderStateImageryIn(window, style + "HighLights", lit, nullptr, &*area);
    }
    RenderStateImagery(window, style + "Frame");
    return area;
}

CEGUI::Colour LightColour(const CEGUI::Window& window)
{
    return WindowPropertyOr(window, kLightColourProperty, kOpaqueWhite);
}

CEGUI::Colour TextColour(const CEGUI::Window& window)
{
    return WindowPropertyOr(window, kTextColourProperty, kOpaqueWhite);
}
} // namespace GaugeImagery
} // namespace ZuGUI
