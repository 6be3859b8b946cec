// CEGUI's multi-line edit box word-wraps forever when a glyph of its text is wider than its
// text area (a line then takes no character), which happens while a layout is laid out from
// the inside out. The module's multi-line boxes derive from this one, which formats on a size
// change only when every glyph fits, and so at the next usable size.
#pragma once

#include <CEGUI/widgets/MultiLineEditbox.h>

namespace ZuGUI
{
// True when the box does not wrap, or when each glyph of its text fits its text area.
bool CanWrapEveryGlyph(const CEGUI::MultiLineEditbox& box);

class WrapSafeMultiLineEditbox : public CEGUI::MultiLineEditbox
{
public:
    using MultiLineEditbox::MultiLineEditbox;

protected:
    void onSized(CEGUI::ElementEventArgs& e) override;
};
} // namespace ZuGUI
