// The selection of one or more rich text views that select together: a lone view, or the
// messages of a chat box, selected across messages in their arrival order. Each end of the
// selection is a message (its arrival number; 0 for a lone view) and an index into that
// message's text, so the selection keeps its place while messages arrive, scroll and are laid
// out again; the part of a message that goes (expired, replaced) goes with it.
#pragma once

#include "ZuGUIElements/richtext/TextSelection.h"
#include "ZuGUIElements/textwidgets/CopiedText.h"

#include <CEGUI/Vector.h>

#include <cstdint>
#include <vector>

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
    // Moves the selection's moving end to the text nearest to `screenPoint`; without a selection
    // it starts there.
    void ExtendTo(const CEGUI::Vector2f& screenPoint);
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
    // The group's views that show a message, in arrival order.
    virtual std::vector<ShownMessage> ShownMessages() const = 0;

private:
    struct End
    {
        std::uint64_t message = 0;
        TextIndex index = 0;

        bool operator<(const End& other) const
        {
            return message != other.message ? message < other.message : index < other.index;
        }
    };

    // The end nearest to `screenPoint`: in the last message whose view begins above it, else
    // in the first message.
    bool EndAt(const CEGUI::Vector2f& screenPoint, End& end) const;
    // `message`'s part of the selection; empty when the selection does not reach it.
    TextSelection::Range PartOf(std::uint64_t message, const CGameMultiLine& view) const;
    void Select(const End& anchor, const End& focus);

    End m_anchor;
    End m_focus;
    bool m_active = false;
};
} // namespace ZuGUI
