// Reading a window's Falagard look without letting a missing piece throw: state imageries,
// named areas and look property definitions that a look may or may not provide. A state
// imagery that a renderer draws but the window's look lacks (or a window without a look)
// draws nothing and is logged once for the window.
#pragma once

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
namespace LookImagery
{
// The kinds of look element that renderers ask a look for.
enum class LookElement
{
    StateImagery,
    NamedArea,
    Property,
};

// Called with every look element a renderer asks a window's look for, present or not; the
// widget reference records them. None by default.
using LookReadObserver = void (*)(const CEGUI::Window& window, LookElement kind,
                                  const CEGUI::String& name);
void SetLookReadObserver(LookReadObserver observer);
void NotifyLookRead(const CEGUI::Window& window, LookElement kind, const CEGUI::String& name);

// True when the window's look is loaded.
bool HasLook(const CEGUI::Window& window);

// Renders the state imagery `name` of the window's look over the whole window.
void RenderStateImagery(CEGUI::Window& window, const CEGUI::String& name);
// The same into `area` (window pixels), tinted by `colours` and cut to `clipper` when given.
void RenderStateImageryIn(CEGUI::Window& window, const CEGUI::String& name,
                          const CEGUI::Rectf& area, const CEGUI::ColourRect* colours = nullptr,
                          const CEGUI::Rectf* clipper = nullptr);

// The look's named area `name` in window pixels; none when the window has no look or the look
// (with the looks it inherits) lacks the area. Areas are optional pieces: nothing is logged.
std::optional<CEGUI::Rectf> NamedAreaRect(const CEGUI::Window& window, const CEGUI::String& name);

// The value of the window property `name` (normally a property definition of the look), or
// none when the window has no such property.
template <typename T>
std::optional<T> OptionalWindowProperty(const CEGUI::Window& window, const CEGUI::String& name)
{
    NotifyLookRead(window, LookElement::Property, name);
    if (!window.isPropertyPresent(name))
        return std::nullopt;
    return CEGUI::PropertyHelper<T>::fromString(window.getProperty(name));
}

// The same, `fallback` when the window has no such property.
template <typename T>
T WindowPropertyOr(const CEGUI::Window& window, const CEGUI::String& name, const T& fallback)
{
    return OptionalWindowProperty<T>(window, name).value_or(fallback);
}
} // namespace LookImagery
} // namespace ZuGUI
