#include "ZuGUIElements/richtext/TextBlocks.h"

#include "ZuGUIElements/richtext/IRichTextView.h"
#include "ZuGUIElements/richtext/bidi/ShownForms.h"
#include "public/MarkupText.h"

#include <CEGUI/ColourRect.h>
#include <CEGUI/Font.h>
#include <CEGUI/Image.h>

#include <algorithm>
#include <memory>
#include <new>

namespace ZuGUI
{
CEGUI::String TextRange(const CEGUI::String& text, TextIndex start, TextIndex count)
{
    if (start >= text.length())
        return CEGUI::String();
    return text.substr(start, count);
}

TextIndex FindMark(const CEGUI::String& text, CEGUI::utf32 mark, TextIndex first, TextIndex end)
{
    end = std::min(end, text.length());
    if (first >= end)
        return kNoText;
    const CEGUI::utf32* chars = text.ptr();
    const CEGUI::utf32* found = std::find(chars + first, chars + end, mark);
    return found != chars + end ? static_cast<TextIndex>(found - chars) : kNoText;
}

// ---------------------------------------------------------------------------------------------
// ITextBlock

bool ITextBlock::OnMouseButton(IRichTextView&, float x, float y, CEGUI::MouseButton, bool pressed)
{
    SetFlag(kPressed, pressed);
    return Contains(x, y);
}

void ITextBlock::OnMouseMove(IRichTextView& view, float x, float y, CEGUI::MouseButton)
{
    const bool hovered = Contains(x, y) && view.ContainsMouse();
    if (hovered == IsHovered())
        return;
    SetFlag(kHovered, hovered);
    view.RequestViewRedraw();
}

bool ITextBlock::Contains(float x, float y) const
{
    return m_area.left() < x && x < m_area.right() && m_area.top() < y && y < m_area.bottom();
}

bool ITextBlock::Meets(const CEGUI::Rectf& rect) const
{
    return m_area.right() >= rect.left() && m_area.left() <= rect.right() &&
           m_area.bottom() >= rect.top() && m_area.top() <= rect.bottom();
}

CEGUI::Vector2f ITextBlock::WindowPosition(const CEGUI::Rectf& visible,
                                           const CEGUI::Rectf& area) const
{
    return CEGUI::Vector2f(area.left() + m_area.left() - visible.left(),
                           area.top() + m_area.top() - visible.top());
}

void ITextBlock::SetFlag(unsigned flag, bool on)
{
    m_flags = static_cast<std::uint8_t>(on ? (m_flags | flag) : (m_flags & ~flag));
}

namespace TextBlocks
{
// ---------------------------------------------------------------------------------------------
// CPlainText

bool CPlainText::Render(IRichTextView& view, const CEGUI::Rectf& visible, const CEGUI::Rectf& area)
{
    if (!Meets(visible))
        return false;
    const CEGUI::Font* font = GetFont(view);
    if (!font)
        return true;
    font->drawText(view.GetViewGeometry(), GetDrawnText(view), WindowPosition(visible, area), &area,
                   CEGUI::ColourRect(CEGUI::Colour(GetColour())));
    return true;
}

CEGUI::String CPlainText::GetDrawnText(const IRichTextView& view) const
{
    const CEGUI::String* forms = view.GetDisplayForms();
    return forms ? Bidi::DisplayedRange(*forms, m_textStart, m_textCount,
                                        m_bidiLevel & Bidi::kLevelMask)
                 : GetText(view);
}

CEGUI::String CPlainText::GetText(const IRichTextView& view) const
{
    return TextRange(view.GetViewText(), m_textStart, m_textCount);
}

const CEGUI::Font* CPlainText::GetFont(const IRichTextView& view) const
{
    return view.GetViewFont();
}

void CPlainText::SetTextRange(TextIndex start, TextIndex count)
{
    m_textStart = start;
    m_textCount = count;
}

// ---------------------------------------------------------------------------------------------
// CCmdText

namespace
{
const TextParser::ClickColors& ClickColors()
{
    return TextParser::CColorPropertyManager::Instance().GetClickColors();
}
} // namespace

bool CCmdText::Render(IRichTextView& view, const CEGUI::Rectf& visible, const CEGUI::Rectf& area)
{
    if (!Meets(visible))
        return false;
    const CEGUI::Rectf windowRect(WindowPosition(visible, area), m_area.getSize());
    if (IsHovered())
        DrawHighlight(view, windowRect, area);
    ReportPosition(view, windowRect);
    return CPlainText::Render(view, visible, area);
}

void CCmdText::DrawHighlight(IRichTextView& view, const CEGUI::Rectf& windowRect,
                             const CEGUI::Rectf& area) const
{
    // Drawn before the text, so the text lies over it.
    if (const CEGUI::Image* brush = view.GetHoverBrush())
        brush->render(view.GetViewGeometry(), windowRect, &area,
                      CEGUI::ColourRect(CEGUI::Colour(ClickColors().hoverHighlight)));
}

void CCmdText::ReportPosition(IRichTextView& view, const CEGUI::Rectf& windowRect) const
{
    if (!HasCommand())
        return;
    const CEGUI::Vector2f centre = windowRect.d_min + (windowRect.d_max - windowRect.d_min) * 0.5f;
    view.GetClient().CommandTextDrawn(GetCommandText(view), m_commandKind, centre);
}

bool CCmdText::OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                             bool pressed)
{
    if (!ITextBlock::OnMouseButton(view, x, y, button, pressed))
        return false;
    if (pressed)
        OnClick(view, button);
    view.GetClient().ShowCommandCursor();
    return true;
}

void CCmdText::OnClick(IRichTextView& view, CEGUI::MouseButton button)
{
    // A command tag written without a parameter has no command to send: its click is
    // consumed and nothing reaches the client.
    if (!HasCommand())
        return;
    view.GetClient().CommandPressed(
        CommandPress{GetCommandText(view), GetText(view), m_commandKind, button});
}

void CCmdText::OnMouseMove(IRichTextView& view, float x, float y, CEGUI::MouseButton button)
{
    const bool wasHovered = IsHovered();
    ITextBlock::OnMouseMove(view, x, y, button);
    if (IsHovered() == wasHovered || !IsWebLink())
        return;
    const CEGUI::String target = GetCommandText(view);
    view.ShowLinkTarget(*this, IsHovered() ? &target : nullptr);
}

CEGUI::argb_t CCmdText::GetColour() const
{
    return IsHovered() ? ClickColors().hoverText : m_colors.text;
}

const CEGUI::Font* CCmdText::GetFont(const IRichTextView& view) const
{
    return view.getCmdFont();
}

void CCmdText::SetCommandRange(TextIndex start, TextIndex count)
{
    m_commandStart = start;
    m_commandCount = count;
}

CEGUI::String CCmdText::GetCommandText(const IRichTextView& view) const
{
    return HasCommand()
               ? MarkupText::Unescape(TextRange(view.GetViewText(), m_commandStart, m_commandCount))
               : CEGUI::String();
}

// ---------------------------------------------------------------------------------------------
// Pictures

bool CPictureBlock::Render(IRichTextView& view, const CEGUI::Rectf& visible,
                           const CEGUI::Rectf& area)
{
    if (!Meets(visible))
        return false;
    if (PushPicture(view, WindowPosition(visible, area)))
        view.GetPictureSink()->SetAddtionalClipper(&area);
    return true;
}

bool CPictureBlock::PushPicture(IRichTextView& view, const CEGUI::Vector2f& position) const
{
    IRichTextPictureSink* sink = view.GetPictureSink();
    if (!sink)
        return false;
    sink->PushTextureIndex(
        PictureRequest{view.GetClient().PictureProxyId(), PackedId(), position.d_x, position.d_y});
    return true;
}

bool CEmoteBlock::OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                                bool pressed)
{
    const bool inside = ITextBlock::OnMouseButton(view, x, y, button, pressed);
    // Last: the client's handling of the click may lay the text out again, and this block
    // with it.
    if (inside)
        OnClick(view, button);
    return inside;
}

void CEmoteBlock::OnClick(IRichTextView& view, CEGUI::MouseButton button)
{
    view.GetClient().EmotePressed(GetEmoteNumber(), button);
}

// ---------------------------------------------------------------------------------------------
// CTextLine

bool CTextLine::Render(IRichTextView& view, const CEGUI::Rectf& visible, const CEGUI::Rectf& area)
{
    if (!Meets(visible))
        return false;
    for (const std::unique_ptr<ITextBlock>& block : m_blocks)
    {
        if (!block->Render(view, visible, area))
            return false;
    }
    RenderBackground(view, visible, area);
    return true;
}

void CTextLine::RenderBackground(IRichTextView& view, const CEGUI::Rectf& visible,
                                 const CEGUI::Rectf& area) const
{
    if (!m_background)
        return;
    // A picture taller than the text area is centred on it vertically.
    CEGUI::Rectf dest = area;
    const float excess = m_background->GetSize().d_height - area.getHeight();
    if (excess > 0.0f)
    {
        dest.top(dest.top() - excess / 2.0f);
        dest.bottom(dest.bottom() + excess / 2.0f);
    }
    const CEGUI::Rectf& picture = m_background->GetArea();
    m_background->PushPicture(view, CEGUI::Vector2f(dest.left() + picture.left() - visible.left(),
                                                    dest.top() + picture.top() - visible.top()));
}

bool CTextLine::OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                              bool pressed)
{
    if (!ITextBlock::OnMouseButton(view, x, y, button, pressed))
        return false;
    for (const std::unique_ptr<ITextBlock>& block : m_blocks)
    {
        if (block->OnMouseButton(view, x, y, button, pressed))
            return true;
    }
    return false;
}

void CTextLine::OnMouseMove(IRichTextView& view, float x, float y, CEGUI::MouseButton button)
{
    for (const std::unique_ptr<ITextBlock>& block : m_blocks)
        block->OnMouseMove(view, x, y, button);
}

void CTextLine::AppendText(const IRichTextView& view, std::vector<CEGUI::utf32>& text) const
{
    for (const std::unique_ptr<ITextBlock>& block : m_blocks)
    {
        const CEGUI::String piece = block->GetText(view);
        text.insert(text.end(), piece.ptr(), piece.ptr() + piece.length());
    }
}

CEGUI::String CTextLine::GetText(const IRichTextView& view) const
{
    std::vector<CEGUI::utf32> text;
    AppendText(view, text);
    return MarkupText::MakeText<CEGUI::String>(text);
}

void CTextLine::SetBackground(std::unique_ptr<CPictureBlock> background)
{
    m_background = std::move(background);
}

BlockList::~BlockList()
{
    Release();
}

void BlockList::push_back(value_type block)
{
    if (m_size == m_capacity)
        Grow();
    new (m_items + m_size) value_type(std::move(block));
    ++m_size;
}

void BlockList::Grow()
{
    const std::uint32_t capacity = std::max<std::uint32_t>(2, m_capacity + m_capacity / 2);
    std::allocator<value_type> allocator;
    value_type* items = allocator.allocate(capacity);
    for (std::uint32_t i = 0; i < m_size; ++i)
    {
        new (items + i) value_type(std::move(m_items[i]));
        m_items[i].~value_type();
    }
    if (m_items)
        allocator.deallocate(m_items, m_capacity);
    m_items = items;
    m_capacity = capacity;
}

void BlockList::clear()
{
    for (std::uint32_t i = 0; i < m_size; ++i)
        m_items[i].~value_type();
    m_size = 0;
}

void BlockList::Release()
{
    clear();
    if (m_items)
        std::allocator<value_type>().deallocate(m_items, m_capacity);
    m_items = nullptr;
    m_capacity = 0;
}

void CTextLine::Reset()
{
    if (m_blocks.capacity() > kUsualBlocks)
        m_blocks.Release();
    else
        m_blocks.clear();
    m_background.reset();
    m_area = CEGUI::Rectf(0.0f, 0.0f, 0.0f, 0.0f);
    m_flags = 0;
    m_bidiLevel = 0;
}
} // namespace TextBlocks
} // namespace ZuGUI
