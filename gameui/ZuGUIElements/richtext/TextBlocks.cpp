#include "ZuGUIElements/richtext/TextBlocks.h"

#include "ZuGUIElements/base/ZuImage.h"
#include "ZuGUIElements/module/HostCommands.h"
#include "ZuGUIElements/module/HostQuery.h"
#include "ZuGUIElements/module/HostTrees.h"
#include "ZuGUIElements/platform/PictureSource.h"
#include "ZuGUIElements/richtext/RichTextView.h"
#include "ZuGUIElements/web/TrustedAddress.h"
#include "public/CodePage.h"
#include "public/MarkupText.h"

#include <CEGUI/ColourRect.h>
#include <CEGUI/Font.h>
#include <CEGUI/Image.h>

namespace ZuGUI
{
CEGUI::String TextRange(const CEGUI::String& text, TextIndex start, TextIndex count)
{
    if (start >= text.length())
        return CEGUI::String();
    return text.substr(start, count);
}

// ---------------------------------------------------------------------------------------------
// ITextBlock

bool ITextBlock::OnMouseButton(IRichTextView&, float, float, CEGUI::MouseButton, bool pressed)
{
    SetFlag(kPressed, pressed);
    return false;
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
    m_flags = on ? (m_flags | flag) : (m_flags & ~flag);
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
    font->drawText(view.GetViewGeometry(), GetText(view), WindowPosition(visible, area), &area,
                   CEGUI::ColourRect(CEGUI::Colour(GetColour())));
    return true;
}

bool CPlainText::OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                               bool pressed)
{
    ITextBlock::OnMouseButton(view, x, y, button, pressed);
    return Contains(x, y);
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

void CCmdText::ReportPosition(const IRichTextView& view, const CEGUI::Rectf& windowRect) const
{
    IZuGUI* host = GetHost();
    if (!host || !HasCommand())
        return;
    const CEGUI::String command = GetCommandText(view);
    const CEGUI::Vector2f centre = windowRect.d_min + (windowRect.d_max - windowRect.d_min) * 0.5f;
    host->ReportCmdTextPos(Utf8ToAnsi(command.c_str(), ""), view.GetViewName().c_str(),
                           m_commandKind, static_cast<int>(centre.d_x),
                           static_cast<int>(centre.d_y));
}

bool CCmdText::OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                             bool pressed)
{
    ITextBlock::OnMouseButton(view, x, y, button, pressed);
    if (!Contains(x, y))
        return false;
    if (pressed)
        OnClick(view, button);
    if (IZuGUI* host = GetHost())
        host->ChangeCursor(0, true);
    return true;
}

void CCmdText::OnClick(IRichTextView& view, CEGUI::MouseButton button)
{
    // A command tag written without a parameter has no command to send: its click is
    // consumed and nothing reaches the client.
    if (!HasCommand())
        return;
    const CEGUI::String command = GetCommandText(view);
    const bool sent = SendHostCommand(
        HostTrees::kCmdClick,
        [&](KeyValues& click)
        {
            click.SetString(HostTrees::kCmdContent, command.c_str());
            click.SetString(HostTrees::kCmdText, GetText(view).c_str());
            click.SetString(HostTrees::kCmdWholeText, view.GetViewText().c_str());
            click.SetInt(HostTrees::kCmdOpcode, m_commandKind);
            click.SetString(HostTrees::kCmdMouseButtonType, MouseButtonTypeText(button));
            if (m_commandKind == kHttpCommand)
                click.SetInt(HostTrees::kCmdTrusted, IsTrustedWebLink(command.c_str()) ? 1 : 0);
        });
    if (sent)
        GetHost()->CallScriptIntStr(HostTrees::kScriptGuideCmdTextOnClick, m_commandKind,
                                    Utf8ToAnsi(command.c_str(), ""));
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

CEGUI::Sizef GamePic_t::GetSize() const
{
    return GetPictureSize(set, index);
}

bool CPictureBlock::Render(IRichTextView& view, const CEGUI::Rectf& visible,
                           const CEGUI::Rectf& area)
{
    if (!Meets(visible))
        return false;
    if (PushPicture(view, WindowPosition(visible, area)))
        view.GetPictureSink()->SetAddtionalClipper(&area);
    return true;
}

bool CPictureBlock::OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                                  bool pressed)
{
    ITextBlock::OnMouseButton(view, x, y, button, pressed);
    return Contains(x, y);
}

bool CPictureBlock::PushPicture(IRichTextView& view, const CEGUI::Vector2f& position) const
{
    IRichTextPictureSink* sink = view.GetPictureSink();
    if (!sink)
        return false;
    sink->PushTextureIndex(
        tagTexture_Param{PictureRenderProxyId(), PackedId(), position.d_x, position.d_y});
    return true;
}

bool CEmoteBlock::OnMouseButton(IRichTextView& view, float x, float y, CEGUI::MouseButton button,
                                bool pressed)
{
    if (Contains(x, y))
        OnClick(view, button);
    return CPictureBlock::OnMouseButton(view, x, y, button, pressed);
}

void CEmoteBlock::OnClick(IRichTextView&, CEGUI::MouseButton button)
{
    // The content and text keys carry their own names: an emote has neither.
    SendHostCommand(HostTrees::kCmdClick,
                    [&](KeyValues& click)
                    {
                        click.SetInt(HostTrees::kCmdOpcode, kEmote);
                        click.SetString(HostTrees::kCmdMouseButtonType,
                                        MouseButtonTypeText(button));
                        click.SetInt(HostTrees::kCmdPicIdx, GetEmoteNumber());
                        click.SetString(HostTrees::kCmdContent, HostTrees::kCmdContent);
                        click.SetString(HostTrees::kCmdText, HostTrees::kCmdText);
                    });
}

namespace
{
unsigned g_pictureRenderProxyId = 0;
bool g_pictureRenderProxyIdAsked = false;
} // namespace

unsigned PictureRenderProxyId()
{
    if (g_pictureRenderProxyIdAsked)
        return g_pictureRenderProxyId;
    const QueryResult result = QueryHost(
        HostTrees::kGameCreatureProvider,
        [](KeyValues& request)
        { request.SetString(HostTrees::kWhichOne, HostTrees::kWhichOnePicture); },
        [](KeyValues& reply)
        {
            g_pictureRenderProxyId = static_cast<unsigned>(
                reply.GetInt(HostTrees::kCreatureId, static_cast<int>(g_pictureRenderProxyId)));
        });
    g_pictureRenderProxyIdAsked = !result.NoHostSet();
    return g_pictureRenderProxyId;
}

void ResetPictureRenderProxyId()
{
    g_pictureRenderProxyId = 0;
    g_pictureRenderProxyIdAsked = false;
}
} // namespace TextBlocks
} // namespace ZuGUI
