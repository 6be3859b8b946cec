#include "ZuGUIElements/richtext/RichTextDoc.h"

#include "ZuGUIElements/module/HostTrees.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/RichTextView.h"
#include "public/MarkupText.h"

#include <algorithm>
#include <typeinfo>

namespace ZuGUI
{
namespace TextBlocks
{
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
    ITextBlock::OnMouseButton(view, x, y, button, pressed);
    if (!Contains(x, y))
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

void CTextLine::AddBlock(std::unique_ptr<ITextBlock> block)
{
    m_lowestBottom = std::max(m_lowestBottom, block->GetArea().bottom());
    m_blocks.push_back(std::move(block));
}

void CTextLine::SetBackground(std::unique_ptr<CPictureBlock> background)
{
    m_background = std::move(background);
}

void CTextLine::Reset()
{
    m_blocks.clear();
    if (m_blocks.capacity() > kUsualBlocks)
        Blocks().swap(m_blocks);
    m_background.reset();
    m_lowestBottom = 0.0f;
    m_area = CEGUI::Rectf(0.0f, 0.0f, 0.0f, 0.0f);
    m_flags = 0;
}

void CTextLine::ExtendDown(float bottom)
{
    if (m_blocks.empty())
        return;
    ITextBlock& last = *m_blocks.back();
    CEGUI::Rectf area = last.GetArea();
    area.bottom(bottom);
    last.SetArea(area);
    m_lowestBottom = std::max(m_lowestBottom, bottom);
    Finish();
}

void CTextLine::Finish()
{
    CEGUI::Rectf area = m_area;
    if (m_blocks.empty())
    {
        area.bottom(area.top());
    }
    else
    {
        for (const std::unique_ptr<ITextBlock>& block : m_blocks)
        {
            CEGUI::Rectf blockArea = block->GetArea();
            blockArea.offset(CEGUI::Vector2f(0.0f, m_lowestBottom - blockArea.bottom()));
            block->SetArea(blockArea);
            area.right(blockArea.right());
        }
        area.bottom(m_lowestBottom);
    }
    if (m_background)
    {
        const float shortfall = m_background->GetSize().d_height - area.getHeight();
        if (shortfall > 0.0f)
            area.bottom(area.bottom() + shortfall);
        m_background->SetArea(area);
    }
    m_area = area;
}

// ---------------------------------------------------------------------------------------------
// CRichTextDoc

namespace
{
void CallItemScript(const char* function, int itemId)
{
    if (IZuGUI* host = GetHost())
        host->CallScript(function, itemId);
}
} // namespace

CRichTextDoc::~CRichTextDoc()
{
    ReleaseHeldItemRefs();
    Clear();
}

void CRichTextDoc::NewLine(IRichTextView& view, bool firstLine)
{
    FinishCurrentLine();
    m_penX = static_cast<float>(firstLine ? view.getIndent1stLine() : view.getIndentRestLines());
    m_penY = m_lines.empty() ? 0.0f : m_lines.back()->GetArea().bottom() + m_lineGap;
    std::unique_ptr<CTextLine> line;
    if (m_spareLines.empty())
    {
        line = std::make_unique<CTextLine>();
    }
    else
    {
        line = std::move(m_spareLines.back());
        m_spareLines.pop_back();
    }
    line->SetArea(CEGUI::Rectf(m_penX, m_penY, 0.0f, 0.0f));
    if (m_lineBackground.set >= 1)
        line->SetBackground(MakeLineBackground());
    m_lines.push_back(std::move(line));
}

void CRichTextDoc::FinishCurrentLine()
{
    if (m_lines.empty())
        return;
    CTextLine& line = *m_lines.back();
    line.Finish();
    m_contentWidth = std::max(m_contentWidth, line.GetArea().right());
}

std::unique_ptr<CPictureBlock> CRichTextDoc::MakeLineBackground() const
{
    auto background = std::make_unique<CPictureBlock>();
    static_cast<GamePic_t&>(*background) = m_lineBackground;
    return background;
}

void CRichTextDoc::GetCursor(float& x, float& y) const
{
    x = m_penX;
    y = m_penY;
}

void CRichTextDoc::SetCursor(float x, float y)
{
    // The pen stays on the current line: never back over its blocks (whatever is drawn there
    // is what a press reaches) nor past the layout's edge, never above the line's top (over
    // the lines before it) and never further below than a document may grow at once.
    float left = 0.0f;
    float top = 0.0f;
    if (!m_lines.empty())
    {
        const CTextLine& line = *m_lines.back();
        top = line.GetArea().top();
        left = line.GetBlocks().empty() ? 0.0f : line.GetBlocks().back()->GetArea().right();
    }
    m_penX = std::clamp(x, left, std::max(left, m_layoutWidth));
    m_penY = std::clamp(y, top, top + kMaxPenDrop);
}

void CRichTextDoc::Clear()
{
    m_lineBackground.set = 0;
    // As many spare lines as the last layout had: enough to lay the same text out again.
    m_spareLines.clear();
    for (std::unique_ptr<CTextLine>& line : m_lines)
    {
        line->Reset();
        m_spareLines.push_back(std::move(line));
    }
    m_lines.clear();
    m_penX = 0.0f;
    m_penY = 0.0f;
    m_height = 0.0f;
    m_layoutWidth = 0.0f;
    m_contentWidth = 0.0f;
}

void CRichTextDoc::AddBlock(IRichTextView& view, std::unique_ptr<ITextBlock> block)
{
    if (!block)
        return;
    if (m_lines.empty())
        NewLine(view, true);
    m_penX = block->GetArea().right();
    if (!FoldLineFeed(view, *block))
        m_lines.back()->AddBlock(std::move(block));
}

bool CRichTextDoc::IsLineFeedRun(const IRichTextView& view, const ITextBlock& block)
{
    // Only plain text: a command's blocks are each reported and highlighted on their own.
    if (typeid(block) != typeid(CPlainText))
        return false;
    const auto& text = static_cast<const CPlainText&>(block);
    const CEGUI::String& viewText = view.GetViewText();
    // A block ends at the first line feed in it: one that starts with a line feed holds only
    // that one, or line feeds that were folded into it.
    return text.GetTextCount() >= 1 && text.GetTextStart() < viewText.length() &&
           viewText[text.GetTextStart()] == '\n';
}

bool CRichTextDoc::FoldLineFeed(const IRichTextView& view, const ITextBlock& block)
{
    if (m_lines.size() < 2)
        return false;
    CTextLine& current = *m_lines.back();
    CTextLine& previous = *m_lines[m_lines.size() - 2];
    if (!current.GetBlocks().empty() || current.GetBackground() || previous.GetBackground() ||
        previous.GetBlocks().size() != 1 || !IsLineFeedRun(view, block) ||
        !IsLineFeedRun(view, *previous.GetBlocks().front()))
        return false;
    const auto& lineFeed = static_cast<const CPlainText&>(block);
    auto& run = static_cast<CPlainText&>(*previous.GetBlocks().front());
    if (lineFeed.GetTextCount() != 1 ||
        run.GetTextStart() + run.GetTextCount() != lineFeed.GetTextStart() ||
        run.GetColorPair().text != lineFeed.GetColorPair().text ||
        run.GetColorPair().second != lineFeed.GetColorPair().second)
        return false;
    const CEGUI::Rectf& area = lineFeed.GetArea();
    const CEGUI::Rectf& runArea = run.GetArea();
    const CEGUI::Rectf& line = current.GetArea();
    const CEGUI::Rectf& previousLine = previous.GetArea();
    if (area.left() != runArea.left() || area.right() != runArea.right() ||
        area.top() != line.top() || line.left() != previousLine.left() ||
        line.top() != previousLine.bottom() + m_lineGap)
        return false;
    run.SetTextRange(run.GetTextStart(), run.GetTextCount() + 1);
    previous.ExtendDown(area.bottom());
    current.Reset();
    m_spareLines.push_back(std::move(m_lines.back()));
    m_lines.pop_back();
    return true;
}

void CRichTextDoc::BeginParse(IRichTextView& view)
{
    NewLine(view, true);
    // What the client was told stays held until a parse that ends settles it: a parse that
    // starts again before the last one ended changes nothing for the client.
    m_itemRefs.clear();
}

void CRichTextDoc::EndParse()
{
    // What a shorter text left unused is not held beyond a few.
    if (m_spareLines.size() > kSpareLines)
    {
        m_spareLines.resize(kSpareLines);
        m_spareLines.shrink_to_fit();
    }
    FinishCurrentLine();
    m_height = m_lines.empty() ? 0.0f : m_lines.back()->GetArea().bottom();
    SettleItemRefs();
}

void CRichTextDoc::SettleItemRefs()
{
    // Without a client nothing can be told: the next parse with one settles the difference,
    // so that the client never gets a release for an item it was not told about.
    if (!GetHost())
        return;
    for (const int itemId : m_itemRefs)
    {
        if (m_heldItemRefs.insert(itemId).second)
            CallItemScript(HostTrees::kScriptChatItemAddRef, itemId);
    }
    for (auto held = m_heldItemRefs.begin(); held != m_heldItemRefs.end();)
    {
        if (m_itemRefs.count(*held))
        {
            ++held;
            continue;
        }
        CallItemScript(HostTrees::kScriptChatItemReleaseRef, *held);
        held = m_heldItemRefs.erase(held);
    }
}

void CRichTextDoc::ReleaseHeldItemRefs()
{
    for (const int itemId : m_heldItemRefs)
        CallItemScript(HostTrees::kScriptChatItemReleaseRef, itemId);
    m_heldItemRefs.clear();
    m_itemRefs.clear();
}

void CRichTextDoc::Render(IRichTextView& view, const CEGUI::Rectf& visible,
                          const CEGUI::Rectf& area)
{
    for (const std::unique_ptr<CTextLine>& line : m_lines)
        line->Render(view, visible, area);
}

bool CRichTextDoc::OnMouseButton(IRichTextView& view, const CEGUI::Vector2f& point,
                                 CEGUI::MouseButton button, bool pressed)
{
    for (const std::unique_ptr<CTextLine>& line : m_lines)
    {
        if (line->OnMouseButton(view, point.d_x, point.d_y, button, pressed))
            return true;
    }
    return false;
}

void CRichTextDoc::OnMouseMove(IRichTextView& view, const CEGUI::Vector2f& point,
                               CEGUI::MouseButton button, bool)
{
    for (const std::unique_ptr<CTextLine>& line : m_lines)
        line->OnMouseMove(view, point.d_x, point.d_y, button);
}

CEGUI::Rectf CRichTextDoc::GetDocRect() const
{
    return CEGUI::Rectf(0.0f, 0.0f, m_layoutWidth, m_height);
}

CEGUI::String CRichTextDoc::GetText(const IRichTextView& view) const
{
    // Collected in a vector: a CEGUI string grows to the exact size at each append.
    std::vector<CEGUI::utf32> text;
    for (const std::unique_ptr<CTextLine>& line : m_lines)
        line->AppendText(view, text);
    return MarkupText::MakeText<CEGUI::String>(text);
}

void CRichTextDoc::SetLineBackground(int set, int index)
{
    m_lineBackground.set = static_cast<std::uint16_t>(set);
    m_lineBackground.index = static_cast<std::uint16_t>(index);
    if (m_lineBackground.set != 0 && m_lineBackground.index != 0 && !m_lines.empty())
        m_lines.back()->SetBackground(MakeLineBackground());
}
} // namespace TextBlocks
} // namespace ZuGUI
