#include "ZuGUIElements/gamewidgets/GaugeImagery.h"

#include <CEGUI/ColourRect.h>
#include <CEGUI/falagard/WidgetLookFeel.h>
#include <CEGUI/falagard/WidgetLookManager.h>

namespace ZuGUI
{
namespace GaugeImagery
{
namespace
{
const CEGUI::Colour kOpaqueWhite(1.0f, 1.0f, 1.0f, 1.0f);

const CEGUI::WidgetLookFeel* LookOf(const CEGUI::Window& window)
{
    const CEGUI::String& look = window.getLookNFeel();
    if (look.empty())
        return nullptr;
    CEGUI::WidgetLookManager& looks = CEGUI::WidgetLookManager::getSingleton();
    return looks.isWidgetLookAvailable(look) ? &looks.getWidgetLook(look) : nullptr;
}

const CEGUI::StateImagery* StateImageryOf(const CEGUI::Window& window, const CEGUI::String& name)
{
    const CEGUI::WidgetLookFeel* look = LookOf(window);
    return look && look->isStateImageryPresent(name) ? &look->getStateImagery(name) : nullptr;
}

// `area` with its right edge moved so that it covers `fill` of its width.
CEGUI::Rectf FilledPart(CEGUI::Rectf area, float fill)
{
    area.right(area.left() + area.getWidth() * fill);
    return area;
}
} // namespace

void RenderStateImageryIn(CEGUI::Window& window, const CEGUI::String& name,
                          const CEGUI::Rectf& area, const CEGUI::ColourRect* colours,
                          const CEGUI::Rectf* clipper)
{
    if (const CEGUI::StateImagery* imagery = StateImageryOf(window, name))
        imagery->render(window, area, colours, clipper);
}

void RenderStateImagery(CEGUI::Window& window, const CEGUI::String& name)
{
    if (const CEGUI::StateImagery* imagery = StateImageryOf(window, name))
        imagery->render(window);
}

std::optional<CEGUI::Rectf> NamedAreaRect(const CEGUI::Window& window, const CEGUI::String& name)
{
    const CEGUI::WidgetLookFeel* look = LookOf(window);
    if (!look || !look->isNamedAreaDefined(name))
        return std::nullopt;
    return look->getNamedArea(name).getArea().getPixelRect(window);
}

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
