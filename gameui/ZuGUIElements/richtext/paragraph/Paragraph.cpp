#include "ZuGUIElements/richtext/paragraph/Paragraph.h"

#include <utility>

namespace ZuGUI
{
namespace Text
{
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
    m_paragraph.m_pieces.emplace_back(TextRun{first, end, following, styleIndex, m_stretch});
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
