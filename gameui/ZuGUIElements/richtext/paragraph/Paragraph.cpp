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
} // namespace

bool RunStyle::operator==(const RunStyle& other) const
{
    return colors.text == other.colors.text && colors.second == other.colors.second &&
           commandFirst == other.commandFirst && commandEnd == other.commandEnd &&
           itemId == other.itemId && kind == other.kind && commandKind == other.commandKind &&
           viewColour == other.viewColour;
}

void ParagraphBuilder::AddText(TextIndex first, TextIndex end, TextIndex following,
                               const RunStyle& style)
{
    if (first >= end)
        return;
    std::vector<RunStyle>& styles = m_paragraph.m_styles;
    // The runs of one tag share its style.
    if (styles.empty() || styles.back() != style)
        styles.push_back(style);
    const auto styleIndex = static_cast<std::uint32_t>(styles.size() - 1);
    m_paragraph.m_pieces.emplace_back(
        TextRun{first, end, following, m_paragraph.m_shownLength, styleIndex, m_stretch});
    m_paragraph.m_shownLength += end - first;
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
            const TextIndex end = std::min(run->end, text.length());
            // A text shorter than the one parsed still gives every run its length.
            shown.insert(shown.end(), text.ptr() + std::min(run->first, end), text.ptr() + end);
            shown.resize(shown.size() + (run->end - run->first) - (end - std::min(run->first, end)),
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
    Paragraph made = std::move(m_paragraph);
    m_paragraph = Paragraph{};
    m_stretch = 0;
    return made;
}
} // namespace Text
} // namespace ZuGUI
