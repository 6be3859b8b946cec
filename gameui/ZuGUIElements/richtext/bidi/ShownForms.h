// How a parsed text shows when it holds right-to-left text: the embedding level of each shown
// character, the direction of its paragraph, and the form each character is drawn in (Arabic
// letters joined, brackets mirrored where they show right to left, controls drawn as nothing).
// A text without right-to-left letters or direction controls shows as it is written, and is
// left empty: it costs nothing.
//
// Paragraphs end at line feeds; each finds its direction from its first strong character, or
// takes the one given. A clickable run (a command, a name, an item or web link) is isolated
// from the text around it: the text's controls cannot reorder its characters, and the direction
// controls inside it do nothing, so that it shows what it sends in the order it is written.
// Controls nested too deep to matter are ignored, so that no isolate is ever refused.
//
// Memory, when not empty: 4 bytes per character of the markup (the forms) and 1 per shown
// character (the levels), and the analysis's buffers while it runs. Time: linear in the text.
#pragma once

#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/richtext/bidi/BidiText.h"

#include <CEGUI/String.h>

#include <cstdint>
#include <vector>

namespace ZuGUI
{
namespace Text
{
class Paragraph;
}

namespace Bidi
{
class ShownForms
{
public:
    // Finds how the shown text of `paragraph`, parsed from `text`, shows in `direction`.
    void Find(const CEGUI::String& text, const Text::Paragraph& paragraph, Direction direction);
    void Clear();

    // Whether the text shows as it is written: left to right, every character as it is.
    bool IsEmpty() const { return m_levels.empty(); }
    // The direction it was found for.
    Direction GetDirection() const { return m_direction; }
    // The level byte (LevelByte) of shown character `shown`: 0 when empty or beyond the text.
    LevelByte LevelAt(TextIndex shown) const
    {
        return shown < m_levels.size() ? m_levels[shown] : 0;
    }
    // The markup with each shown character in the form that is drawn for it, kShownByPrevious
    // for one drawn as nothing; empty when IsEmpty.
    const CEGUI::String& Forms() const { return m_forms; }

private:
    std::vector<LevelByte> m_levels;
    CEGUI::String m_forms;
    Direction m_direction = Direction::Auto;
};

// The characters [start, start + count) of `forms` as drawn in display order at `level`: right
// to left at an odd level (a base character and the marks on it kept together), the characters
// drawn as nothing left out.
CEGUI::String DisplayedRange(const CEGUI::String& forms, TextIndex start, TextIndex count,
                             Level level);
} // namespace Bidi
} // namespace ZuGUI
