// "LineBreak": how a rich text view breaks text that does not fit its line. The view, the chat
// box and the tool tip (which pass it on to their views) declare it alike.
#pragma once

#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/richtext/layout/LineBreakMode.h"

namespace ZuGUI
{
// The first name is the default: an unknown name breaks by characters.
inline constexpr NamedOf<TextParser::LineBreakMode> kLineBreakNames[] = {
    {"Character", TextParser::LineBreakMode::Character},
    {"Word", TextParser::LineBreakMode::Word},
};

template <auto Getter, auto Setter>
WidgetProperty<Getter, Setter, NamedValueText<kLineBreakNames>> LineBreakProperty()
{
    return {"LineBreak",
            "Property to get/set how lines break.  Value is \"Character\" or \"Word\".",
            "Character"};
}
} // namespace ZuGUI
