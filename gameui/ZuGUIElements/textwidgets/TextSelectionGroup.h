// The selection of one or more rich text views that select together: a lone view, or the
// messages of a chat box, selected across messages in their arrival order. Each end of the
// selection is a message (its arrival number; 0 for a lone view) and an index into that
// message's text, so the selection keeps its place while messages arrive, scroll and are laid
// out again; the part of a message that goes (expired, replaced) goes with it.
#pragma once

#include "ZuGUIElements/richtext/TextSelection.h"
#include "ZuGUIElements/textwidgets/CopiedText.h"

#include <CEGUI/Rect.h>
#include <CEGUI/Vector.h>

#include <cstdint>
#include <vector>

namespace CEGUI
{
class Scrollbar;
}

namespace ZuGUI
{
class CGameMultiLine;

class TextSelectionGroup
{
public:
    // A view of the group and the message it shows.
    struct ShownMessage
    {
        CGameMultiLine* view;
        std::uint64_t message;
    };

    TextSelectionGroup() = default;
    TextSelectionGroup(const TextSelectionGroup&) = delete;
    TextSelectionGroup& operator=(const TextSelectionGroup&) = delete;
    virtual ~TextSelectionGroup() = default;

    // Starts a selection at the text nearest to `screenPoint`.
    void SelectFrom(const CEGUI::Vector2f& screenPoint);
    // Moves the selection's moving end to the text nearest to `screenPoint`; without a selection,
    // or when the message of its other end is no longer shown, it starts there.
    void ExtendTo(const CEGUI::Vector2f& screenPoint);
    // Extends the selection to the text nearest to `screenPoint`, held inside the shown area
    // where text lies hidden beyond its edge: a drag selects only text that is in sight.
    void DragTo(const CEGUI::Vector2f& screenPoint);
    // While a drag holds the pointer above or below the shown area, scrolls that way (faster
    // the farther the pointer is) for `elapsed` seconds and drags to the text that came into
    // sight; false when the pointer is level with the area or nothing can scroll.
    bool ScrollTowards(const CEGUI::Vector2f& screenPoint, float elapsed);
    // Selects the word of `view`'s text under `screenPoint`.
    void SelectWord(CGameMultiLine& view, const CEGUI::Vector2f& screenPoint);
    // Selects every shown message.
    void SelectAll();
    void Clear();

    // The selected text as shown, messages in arrival order and separated by line feeds, with
    // its item links.
    CopiedText Selected() const;
    // Puts the selection on the clipboard; false when nothing is selected or the clipboard took
    // nothing.
    bool Copy() const;

    // Shows the selection in every view of the group.
    void ShowInViews() const;
    // Shows the selection's part of `message` in `view`, which now shows that message.
    void ShowIn(CGameMultiLine& view, std::uint64_t message) const;

protected:
    // An end of the selection: a message and an index into its text.
    struct End
    {
        std::uint64_t message = 0;
        TextIndex index = 0;

        bool operator<(const End& other) const
        {
            return message != other.message ? message < other.message : index < other.index;
        }
    };

    // The group's views that show a message, in arrival order.
    virtual std::vector<ShownMessage> ShownMessages() const = 0;
    // Whether `message` is still there to select (by default: shown).
    virtual bool IsKept(std::uint64_t message) const;
    // The start of the first message's text and the end of the last's (by default: of those
    // shown); false when there is none.
    virtual bool WholeTextEnds(End& first, End& last) const;
    // The text from `first` to `last` as a copy gives it, each message on a line of its own,
    // with its item links (by default: read from the views that show them).
    virtual void AppendTextBetween(const End& first, const End& last,
                                   std::vector<CEGUI::utf32>& text,
                                   std::vector<TextSelection::CopiedLink>& links) const;
    // How far down the text is scrolled: [position, position + page) of [0, length) shows.
    struct VerticalScroll
    {
        float position;
        float page;
        float length;
    };

    // Where the group's text shows, in screen pixels.
    virtual CEGUI::Rectf ShownArea() const = 0;
    virtual VerticalScroll ShownScroll() const = 0;
    // Scrolls the text by `pixels` (down when positive); false when it does not move.
    virtual bool ScrollBy(float pixels) = 0;
    // Moves `bar` by `pixels`; false when it stays where it was (at an end).
    static bool ScrollBarBy(CEGUI::Scrollbar& bar, float pixels);

private:
    // The end nearest to `screenPoint`: in the last message whose view begins above it, else
    // in the first message.
    bool EndAt(const CEGUI::Vector2f& screenPoint, End& end) const;
    // `message`'s part of the selection; empty when the selection does not reach it.
    TextSelection::Range PartOf(std::uint64_t message, const CGameMultiLine& view) const;
    // `message`'s part of the text from `first` to `last` (between them), `whole` its text.
    static TextSelection::Range PartBetween(const End& first, const End& last,
                                            std::uint64_t message,
                                            const TextSelection::Range& whole);
    void Select(const End& anchor, const End& focus);

    End m_anchor;
    End m_focus;
    bool m_active = false;
};
} // namespace ZuGUI
