#include "ZuGUIElements/richtext/document/MessageHistory.h"

#include "ZuGUIElements/richtext/paragraph/Paragraph.h"

#include <CEGUI/Font.h>

#include <algorithm>
#include <cmath>

namespace ZuGUI
{
namespace RichText
{
namespace
{
// Letters and a space as chat uses them: their mean advance estimates a text's width.
const CEGUI::String kSampleText("the quick brown fox jumps over the lazy dog THE QUICK BROWN FOX");
} // namespace

CMessageHistory::CMessageHistory(IRichTextClient& client, IDocumentHost* host)
    : m_client(client), m_host(host), m_look(std::make_shared<const TextLook>())
{
}

CMessageHistory::~CMessageHistory() = default;

void CMessageHistory::SetLook(std::shared_ptr<const TextLook> look)
{
    if (!look || look == m_look)
        return;
    m_look = std::move(look);
    const CEGUI::Font* font = m_look->font;
    m_lineSpacing = font ? font->getLineSpacing() : 0.0f;
    m_meanAdvance =
        font ? font->getTextAdvance(kSampleText) / static_cast<float>(kSampleText.length()) : 0.0f;
    for (Entry& entry : m_entries)
        entry.document->SetLook(m_look);
    EstimateAll();
}

void CMessageHistory::SetWidth(float width)
{
    if (width == m_width)
        return;
    m_width = width;
    EstimateAll();
}

void CMessageHistory::SetCapacity(std::size_t capacity)
{
    m_capacity = capacity;
    while (m_entries.size() > m_capacity)
        PopOldest();
}

bool CMessageHistory::Push(CEGUI::String markup, const CEGUI::Colour& colour)
{
    if (m_capacity == 0)
        return false;
    if (m_entries.size() == m_capacity)
        PopOldest();
    Entry entry;
    entry.colour = colour;
    entry.lineFeeds =
        static_cast<std::uint32_t>(std::count(markup.ptr(), markup.ptr() + markup.length(), '\n'));
    entry.document = std::make_unique<CTextDocument>(std::move(markup), m_look, m_client, m_host);
    m_entries.push_back(std::move(entry));
    ++m_nextNumber;
    const std::size_t index = m_entries.size() - 1;
    if (ChunkOf(index) == m_chunkHeights.size())
        m_chunkHeights.push_back(0.0);
    SetHeight(index, EstimatedHeight(m_entries.back()), false);
    return true;
}

bool CMessageHistory::PopOldest()
{
    if (m_entries.empty())
        return false;
    m_entries.pop_front();
    ++m_dropped;
    if (m_entries.empty())
    {
        m_chunkHeights.clear();
        m_totalHeight = 0.0;
        m_dropped = 0;
    }
    else if (m_dropped % kChunk == 0)
    {
        // The first chunk held only the dropped message.
        m_totalHeight -= m_chunkHeights.front();
        m_chunkHeights.pop_front();
    }
    else
    {
        ResumChunk(0);
    }
    return true;
}

void CMessageHistory::Clear()
{
    m_entries.clear();
    m_chunkHeights.clear();
    m_totalHeight = 0.0;
    m_dropped = 0;
    m_laidOut.clear();
    m_hovered = 0;
}

std::uint64_t CMessageHistory::NumberOf(std::size_t index) const
{
    return m_nextNumber - m_entries.size() + index;
}

bool CMessageHistory::Holds(std::uint64_t number) const
{
    return !m_entries.empty() && number >= NumberOf(0) && number < m_nextNumber;
}

std::size_t CMessageHistory::ChunkOf(std::size_t index) const
{
    return (m_dropped + index) / kChunk - m_dropped / kChunk;
}

std::size_t CMessageHistory::FirstOfChunk(std::size_t chunk) const
{
    return chunk == 0 ? 0 : (m_dropped / kChunk + chunk) * kChunk - m_dropped;
}

float CMessageHistory::TopOf(std::size_t index) const
{
    const std::size_t chunk = ChunkOf(index);
    double top = 0.0;
    for (std::size_t c = 0; c < chunk; ++c)
        top += m_chunkHeights[c];
    for (std::size_t i = FirstOfChunk(chunk); i < index; ++i)
        top += m_entries[i].height;
    return static_cast<float>(top);
}

std::size_t CMessageHistory::IndexAt(float y) const
{
    if (m_entries.empty())
        return 0;
    double top = 0.0;
    std::size_t chunk = 0;
    for (; chunk + 1 < m_chunkHeights.size() && top + m_chunkHeights[chunk] <= y; ++chunk)
        top += m_chunkHeights[chunk];
    std::size_t index = FirstOfChunk(chunk);
    for (; index + 1 < m_entries.size() && top + m_entries[index].height <= y; ++index)
        top += m_entries[index].height;
    return index;
}

void CMessageHistory::SetHeight(std::size_t index, float height, bool measured)
{
    Entry& entry = m_entries[index];
    entry.measured = measured;
    if (entry.height == height)
        return;
    entry.height = height;
    ResumChunk(ChunkOf(index));
}

void CMessageHistory::ResumChunk(std::size_t chunk)
{
    const std::size_t end = std::min(m_entries.size(), FirstOfChunk(chunk + 1));
    double sum = 0.0;
    for (std::size_t i = FirstOfChunk(chunk); i < end; ++i)
        sum += m_entries[i].height;
    m_totalHeight += sum - m_chunkHeights[chunk];
    m_chunkHeights[chunk] = sum;
}

float CMessageHistory::EstimatedHeight(const Entry& entry) const
{
    if (!(m_width > 0.0f) || m_lineSpacing <= 0.0f)
        return 0.0f;
    // The markup's characters stand for the shown ones: tags make it an overestimate.
    const float width = static_cast<float>(entry.document->GetMarkup().length()) * m_meanAdvance;
    const float wrappedLines = std::max(1.0f, std::ceil(width / m_width));
    return m_lineSpacing * (wrappedLines + static_cast<float>(entry.lineFeeds));
}

void CMessageHistory::EstimateAll()
{
    for (Entry& entry : m_entries)
    {
        entry.height = EstimatedHeight(entry);
        entry.measured = false;
    }
    m_totalHeight = 0.0;
    for (std::size_t chunk = 0; chunk < m_chunkHeights.size(); ++chunk)
    {
        m_chunkHeights[chunk] = 0.0;
        ResumChunk(chunk);
    }
}

void CMessageHistory::LayOut(std::size_t index)
{
    Entry& entry = m_entries[index];
    entry.document->LayOut(m_width);
    SetHeight(index, entry.document->GetHeight(), true);
}

void CMessageHistory::LayOutRange(float top, float bottom)
{
    std::vector<std::uint64_t> laidOut;
    if (!m_entries.empty() && m_width > 0.0f)
    {
        std::size_t index = IndexAt(top);
        // Laying a message out moves only the messages after it.
        for (float messageTop = TopOf(index); index < m_entries.size() && messageTop < bottom;
             ++index)
        {
            LayOut(index);
            laidOut.push_back(NumberOf(index));
            messageTop += m_entries[index].height;
        }
    }
    // Layouts that left the sight are freed; their heights stay as measured.
    const std::uint64_t first = NumberOf(0);
    for (const std::uint64_t number : m_laidOut)
    {
        if (Holds(number) && !std::binary_search(laidOut.begin(), laidOut.end(), number))
            m_entries[number - first].document->ReleaseLayout();
    }
    m_laidOut = std::move(laidOut);
}

void CMessageHistory::Paint(CEGUI::GeometryBuffer& geometry, const CEGUI::Rectf& visible,
                            const CEGUI::Rectf& area)
{
    if (m_entries.empty())
        return;
    std::size_t index = IndexAt(visible.top());
    for (float top = TopOf(index); index < m_entries.size() && top <= visible.bottom(); ++index)
    {
        CTextDocument& document = *m_entries[index].document;
        if (document.IsLaidOut())
            document.Paint(geometry,
                           CEGUI::Rectf(visible.left(), visible.top() - top, visible.right(),
                                        visible.bottom() - top),
                           area);
        top += m_entries[index].height;
    }
}

bool CMessageHistory::IsLaidOutNumber(std::uint64_t number) const
{
    // A message dropped since keeps its number in the list until the next range.
    return Holds(number) && std::binary_search(m_laidOut.begin(), m_laidOut.end(), number);
}

std::size_t CMessageHistory::LaidOutAt(const CEGUI::Vector2f& point, float& top) const
{
    const std::size_t index = IndexAt(point.d_y);
    if (index >= m_entries.size() || !IsLaidOutNumber(NumberOf(index)))
        return m_entries.size();
    top = TopOf(index);
    return index;
}

void CMessageHistory::OnMouseMove(const CEGUI::Vector2f& point, CEGUI::MouseButton button)
{
    float top = 0.0f;
    const std::size_t index = LaidOutAt(point, top);
    const std::uint64_t number = index < m_entries.size() ? NumberOf(index) : 0;
    // The message that the pointer left hears of it, so that its hovered text lets go.
    if (m_hovered != 0 && m_hovered != number && IsLaidOutNumber(m_hovered))
    {
        const std::size_t left = static_cast<std::size_t>(m_hovered - NumberOf(0));
        const float leftTop = TopOf(left);
        m_entries[left].document->OnMouseMove(CEGUI::Vector2f(point.d_x, point.d_y - leftTop),
                                              button);
    }
    m_hovered = number;
    if (index < m_entries.size())
        m_entries[index].document->OnMouseMove(CEGUI::Vector2f(point.d_x, point.d_y - top), button);
}

bool CMessageHistory::OnMouseButton(const CEGUI::Vector2f& point, CEGUI::MouseButton button,
                                    bool pressed)
{
    float top = 0.0f;
    const std::size_t index = LaidOutAt(point, top);
    return index < m_entries.size() &&
           m_entries[index].document->OnMouseButton(CEGUI::Vector2f(point.d_x, point.d_y - top),
                                                    button, pressed);
}

TextSelection::Range CMessageHistory::WholeTextOf(std::size_t index) const
{
    const CTextDocument& document = *m_entries[index].document;
    return TextSelection::WholeText(document.GetDoc().GetParagraph(), document.GetMarkup());
}

void CMessageHistory::AppendText(std::vector<CEGUI::utf32>& text) const
{
    // From the parsed text: a message out of sight has no layout to read.
    std::vector<TextSelection::CopiedLink> links;
    for (const Entry& entry : m_entries)
    {
        const Text::Paragraph& paragraph = entry.document->GetDoc().GetParagraph();
        const CEGUI::String& markup = entry.document->GetMarkup();
        TextSelection::AppendSelectedText(paragraph, markup,
                                          TextSelection::WholeText(paragraph, markup), text, links);
        text.push_back('\n');
    }
}

void CMessageHistory::AppendTextBetween(const TextPlace& first, const TextPlace& last,
                                        std::vector<CEGUI::utf32>& text,
                                        std::vector<TextSelection::CopiedLink>& links) const
{
    if (m_entries.empty() || last.message < first.message)
        return;
    const std::uint64_t from = std::max(first.message, NumberOf(0));
    const std::uint64_t to = std::min(last.message, m_nextNumber - 1);
    // The markups bound the shown text: one allocation for a copy of the whole history.
    std::size_t bound = text.size();
    for (std::uint64_t number = from; number <= to; ++number)
        bound += m_entries[number - NumberOf(0)].document->GetMarkup().length() + 1;
    text.reserve(bound);
    for (std::uint64_t number = from; number <= to; ++number)
    {
        const CTextDocument& document = *m_entries[number - NumberOf(0)].document;
        const Text::Paragraph& paragraph = document.GetDoc().GetParagraph();
        const TextSelection::Range whole =
            TextSelection::WholeText(paragraph, document.GetMarkup());
        const TextSelection::Range part{number == first.message ? first.index : whole.start,
                                        number == last.message ? last.index : whole.end};
        if (part.IsEmpty())
            continue;
        // Messages stand on lines of their own.
        if (!text.empty() && text.back() != '\n')
            text.push_back('\n');
        TextSelection::AppendSelectedText(paragraph, document.GetMarkup(), part, text, links);
    }
}
} // namespace RichText
} // namespace ZuGUI
