#include "ZuGUIElements/richtext/RichTextDoc.h"

#include "ZuGUIElements/richtext/IRichTextView.h"
#include "public/MarkupText.h"

namespace ZuGUI
{
namespace TextBlocks
{
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

void CRichTextDoc::BeginParse(IRichTextView& view)
{
    m_client = &view.GetClient();
    m_lines.NewLine(view, true);
    // What the client was told stays held until a parse that ends settles it: a parse that
    // starts again before the last one ended changes nothing for the client.
    m_itemRefs.clear();
}

void CRichTextDoc::EndParse()
{
    m_lines.Finish();
    SettleItemRefs();
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
    for (const std::unique_ptr<CTextLine>& line : GetLines())
        line->Render(view, visible, area);
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
