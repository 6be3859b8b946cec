// The rich text views that widgets show their texts in (a chat box's messages, a tool tip's
// text and compare text): children of the look's rich text view type, made one way.
#pragma once

#include "ZuGUIElements/richtext/bidi/BidiText.h"
#include "ZuGUIElements/richtext/layout/LineBreakMode.h"

#include <CEGUI/String.h>

namespace CEGUI
{
class Window;
}

namespace ZuGUI
{
class CGameMultiLine;

// The window type of the views; the look maps it to a rich text view.
inline constexpr const char* kRichTextChildType = "ZuLook/GameMultiLine";

// Adds a rich text view named `name` to `parent`, breaking its lines as `lineBreak` says and
// its paragraphs in `direction`. Null when the look maps the view type to another kind of
// window: nothing is added then.
CGameMultiLine* AddRichTextChild(CEGUI::Window& parent, const CEGUI::String& name,
                                 Layout::LineBreakMode lineBreak, Bidi::Direction direction);
} // namespace ZuGUI
