// Drawing shared by the gauges (the percent bar and the progress bar): a background, a lit part
// that fills a named area of the look from the left, highlights over it, and a frame.
#pragma once

#include <CEGUI/Colour.h>
#include <CEGUI/Rect.h>
#include <CEGUI/String.h>
#include <CEGUI/Window.h>

#include <optional>

namespace ZuGUI
{
namespace GaugeImagery
{
// Draws a gauge whose imagery names start with `style`: "BackGround", then style + "Lights"
// (in `lightColour`) and style + "HighLights" over the part of the area style + "ProgressArea"
// filled to `fill` (0 to 1) from the left, cut to the area, then style + "Frame". Returns the
// area, or none when the look lacks it (nothing is lit then).
std::optional<CEGUI::Rectf> RenderGauge(CEGUI::Window& window, const CEGUI::String& style,
                                        float fill, const CEGUI::Colour& lightColour);

// Window properties (look property definitions) that colour a gauge.
constexpr const char* kLightColourProperty = "LightColour";
constexpr const char* kTextColourProperty = "TextColour";

// The gauge colours that looks may define; opaque white when they do not.
CEGUI::Colour LightColour(const CEGUI::Window& window);
CEGUI::Colour TextColour(const CEGUI::Window& window);
} // namespace GaugeImagery
} // namespace ZuGUI
