// "TextDirection": the direction of a rich text view's paragraphs. "Auto" takes each
// paragraph's from its first strong character (a Hebrew or Arabic message reads right to left,
// right-aligned; left-to-right text shows as it always did). The view, the chat box and the
// tool tip (which pass it on to their views) declare it alike.
#pragma once

#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/richtext/bidi/BidiText.h"

namespace ZuGUI
{
// The first name is the default: an unknown name is Auto.
inline constexpr NamedOf<Bidi::Direction> kTextDirectionNames[] = {
    {"Auto", Bidi::Direction::Auto},
    {"LeftToRight", Bidi::Direction::LeftToRight},
    {"RightToLeft", Bidi::Direction::RightToLeft},
};

template <auto Getter, auto Setter>
WidgetProperty<Getter, Setter, NamedValueText<kTextDirectionNames>> TextDirectionProperty()
{
    return {"TextDirection",
            "Property to get/set the direction of the text's paragraphs.  Value is \"Auto\", "
            "\"LeftToRight\" or \"RightToLeft\".",
            "Auto"};
}
} // namespace ZuGUI
