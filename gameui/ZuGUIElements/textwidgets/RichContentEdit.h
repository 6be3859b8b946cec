// CRichContentEdit ("ZuGame/RichContentEdit"): a game edit box that also keeps a list of
// content tags, ranges of its text that stand for embedded content, as building blocks for
// derived boxes. Its editing is exactly the game edit box's.
//
// CRichContentEditRenderer ("ZuGame/RichContentEditRenderer") draws any edit box. Text that needs
// the bidirectional algorithm (right-to-left letters, Arabic digits, direction controls) shows in
// display order, as a browser's text field with dir=auto shows it: Arabic letters joined,
// brackets mirrored in right-to-left runs, a right-to-left paragraph aligned to the right (the
// "TextFormatting" mirrored), the caret at the visual edge of its logical position, a selection
// highlighted over each visual piece it covers (EditLineLayout.h), and a click mapped to the
// nearest caret position where the line was last drawn, the text area's inset counted (the
// Falagard edit box leaves it out of its clicks). The window's text stays in logical order.
// Left-to-right and masked text draw and take clicks exactly as the Falagard edit box does.
#pragma once

#include "ZuGUIElements/base/ModuleRenderer.h"
#include "ZuGUIElements/textwidgets/EditLineLayout.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"

#include <CEGUI/WindowRendererSets/Core/Editbox.h>

#include <vector>

namespace ZuGUI
{
// A range of an edit box's text that stands for embedded content; the characters strictly
// between start and end belong to it.
class CRichContentTag
{
public:
    CRichContentTag(unsigned start, unsigned end) : d_start(start), d_end(end) {}
    virtual ~CRichContentTag() = default;

    unsigned GetStart() const { return d_start; }
    unsigned GetEnd() const { return d_end; }

private:
    unsigned d_start;
    unsigned d_end;
};

class CRichContentEdit : public CGameEditBox
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;

    using CGameEditBox::CGameEditBox;

protected:
    // The box does not own its tags.
    void PushTag(CRichContentTag* tag) { d_tags.push_back(tag); }
    // Removes the first entry of `tag`; nothing when it is not listed.
    void RemoveTag(CRichContentTag* tag);
    // The first tag with start < pos < end, or null.
    CRichContentTag* FindTagAtSize(unsigned pos) const;

private:
    std::vector<CRichContentTag*> d_tags;
};

using CRichContentEditFactory = ZuWindowFactory<CRichContentEdit>;
} // namespace ZuGUI

namespace CEGUI
{
class CRichContentEditRenderer : public ZuGUI::ModuleRenderer<FalagardEditbox>
{
public:
    static const String TypeName;

    using ModuleRenderer::ModuleRenderer;

    size_t getTextIndexFromPosition(const Vector2f& point) const override;

protected:
    void RenderImagery() override;

private:
    Editbox& Box() const { return *static_cast<Editbox*>(d_window); }
    // Whether the text shows other than in logical order: it is not masked and needs the
    // bidirectional algorithm.
    bool ShowsInDisplayOrder() const;
    // Lays out the window's text in its font.
    const ZuGUI::EditLineLayout& LaidOut() const;
    void RenderInDisplayOrder();
    // The x of the line's left end in the text area: the Falagard edit box's scrolling, which
    // keeps the caret in view, with the alignment mirrored for a right-to-left paragraph.
    float LineOffset(const Rectf& textArea, float caretWidth, float caretX);
    void RenderSelection(const WidgetLookFeel& look, const Rectf& textArea) const;
    void RenderLine(const Rectf& textArea) const;

    mutable ZuGUI::EditLineLayout d_line;
    // Where the line's left end was last drawn, in window pixels: clicks map through it.
    float d_lastLineLeft = 0;
};

using CRichContentEditRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CRichContentEditRenderer>;
} // namespace CEGUI
