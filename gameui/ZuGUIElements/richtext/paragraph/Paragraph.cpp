#include "ZuGUIElements/richtext/paragraph/Paragraph.h"

#include <algorithm>
#include <utility>

namespace ZuGUI
{
namespace Text
{
namespace
{
constexpr CEGUI::utf32 kObjectReplacement = 0xFFFC;

// Gives back the room of `items` when more than a quarter of it is unused.
template <typename Item>
void ShrinkToFit(std::vector<Item>& items)
{
    if (items.capacity() - items.size() > items.size() / 4)
        items.shrink_to_fit();
}
} // namespace

bool RunStyle::operator==(const RunStyle& other) const
{
    return colors.text == other.colors.text && colors.second == other.colors.second &&
           commandFirst == other.commandFirst && commandEnd == other.commandEnd &&
           itemId == other.itemId && kind == other.kind && commandKind == other.commandKind &&
           viewColour == other.viewColour;
}

void ParagraphBuilder::Reserve(std::size_t pieces)
{
    m_paragraph.m_pieces.reserve(pieces);
    m_paragraph.m_styles.reserve(std::min(pieces, kRecentStyles));
}

void ParagraphBuilder::AddText(TextIndex first, TextIndex end, TextIndex following,
                               const RunStyle& style)
{
    // Indices are kept in 32 bits: text beyond them is not shown.
    end = std::min(end, CompactIndex::kMaxCompactIndex - 1);
    if (first >= end)
        return;
    m_paragraph.m_pieces.emplace_back(
        TextRun{first, end, following, StyleIndex(style), m_startsStretch ? 1u : 0u});
    m_startsStretch = false;
    m_paragraph.m_shownLength += end - first;
}

std::uint32_t ParagraphBuilder::StyleIndex(const RunStyle& style)
{
    // The runs of one tag share its style, and so do tags of one kind written again and again
    // (a chat line's names, coloured stretches and the plain text between them).
    std::vector<RunStyle>& styles = m_paragraph.m_styles;
    const std::size_t searched = std::min(styles.size(), kRecentStyles);
    const auto recent =
        std::find(styles.end() - static_cast<std::ptrdiff_t>(searched), styles.end(), style);
    if (recent != styles.end())
        return static_cast<std::uint32_t>(recent - styles.begin());
    styles.push_back(style);
    return static_cast<std::uint32_t>(styles.size() - 1);
}

void ParagraphBuilder::AddPicture(const Picture& picture)
{
    m_paragraph.m_pieces.emplace_back(picture);
    ++m_paragraph.m_shownLength;
}

void Paragraph::AppendShownText(const CEGUI::String& text, std::vector<CEGUI::utf32>& shown) const
{
    for (const Piece& piece : m_pieces)
    {
        if (const auto* run = std::get_if<TextRun>(&piece))
        {
            const TextIndex runFirst = run->first;
            const TextIndex runEnd = run->end;
            const TextIndex end = std::min(runEnd, text.length());
            // A text shorter than the one parsed still gives every run its length.
            shown.insert(shown.end(), text.ptr() + std::min(runFirst, end), text.ptr() + end);
            shown.resize(shown.size() + (runEnd - runFirst) - (end - std::min(runFirst, end)),
                         kObjectReplacement);
        }
        else if (std::holds_alternative<Picture>(piece))
        {
            shown.push_back(kObjectReplacement);
        }
    }
}

Paragraph ParagraphBuilder::Finish()
{
    // Held as long as the document shows it: little room to spare.
    ShrinkToFit(m_paragraph.m_pieces);
    ShrinkToFit(m_paragraph.m_styles);
    Paragraph made = std::move(m_paragraph);
    m_paragraph = Paragraph{};
    m_startsStretch = true;
    return made;
}
} // namespace Text
} // namespace ZuGUI
