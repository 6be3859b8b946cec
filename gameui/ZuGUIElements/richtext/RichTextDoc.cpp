#include "ZuGUIElements/richtext/RichTextDoc.h"

#include "ZuGUIElements/richtext/IRichTextView.h"
#include "ZuGUIElements/richtext/breaks/UnicodeBreaks.h"
#include "public/MarkupText.h"

#include <algorithm>

namespace ZuGUI
{
namespace TextBlocks
{
namespace
{
// Frees the thread's shown text buffer after a text much longer than chat: a thread keeps the
// room of a usual text, not of the longest it ever saw.
void ReleaseLargeBuffer(std::vector<CEGUI::utf32>& buffer)
{
    constexpr std::size_t kKeptCapacity = 64 * 1024;
    if (buffer.capacity() > kKeptCapacity)
        std::vector<CEGUI::utf32>().swap(buffer);
}
} // namespace

CRichTextDoc::~CRichTextDoc()
{
    ReleaseHeldItemRefs();
}

void CRichTextDoc::GetCursor(float& x, float& y) const
{
    x = m_lines.GetPenX();
    y = m_lines.GetPenY();
}

void CRichTextDoc::AddBlock(IRichTextView& view, std::unique_ptr<ITextBlock> block)
{
    m_lines.AddBlock(view, std::move(block));
}

void CRichTextDoc::SetParagraph(Text::Paragraph paragraph)
{
    m_paragraph = std::move(paragraph);
    m_itemColours.clear();
    m_pictureSizes.clear();
    m_breakFlags.clear();
    m_breakFlags.shrink_to_fit();
    m_foundBreakFlags = 0;
    m_shownForms.reset();
    m_shownFormsDirection.reset();
}

void CRichTextDoc::ReleaseLayout()
{
    m_lines.Release();
    m_shownForms.reset();
    m_shownFormsDirection.reset();
}

const Bidi::ShownForms& CRichTextDoc::FindShownForms(const CEGUI::String& text,
                                                     Bidi::Direction direction)
{
    static const Bidi::ShownForms kAsWritten;
    if (m_shownFormsDirection != direction)
    {
        // Found in the thread's forms, and kept only when the text does not show as written.
        thread_local Bidi::ShownForms found;
        found.Find(text, m_paragraph, direction);
        m_shownForms =
            found.IsEmpty() ? nullptr : std::make_unique<Bidi::ShownForms>(std::move(found));
        found.Clear();
        m_shownFormsDirection = direction;
    }
    return m_shownForms ? *m_shownForms : kAsWritten;
}

const CEGUI::String* CRichTextDoc::GetDisplayForms() const
{
    return m_shownForms ? &m_shownForms->Forms() : nullptr;
}

const std::vector<std::uint8_t>& CRichTextDoc::ShownBreakFlags(const CEGUI::String& text,
                                                               std::uint8_t wanted)
{
    std::uint8_t missing = wanted & ~m_foundBreakFlags;
    if (missing == 0)
        return m_breakFlags;
    // Clusters were left out (every character its own): line breaks need them written.
    if (m_breakFlags.empty() && (m_foundBreakFlags & Breaks::kClusterStart))
        missing |= Breaks::kClusterStart;
    // The shown text is characters of the markup and object replacement characters, which
    // join nothing: markup whose characters join none shows no cluster of two.
    const bool onlyClusters = (missing & Breaks::kLineBreakBefore) == 0;
    if (onlyClusters && Breaks::HasOnlySingleCodePointClusters(text.ptr(), text.length()))
    {
        // No flags: the layout takes every character for a cluster of its own.
        m_foundBreakFlags |= missing;
        return m_breakFlags;
    }
    thread_local std::vector<CEGUI::utf32> shown;
    shown.clear();
    m_paragraph.AppendShownText(text, shown);
    if (missing & Breaks::kLineBreakBefore)
        Breaks::FindLineBreaks(shown.data(), shown.size(), m_breakFlags);
    if (missing & Breaks::kClusterStart)
        Breaks::FindClusterStarts(shown.data(), shown.size(), m_breakFlags);
    m_foundBreakFlags |= missing;
    ReleaseLargeBuffer(shown);
    return m_breakFlags;
}

void CRichTextDoc::Resolve(IRichTextClient& client)
{
    m_client = &client;
    ResolveItems(client);
    for (const Text::Piece& piece : m_paragraph.Pieces())
    {
        if (const auto* picture = std::get_if<Text::Picture>(&piece))
            ResolvePictureSize(client, picture->set, picture->index);
        else if (const auto* background = std::get_if<Text::LineBackground>(&piece))
            ResolvePictureSize(client, static_cast<std::uint16_t>(background->set),
                               static_cast<std::uint16_t>(background->index));
    }
}

void CRichTextDoc::ResolvePictureSize(IRichTextClient& client, std::uint16_t set,
                                      std::uint16_t index)
{
    // Set 0 is no picture.
    const GamePic_t picture{set, index};
    if (set != 0 && !m_pictureSizes.count(picture.PackedId()))
        m_pictureSizes.emplace(picture.PackedId(), client.PictureSize(set, index));
}

CEGUI::Sizef CRichTextDoc::PictureSize(std::uint16_t set, std::uint16_t index) const
{
    const auto known = m_pictureSizes.find(GamePic_t{set, index}.PackedId());
    return known != m_pictureSizes.end() ? known->second : CEGUI::Sizef(0.0f, 0.0f);
}

void CRichTextDoc::SetLineBackground(int set, int index)
{
    const GamePic_t picture{static_cast<std::uint16_t>(set), static_cast<std::uint16_t>(index)};
    m_lines.SetLineBackground(picture, PictureSize(picture.set, picture.index));
}

void CRichTextDoc::ResolveItems(IRichTextClient& client)
{
    m_itemRefs.clear();
    for (const Text::RunStyle& style : m_paragraph.Styles())
    {
        if (style.kind != Text::RunKind::ItemLink)
            continue;
        m_itemRefs.insert(static_cast<int>(style.itemId));
        // The client is asked once per item.
        if (!m_itemColours.count(style.itemId))
            m_itemColours.emplace(style.itemId, client.ItemColour(static_cast<int>(style.itemId)));
    }
    SettleItemRefs();
}

std::optional<CEGUI::argb_t> CRichTextDoc::ItemColour(std::uint32_t itemId) const
{
    const auto known = m_itemColours.find(itemId);
    if (known == m_itemColours.end() || known->second == 0)
        return std::nullopt;
    return known->second;
}

void CRichTextDoc::BeginParse(IRichTextView& view)
{
    m_client = &view.GetClient();
    m_lines.NewLine(view, true);
}

void CRichTextDoc::EndParse()
{
    m_lines.Finish();
}

void CRichTextDoc::SettleItemRefs()
{
    // Without a client nothing can be told: the next parse with one settles the difference,
    // so that the client never gets a release for an item it was not told about.
    if (!m_client || !m_client->TracksItemRefs())
        return;
    for (const int itemId : m_itemRefs)
    {
        if (m_heldItemRefs.insert(itemId).second)
            m_client->AddItemRef(itemId);
    }
    for (auto held = m_heldItemRefs.begin(); held != m_heldItemRefs.end();)
    {
        if (m_itemRefs.count(*held))
        {
            ++held;
            continue;
        }
        m_client->ReleaseItemRef(*held);
        held = m_heldItemRefs.erase(held);
    }
}

void CRichTextDoc::ReleaseHeldItemRefs()
{
    if (m_client)
    {
        for (const int itemId : m_heldItemRefs)
            m_client->ReleaseItemRef(itemId);
    }
    m_heldItemRefs.clear();
    m_itemRefs.clear();
}

void CRichTextDoc::Render(IRichTextView& view, const CEGUI::Rectf& visible,
                          const CEGUI::Rectf& area)
{
    // Lines follow one another downwards: only those from the first that reaches the visible
    // part to the last that starts in it are looked at, however long the document.
    const Lines& lines = GetLines();
    auto line = std::lower_bound(lines.begin(), lines.end(), visible.top(),
                                 [](const std::unique_ptr<CTextLine>& each, float top)
                                 { return each->GetArea().bottom() < top; });
    for (; line != lines.end() && (*line)->GetArea().top() <= visible.bottom(); ++line)
        (*line)->Render(view, visible, area);
}

bool CRichTextDoc::OnMouseButton(IRichTextView& view, const CEGUI::Vector2f& point,
                                 CEGUI::MouseButton button, bool pressed)
{
    for (const std::unique_ptr<CTextLine>& line : GetLines())
    {
        if (line->OnMouseButton(view, point.d_x, point.d_y, button, pressed))
            return true;
    }
    return false;
}

void CRichTextDoc::OnMouseMove(IRichTextView& view, const CEGUI::Vector2f& point,
                               CEGUI::MouseButton button, bool)
{
    for (const std::unique_ptr<CTextLine>& line : GetLines())
        line->OnMouseMove(view, point.d_x, point.d_y, button);
}

CEGUI::Rectf CRichTextDoc::GetDocRect() const
{
    return CEGUI::Rectf(0.0f, 0.0f, m_lines.GetWidth(), m_lines.GetHeight());
}

CEGUI::String CRichTextDoc::GetText(const IRichTextView& view) const
{
    // Collected in a vector: a CEGUI string grows to the exact size at each append.
    std::vector<CEGUI::utf32> text;
    for (const std::unique_ptr<CTextLine>& line : GetLines())
        line->AppendText(view, text);
    return MarkupText::MakeText<CEGUI::String>(text);
}
} // namespace TextBlocks
} // namespace ZuGUI
