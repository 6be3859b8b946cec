// Drawing shared by the gauges (the percent bar and the progress bar): a background, a lit part
// that fills a named area of the look from the left, highlights over it, and a frame.
#pragma once

#include <CEGUI/Colour.h>
#include <CEGUI/PropertyHelper.h>
#include <CEGUI/Rect.h>
#include <CEGUI/String.h>
#include <CEGUI/Window.h>

#include <optional>

namespace CEGUI
{
class ColourRect;
}

namespace ZuGUI
{
namespace GaugeImagery
{
// Renders the state imagery `name` of the window's look into `area` (window pixels), tinted by
// `colours` and cut to `clipper` when given. A window without a look, or a look without that
// imagery, draws nothing for it.
void RenderStateImageryIn(CEGUI::Window& window, const CEGUI::String& name,
                          const CEGUI::Rectf& area, const CEGUI::ColourRect* colours = nullptr,
                          const CEGUI::Rectf* clipper = nullptr);
// The same over the whole window.
void RenderStateImagery(CEGUI::Window& window, const CEGUI::String& name);

// The pixel rectangle of the look's named area `name` in window pixels; none when the window
// has no look or the look lacks the area.
std::optional<CEGUI::Rectf> NamedAreaRect(const CEGUI::Window& window, const CEGUI::String& name);

// Draws a gauge whose imagery names start with `style`: "BackGround", then style + "Lights"
// (in `lightColour`) and style + "HighLights" over the part of the area style + "ProgressArea"
// filled to `fill` (0 to 1) from the left, cut to the area, then style + "Frame". Returns the
// area, or none when the look lacks it (nothing is lit then).
std::optional<CEGUI::Rectf> RenderGauge(CEGUI::Window& window, const CEGUI::String& style,
                                        float fill, const CEGUI::Colour& lightColour);

// The value of the window property `name` (normally a property definition of the look), or
// `fallback` when the window has no such property.
template <typename T>
T WindowPropertyOr(const CEGUI::Window& window, const CEGUI::String& name, const T& fallback)
{
    if (!window.isPropertyPresent(name))
        return fallback;
    return CEGUI::PropertyHelper<T>::fromString(window.getProperty(name));
}

// Window properties (look property definitions) that colour a gauge.
constexpr const char* kLightColourProperty = "LightColour";
constexpr const char* kTextColourProperty = "TextColour";

// The gauge colours that looks may define; opaque white when they do not.
CEGUI::Colour LightColour(const CEGUI::Window& window);
CEGUI::Colour TextColour(const CEGUI::Window& window);
} // namespace GaugeImagery
} // namespace ZuGUI
