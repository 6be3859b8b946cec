#include "ZuGUIElements/textwidgets/GameMultiLine.h"

#include "ZuGUIElements/base/LookImagery.h"
#include "ZuGUIElements/base/NullRenderedStringParser.h"
#include "ZuGUIElements/richtext/Utf8String.h"

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/textwidgets/LineBreakProperty.h"
#include "ZuGUIElements/textwidgets/TextDirectionProperty.h"
#include "ZuGUIElements/textwidgets/ZuToolTip.h"
#include "public/MarkupText.h"

#include <CEGUI/ColourRect.h>
#include <CEGUI/CoordConverter.h>
#include <CEGUI/FontManager.h>
#include <CEGUI/GUIContext.h>
#include <CEGUI/SystemKeys.h>
#include <CEGUI/falagard/WidgetLookFeel.h>
#include <CEGUI/widgets/Scrollbar.h>

#include <algorithm>
#include <cmath>

namespace ZuGUI
{
const CEGUI::String CGameMultiLine::WidgetTypeName("ZuGame/GameMultiLine");
const CEGUI::String CGameMultiLine::EventNamespace("GameMultiLine");

// The declared defaults of the last three are "False": they only decide when the value is
// written to XML.
const CEGUI::ShareProSet CGameMultiLine::s_SharePros{
    WidgetProperty<&CGameMultiLine::IsFrameNeeded, &CGameMultiLine::SetNeedFrame>(
        "FrameEnabled",
        "Property to get/set if this game multiline needs frame.  Value is a boolean.", "True"),
    WidgetProperty<&CGameMultiLine::GetforceHideVertScroll,
                   &CGameMultiLine::SetforceHideVertScroll>(
        "ForceHideVertScrollbar",
        "Property to get/set the 'never show' setting for the vertical scroll bar of the game "
        "multiline.  Value is either \"True\" or \"False\".",
        "False"),
    WidgetProperty<&CGameMultiLine::GetforceHideHorzScroll,
                   &CGameMultiLine::SetforceHideHorzScroll>(
        "ForceHideHorzScrollbar",
        "Property to get/set the 'never show' setting for the horizontal scroll bar of the game "
        "multiline.  Value is either \"True\" or \"False\".",
        "False"),
    // Read only: writes are ignored.
    WidgetProperty<&CGameMultiLine::getPlainText, nullptr>(
        "EncodedText", "Property to get/set the plain text of the game multiline.  Value is string",
        ""),
    WidgetProperty<&CGameMultiLine::getDefaultTextColor, &CGameMultiLine::setDefaultTextColor>(
        "DefaultColour",
        "Property to get/set the default text colour of the game multiline.  Value is Colour",
        "FFFFFFFF"),
    WidgetProperty<&CGameMultiLine::getPicked, &CGameMultiLine::setPicked>(
        "Picked", "Property to get/set the if this CGameMultiLine is picked.  Value is a boolean.",
        "False"),
    WidgetProperty<&CGameMultiLine::getCmdFontName, &CGameMultiLine::setCmdFontName>(
        "CmdFont",
        "Property to get/set the command text font of CGameMultiLine.  Value is a string.", ""),
    WidgetProperty<&CGameMultiLine::getIndentRestLines, &CGameMultiLine::setIndentRestLines>(
        "IndentRestLine",
        "Property to get/set the rest line's indent of CGameMultiLine.  Value is an int.", "0"),
    WidgetProperty<&CGameMultiLine::getIndent1stLine, &CGameMultiLine::setIndent1stLine>(
        "Indent1stLine",
        "Property to get/set the 1st line's indent of CGameMultiLine.  Value is an int.", "0"),
    LineBreakProperty<&CGameMultiLine::GetLineBreak, &CGameMultiLine::setLineBreak>(),
    TextDirectionProperty<&CGameMultiLine::GetTextDirection, &CGameMultiLine::setTextDirection>(),
    WidgetProperty<&CGameMultiLine::isTextSelectable, &CGameMultiLine::setTextSelectable>(
        "TextSelectable",
        "Property to get/set if the player can select and copy the text of the game multiline.  "
        "Value is either \"True\" or \"False\".",
        "False"),
};

CGameMultiLine::CGameMultiLine(const CEGUI::String& type, const CEGUI::String& name)
    : ImageLayerWindow(type, name),
      d_document(std::make_unique<RichText::CTextDocument>(
          RichText::CTextDocument::ShownText{getText()}, nullptr, d_client, this)),
      d_defaultTextColour(TextParser::CColorPropertyManager::Instance().GetDefaultColor().text)
{
    // The edit box would lay its text out again whenever the vertical bar shows or hides
    // while it word-wraps; this view lays out its own text.
    d_wordWrap = false;
    setReadOnly(true);
}

void CGameMultiLine::SetNeedFrame(bool needFrame)
{
    if (needFrame == d_frameNeeded)
        return;
    d_frameNeeded = needFrame;
    // The frame decides the text area: text laid out for the other one would be cut off.
    LayOutGameLines(true);
    invalidate();
}

void CGameMultiLine::setLineBreak(TextParser::LineBreakMode mode)
{
    if (!StoreChanged(d_lineBreak, mode))
        return;
    LayOutGameLines(true);
    invalidate();
}

void CGameMultiLine::setTextDirection(Bidi::Direction direction)
{
    if (!StoreChanged(d_textDirection, direction))
        return;
    LayOutGameLines(true);
    invalidate();
}

const CEGUI::String* CGameMultiLine::GetDisplayForms() const
{
    return d_document ? d_document->GetDoc().GetDisplayForms() : nullptr;
}

void CGameMultiLine::setCmdFontName(const CEGUI::String& fontName)
{
    d_cmdFontName = fontName;
    CEGUI::FontManager& fonts = CEGUI::FontManager::getSingleton();
    d_cmdFont = !fontName.empty() && fonts.isDefined(fontName) ? &fonts.get(fontName) : nullptr;
    // The window's own handling: the command font changes how text is drawn, not where.
    CEGUI::WindowEventArgs args(this);
    CEGUI::Window::onFontChanged(args);
}

CEGUI::String CGameMultiLine::getPlainText() const
{
    return d_document ? ValidText(d_document->GetText()) : CEGUI::String();
}

float CGameMultiLine::getDocWidth() const
{
    return (d_document ? d_document->GetContentWidth() : 0.0f) + 4.0f;
}

float CGameMultiLine::getDocHeight() const
{
    return (d_document ? d_document->GetHeight() : 0.0f) + 4.0f;
}

CEGUI::Sizef CGameMultiLine::getDocSize() const
{
    return CEGUI::Sizef(getDocWidth(), getDocHeight());
}

void CGameMultiLine::CacheImage(const ZuImage& image, const CEGUI::ColourRect*,
                                const CEGUI::Rectf* clipper)
{
    if (image.TextureCount() == 0)
        return;
    const CEGUI::Rectf dest(CEGUI::Vector2f(0.0f, 0.0f), getUnclippedInnerRect().get().getSize());
    const CEGUI::Rectf clip = clipper ? clipper->getIntersection(dest) : dest;
    GetZuImageCache().CacheZuImage(image, dest, &clip);
}

CEGUI::Rectf CGameMultiLine::GetTextArea() const
{
    // Without a renderer the whole window is the text area.
    if (!getWindowRenderer())
        return CEGUI::Rectf(CEGUI::Vector2f(0.0f, 0.0f), getPixelSize());
    return getTextRenderArea();
}

float CGameMultiLine::LayoutWidth() const
{
    return GetTextArea().getWidth() - 2.0f;
}

CEGUI::Vector2f CGameMultiLine::GetScrollOffset() const
{
    if (!HasScrollbars())
        return CEGUI::Vector2f(0.0f, 0.0f);
    return CEGUI::Vector2f(d_forceHideHorzScroll ? 0.0f : getHorzScrollbar()->getScrollPosition(),
                           d_forceHideVertScroll ? 0.0f : getVertScrollbar()->getScrollPosition());
}

CEGUI::Vector2f CGameMultiLine::ScreenToDocument(const CEGUI::Vector2f& screenPoint) const
{
    return CEGUI::CoordConverter::screenToWindow(*this, screenPoint) - GetTextArea().d_min +
           GetScrollOffset();
}

CEGUI::Vector2f CGameMultiLine::DocumentToScreen(const CEGUI::Vector2f& documentPoint) const
{
    return documentPoint - GetScrollOffset() + GetTextArea().d_min +
           getUnclippedOuterRect().get().d_min;
}

namespace
{
// `text` as markup of CEGUI's own ("[colour='FF00FF00']"): a backslash makes the next
// character plain.
CEGUI::String EscapeCeguiMarkup(const CEGUI::String& text)
{
    std::vector<CEGUI::utf32> escaped;
    escaped.reserve(text.length());
    for (const CEGUI::utf32 c : text)
    {
        if (c == '[' || c == '\\')
            escaped.push_back('\\');
        escaped.push_back(c);
    }
    return MarkupText::MakeText<CEGUI::String>(escaped);
}
} // namespace

CEGUI::Rectf LoneViewSelection::ShownArea() const
{
    const CEGUI::Rectf area = m_view.GetTextArea();
    const CEGUI::Vector2f origin = m_view.getUnclippedOuterRect().get().d_min;
    return CEGUI::Rectf(area.d_min + origin, area.d_max + origin);
}

TextSelectionGroup::VerticalScroll LoneViewSelection::ShownScroll() const
{
    const IDoc* doc = m_view.QueryDoc();
    return VerticalScroll{m_view.GetScrollOffset().d_y, m_view.GetTextArea().getHeight(),
                          doc ? doc->GetDocRect().bottom() : 0.0f};
}

bool LoneViewSelection::ScrollBy(float pixels)
{
    if (!m_view.HasScrollbars() || m_view.GetforceHideVertScroll())
        return false;
    return ScrollBarBy(*m_view.getVertScrollbar(), pixels);
}

CEGUI::String CGameMultiLine::TooltipTextShowing(const CEGUI::String& text) const
{
    // The module's tool tip reads its text as rich text markup, CEGUI's with text parsing as
    // CEGUI's markup.
    const CEGUI::Tooltip* tip = getTooltip();
    if (dynamic_cast<const CZuToolTip*>(tip))
        return MarkupText::Escape(text);
    if (tip && tip->isTextParsingEnabled())
        return EscapeCeguiMarkup(text);
    return text;
}

void CGameMultiLine::ShowLinkTarget(const ITextBlock& link, const CEGUI::String* target)
{
    if (!target)
    {
        if (d_linkShowingTarget == &link)
            PutOwnTooltipTextBack();
        return;
    }
    // A text set since the last target showed is the view's own.
    if (!d_linkShowingTarget || getTooltipText() != d_shownLinkTarget)
        d_ownTooltipText = getTooltipText();
    d_linkShowingTarget = &link;
    // The tip shows the target exactly as written, whatever markup its text is read as.
    d_shownLinkTarget = TooltipTextShowing(*target);
    setTooltipText(d_shownLinkTarget);
}

void CGameMultiLine::PutOwnTooltipTextBack()
{
    if (!d_linkShowingTarget)
        return;
    d_linkShowingTarget = nullptr;
    // A text set while the target showed is the view's own: it stays.
    if (getTooltipText() == d_shownLinkTarget)
        setTooltipText(d_ownTooltipText);
}

bool CGameMultiLine::ContainsMouse() const
{
    return getGUIContext().getWindowContainingMouse() == this;
}

IRichTextPictureSink* CGameMultiLine::GetPictureSink()
{
    return dynamic_cast<CEGUI::GameMultiLineRenderer*>(getWindowRenderer());
}

void CGameMultiLine::initialiseComponents()
{
    CEGUI::MultiLineEditbox::initialiseComponents();
    FormatGameLines(true);
}

CEGUI::RenderedStringParser& CGameMultiLine::getRenderedStringParser() const
{
    return NullRenderedStringParser::Instance();
}

void CGameMultiLine::destroy()
{
    PutOwnTooltipTextBack();
    if (d_documentDispatches > 0)
        d_documentReleasePending = true;
    else
        d_document.reset();
    CEGUI::MultiLineEditbox::destroy();
}

void CGameMultiLine::FormatGameLines(bool reformatIfScrollbarsChanged)
{
    if (!d_document)
        return;
    d_document->Reparse();
    LayOutGameLines(reformatIfScrollbarsChanged);
}

void CGameMultiLine::LayOutGameLines(bool reformatIfScrollbarsChanged)
{
    if (!d_document)
        return;
    // The blocks are made anew: none of them is hovered.
    PutOwnTooltipTextBack();
    RefreshLook();
    d_document->LayOutAgain(LayoutWidth());
    MakeFakeLine();
    if (configureScrollbars() && reformatIfScrollbarsChanged)
        LayOutGameLines(false);
}

void CGameMultiLine::RefreshLook()
{
    RichText::TextLook look;
    look.font = getFont();
    look.commandFont = d_cmdFont;
    look.defaultTextColour = d_defaultTextColour;
    look.firstLineIndent = d_indent1stLine;
    look.restLinesIndent = d_indentRestLines;
    look.lineBreak = d_lineBreak;
    look.direction = d_textDirection;
    look.hoverBrush = getSelectionBrushImage();
    if (look != d_document->GetLook())
        d_document->SetLook(std::make_shared<const RichText::TextLook>(look));
}

void CGameMultiLine::PaintDocument(const CEGUI::Rectf& visible, const CEGUI::Rectf& area)
{
    if (!d_document)
        return;
    // The command font and the hover brush change how the text is drawn, not where.
    RefreshLook();
    d_document->Paint(getGeometryBuffer(), visible, area);
}

void CGameMultiLine::MakeFakeLine()
{
    d_lines.clear();
    d_lines.push_back(LineInfo{0, getText().length(), 0.0f});
}

bool CGameMultiLine::HasScrollbars() const
{
    return isChild(VertScrollbarName) && isChild(HorzScrollbarName);
}

bool CGameMultiLine::configureScrollbars()
{
    if (!d_document || !HasScrollbars())
        return false;
    CEGUI::Scrollbar& vertBar = *getVertScrollbar();
    CEGUI::Scrollbar& horzBar = *getHorzScrollbar();
    const bool wasVertVisible = vertBar.isVisible();
    const bool wasHorzVisible = horzBar.isVisible();

    const float neededHeight = d_document->GetHeight();
    const float neededWidth = d_widestExtent;
    // Each test reads the text area as it is then: a bar that shows narrows it.
    CEGUI::Rectf area = GetTextArea();
    const auto setVisible = [&](CEGUI::Scrollbar& bar, bool visible)
    {
        if (bar.isVisible() == visible)
            return;
        bar.setVisible(visible);
        area = GetTextArea();
    };
    const auto vertNeeded = [&]
    { return !d_forceHideVertScroll && (area.getHeight() < neededHeight || d_forceVertScroll); };
    const auto horzNeeded = [&]
    { return !d_forceHideHorzScroll && (area.getWidth() < neededWidth || d_forceHorzScroll); };

    if (vertNeeded())
    {
        setVisible(vertBar, true);
        setVisible(horzBar, horzNeeded());
    }
    else if (horzNeeded())
    {
        setVisible(horzBar, true);
        setVisible(vertBar, vertNeeded());
    }
    else
    {
        setVisible(vertBar, false);
        setVisible(horzBar, false);
    }

    ConfigureScrollbar(vertBar, neededHeight, area.getHeight());
    ConfigureScrollbar(horzBar, neededWidth, area.getWidth());
    return vertBar.isVisible() != wasVertVisible || horzBar.isVisible() != wasHorzVisible;
}

void CGameMultiLine::ConfigureScrollbar(CEGUI::Scrollbar& bar, float documentSize,
                                        float pageSize) const
{
    bar.setDocumentSize(documentSize);
    bar.setPageSize(pageSize);
    bar.setStepSize(std::max(1.0f, pageSize / 10.0f));
    bar.setScrollPosition(bar.getScrollPosition());
}

void CGameMultiLine::onSized(CEGUI::ElementEventArgs& e)
{
    // A new height alone lays nothing out again, unless it shows or hides a scroll bar.
    if (d_document && d_document->GetWidth() == LayoutWidth())
    {
        if (configureScrollbars())
            LayOutGameLines(false);
    }
    else
    {
        LayOutGameLines(true);
    }
    CEGUI::Window::onSized(e);
    ++e.handled;
}

void CGameMultiLine::onTextChanged(CEGUI::WindowEventArgs& e)
{
    // An empty text becomes one line feed; that change runs this handling once more.
    if (getText().empty())
    {
        setText(CEGUI::String(1, '\n'));
        ++e.handled;
        return;
    }
    CEGUI::Window::onTextChanged(e);
    clearSelection();
    // The indices of the old text mean nothing in a new one; the same text written again (a
    // script refreshing a view) keeps them. A chat box shows its selection in the new message
    // itself.
    if (d_shownSelection.IsEmpty() || getText() != d_selectedViewText)
    {
        d_ownSelection.Clear();
        SetShownSelection(TextSelection::Range{});
    }
    FormatGameLines(true);
    performChildWindowLayout();
    setCaretIndex(getCaretIndex());
    // The edit box measures the caret with the window's font.
    if (getFont() && HasScrollbars())
        ensureCaretIsVisible();
    ++e.handled;
}

void CGameMultiLine::onFontChanged(CEGUI::WindowEventArgs& e)
{
    LayOutGameLines(true);
    CEGUI::Window::onFontChanged(e);
}

template <typename Dispatch>
void CGameMultiLine::DispatchToDocument(Dispatch&& dispatch)
{
    if (!d_document)
        return;
    ++d_documentDispatches;
    dispatch(*d_document);
    --d_documentDispatches;
    if (d_documentDispatches == 0 && d_documentReleasePending)
    {
        d_documentReleasePending = false;
        d_document.reset();
    }
}

void CGameMultiLine::ForwardMouseMove(const CEGUI::MouseEventArgs& e)
{
    DispatchToDocument([&](RichText::CTextDocument& document)
                       { document.OnMouseMove(ScreenToDocument(e.position), e.button); });
}

void CGameMultiLine::onMouseLeaves(CEGUI::MouseEventArgs& e)
{
    CEGUI::Window::onMouseLeaves(e);
    ForwardMouseMove(e);
    ++e.handled;
}

void CGameMultiLine::onMouseMove(CEGUI::MouseEventArgs& e)
{
    CEGUI::Window::onMouseMove(e);
    if (d_textSelectable)
        DragToSelect(e);
    ForwardMouseMove(e);
    ++e.handled;
}

void CGameMultiLine::onMouseWheel(CEGUI::MouseEventArgs& e)
{
    CEGUI::MultiLineEditbox::onMouseWheel(e);
    e.handled = 0;
    PassWheelToParent(e);
}

namespace
{
// Reaches CEGUI::Window's protected wheel handling of any window.
struct WheelAccess : CEGUI::Window
{
    static void OnMouseWheel(CEGUI::Window& window, CEGUI::MouseEventArgs& e)
    {
        (window.*(&WheelAccess::onMouseWheel))(e);
    }
};
} // namespace

void CGameMultiLine::PassWheelToParent(CEGUI::MouseEventArgs& e)
{
    // A window that propagates its mouse input has already passed the wheel on.
    CEGUI::Window* parent = getParent();
    if (!parent || isMouseInputPropagationEnabled() || getGUIContext().getModalWindow() == this)
        return;
    e.window = parent;
    WheelAccess::OnMouseWheel(*parent, e);
}

void CGameMultiLine::ForwardPress(CEGUI::MouseEventArgs& e)
{
    if (!d_document)
        return;
    // The button's own flag: a press of any button reaches the document as a press.
    const bool pressed = (e.sysKeys & CEGUI::SystemKeys::mouseButtonToSystemKey(e.button)) != 0;
    ForwardPressAt(e.position, e.button, pressed);
    ++e.handled;
}

void CGameMultiLine::ForwardPressAt(const CEGUI::Vector2f& screenPoint, CEGUI::MouseButton button,
                                    bool pressed)
{
    DispatchToDocument([&](RichText::CTextDocument& document)
                       { document.OnMouseButton(ScreenToDocument(screenPoint), button, pressed); });
}

// The edit box's caret placement and word or line selection are not used: each press goes to
// the document (or, in a selectable view, to the selection first) and then to the window's own
// handling.
void CGameMultiLine::onMouseButtonDown(CEGUI::MouseEventArgs& e)
{
    if (!PressToSelect(e))
        ForwardPress(e);
    CEGUI::Window::onMouseButtonDown(e);
}

// A double or triple click selects the word in a selectable view; the click before it was
// already a press of the text.
void CGameMultiLine::SelectWordOrForwardPress(CEGUI::MouseEventArgs& e)
{
    if (!d_textSelectable || e.button != CEGUI::LeftButton)
        return ForwardPress(e);
    d_pressPending = false;
    d_selectionGroup->SelectWord(*this, e.position);
    ++e.handled;
}

void CGameMultiLine::onMouseDoubleClicked(CEGUI::MouseEventArgs& e)
{
    SelectWordOrForwardPress(e);
    CEGUI::Window::onMouseDoubleClicked(e);
}

void CGameMultiLine::onMouseTripleClicked(CEGUI::MouseEventArgs& e)
{
    SelectWordOrForwardPress(e);
    CEGUI::Window::onMouseTripleClicked(e);
}

void CGameMultiLine::onMouseButtonUp(CEGUI::MouseEventArgs& e)
{
    if (ReleaseToSelect(e))
        ++e.handled;
    CEGUI::Window::onMouseButtonUp(e);
}

bool CGameMultiLine::PressToSelect(const CEGUI::MouseEventArgs& e)
{
    if (!d_textSelectable || e.button != CEGUI::LeftButton)
        return false;
    // CEGUI captures the pointer for an active window only, and Ctrl+C goes to the active
    // window: a view that rises on no click (a chat box's) is activated here.
    activate();
    captureInput();
    if ((e.sysKeys & CEGUI::Shift) != 0)
    {
        d_selectionGroup->DragTo(e.position);
        d_dragPoint = e.position;
        d_dragging = true;
    }
    else
    {
        d_pressPoint = e.position;
        d_pressPending = true;
    }
    return true;
}

void CGameMultiLine::DragToSelect(const CEGUI::MouseEventArgs& e)
{
    if ((e.sysKeys & CEGUI::LeftMouse) == 0)
        return;
    if (d_pressPending && (std::abs(e.position.d_x - d_pressPoint.d_x) > kDragSlop ||
                           std::abs(e.position.d_y - d_pressPoint.d_y) > kDragSlop))
    {
        d_pressPending = false;
        d_dragging = true;
        d_selectionGroup->SelectFrom(d_pressPoint);
    }
    d_dragPoint = e.position;
    if (d_dragging)
        d_selectionGroup->DragTo(e.position);
}

void CGameMultiLine::updateSelf(float elapsed)
{
    ImageLayerWindow::updateSelf(elapsed);
    if (d_dragging && d_textSelectable)
        d_selectionGroup->ScrollTowards(d_dragPoint, elapsed);
}

bool CGameMultiLine::ReleaseToSelect(const CEGUI::MouseEventArgs& e)
{
    if (!d_textSelectable || e.button != CEGUI::LeftButton)
        return false;
    const bool click = d_pressPending;
    EndSelectionGesture();
    if (click)
    {
        // A press that stayed where it was: a click of the text, which clears the selection.
        d_selectionGroup->Clear();
        ForwardPressAt(d_pressPoint, CEGUI::LeftButton, true);
    }
    return true;
}

void CGameMultiLine::onCaptureLost(CEGUI::WindowEventArgs& e)
{
    d_pressPending = false;
    d_dragging = false;
    ImageLayerWindow::onCaptureLost(e);
}

bool CGameMultiLine::RunSelectionShortcut(CEGUI::Key::Scan key, CEGUI::uint sysKeys)
{
    if (!d_textSelectable || (sysKeys & CEGUI::Control) == 0)
        return false;
    if (key == CEGUI::Key::A)
        d_selectionGroup->SelectAll();
    else if (key == CEGUI::Key::C)
        d_selectionGroup->Copy();
    else
        return false;
    return true;
}

void CGameMultiLine::onKeyDown(CEGUI::KeyEventArgs& e)
{
    if (RunSelectionShortcut(e.scancode, e.sysKeys))
    {
        ++e.handled;
        return;
    }
    ImageLayerWindow::onKeyDown(e);
}

// Ctrl+A and Ctrl+C also arrive as the characters 0x01 and 0x03.
void CGameMultiLine::onCharacter(CEGUI::KeyEventArgs& e)
{
    const CEGUI::Key::Scan key = e.codepoint == 0x01   ? CEGUI::Key::A
                                 : e.codepoint == 0x03 ? CEGUI::Key::C
                                                       : CEGUI::Key::Unknown;
    if (key != CEGUI::Key::Unknown && RunSelectionShortcut(key, e.sysKeys))
    {
        ++e.handled;
        return;
    }
    ImageLayerWindow::onCharacter(e);
}

bool CGameMultiLine::performCopy(CEGUI::Clipboard& clipboard)
{
    return d_textSelectable ? d_selectionGroup->Copy() : ImageLayerWindow::performCopy(clipboard);
}

void CGameMultiLine::setTextSelectable(bool selectable)
{
    if (selectable == d_textSelectable)
        return;
    d_textSelectable = selectable;
    if (selectable)
        return;
    // A press or drag under way ends here: the view keeps the pointer no longer.
    EndSelectionGesture();
    d_selectionGroup->Clear();
}

void CGameMultiLine::EndSelectionGesture()
{
    d_pressPending = false;
    d_dragging = false;
    if (isCapturedByThis())
        releaseInput();
}

void CGameMultiLine::SetSelectionGroup(TextSelectionGroup* group)
{
    d_selectionGroup = group ? group : &d_ownSelection;
}

CEGUI::String CGameMultiLine::getSelectedText() const
{
    return d_selectionGroup->Selected().text;
}

void CGameMultiLine::SetShownSelection(const TextSelection::Range& range)
{
    if (range == d_shownSelection)
        return;
    // The text that the selection indexes, kept while there is a selection.
    if (range.IsEmpty())
        d_selectedViewText = CEGUI::String();
    else if (d_shownSelection.IsEmpty())
        d_selectedViewText = getText();
    d_shownSelection = range;
    invalidate();
}

const TextBlocks::CRichTextDoc* CGameMultiLine::RichDoc() const
{
    return dynamic_cast<const TextBlocks::CRichTextDoc*>(QueryDoc());
}

TextIndex CGameMultiLine::TextIndexAt(const CEGUI::Vector2f& screenPoint) const
{
    const TextBlocks::CRichTextDoc* doc = RichDoc();
    return doc ? TextSelection::IndexAt(*this, *doc, ScreenToDocument(screenPoint)) : 0;
}

TextSelection::Range CGameMultiLine::WholeTextRange() const
{
    const TextBlocks::CRichTextDoc* doc = RichDoc();
    return doc ? TextSelection::WholeText(*doc) : TextSelection::Range{};
}

TextSelection::Range CGameMultiLine::WordRangeAt(const CEGUI::Vector2f& screenPoint) const
{
    const TextBlocks::CRichTextDoc* doc = RichDoc();
    return doc ? TextSelection::WordAt(*this, *doc, TextIndexAt(screenPoint))
               : TextSelection::Range{};
}

void CGameMultiLine::AppendSelectedText(const TextSelection::Range& range,
                                        std::vector<CEGUI::utf32>& text,
                                        std::vector<TextSelection::CopiedLink>& links) const
{
    if (const TextBlocks::CRichTextDoc* doc = RichDoc())
        TextSelection::AppendSelectedText(*this, *doc, range, text, links);
}

void CGameMultiLine::AppendSelectedRects(const TextSelection::Range& range,
                                         const CEGUI::Rectf& visible,
                                         std::vector<CEGUI::Rectf>& rects) const
{
    if (const TextBlocks::CRichTextDoc* doc = RichDoc())
        TextSelection::AppendSelectedRects(*this, *doc, range, visible, rects);
}
} // namespace ZuGUI

namespace CEGUI
{
const String GameMultiLineRenderer::TypeName("ZuGame/GameMultiLineRenderer");
const String GameMultiLineRenderer::UnselectedTextColourPropertyName("NormalTextColour");
const String GameMultiLineRenderer::SelectedTextColourPropertyName("SelectedTextColour");
const String GameMultiLineRenderer::ActiveSelectionColourPropertyName("ActiveSelectionColour");
const String GameMultiLineRenderer::InactiveSelectionColourPropertyName("InactiveSelectionColour");

GameMultiLineRenderer::GameMultiLineRenderer(const String& type) : ModuleRenderer(type) {}

ZuGUI::CGameMultiLine* GameMultiLineRenderer::View() const
{
    return dynamic_cast<ZuGUI::CGameMultiLine*>(d_window);
}

void GameMultiLineRenderer::onLookNFeelAssigned()
{
    WindowRenderer::onLookNFeelAssigned();
}

Rectf GameMultiLineRenderer::getTextRenderArea() const
{
    const ZuGUI::CGameMultiLine* view = View();
    if (!view)
        return Rectf(Vector2f(0.0f, 0.0f), d_window->getPixelSize());
    const bool scrollbars = view->HasScrollbars();
    const bool vertVisible = scrollbars && view->getVertScrollbar()->isVisible();
    const bool horzVisible = scrollbars && view->getHorzScrollbar()->isVisible();
    if (vertVisible || horzVisible)
    {
        static const String kVertArea("TextAreaVScroll");
        static const String kHorzArea("TextAreaHScroll");
        static const String kBothArea("TextAreaHVScroll");
        const String& scrolledName =
            horzVisible ? (vertVisible ? kBothArea : kHorzArea) : kVertArea;
        if (const std::optional<Rectf> area = NamedArea(scrolledName))
            return *area;
    }
    // A look without text areas shows the text over the whole window.
    return NamedArea(view->IsFrameNeeded() ? "TextArea" : "NoFrameTextArea")
        .value_or(Rectf(Vector2f(0.0f, 0.0f), d_window->getPixelSize()));
}

void GameMultiLineRenderer::RenderImagery()
{
    cacheEditboxBaseImagery();
    cacheDocBlocks(getTextRenderArea());
    cachePickedFrame();
}

void GameMultiLineRenderer::cacheEditboxBaseImagery()
{
    const ZuGUI::CGameMultiLine* view = View();
    RenderStateImagery(!view || view->IsFrameNeeded() ? "Framed" : "NoFrame");
}

void GameMultiLineRenderer::cacheDocBlocks(const Rectf& textArea)
{
    ZuGUI::CGameMultiLine* view = View();
    if (!view || !view->QueryDoc())
        return;
    const Vector2f offset = view->GetScrollOffset();
    const Rectf visible(offset, textArea.getSize());
    d_image.ClearTextures();
    cacheSelection(*view, visible, textArea);
    view->PaintDocument(visible, textArea);
    d_image.UpdateTextures();
    view->CacheImage(d_image, nullptr, d_image.GetAddtionalClipper());
}

void GameMultiLineRenderer::cacheSelection(const ZuGUI::CGameMultiLine& view, const Rectf& visible,
                                           const Rectf& textArea)
{
    const ZuGUI::TextSelection::Range& selection = view.GetShownSelection();
    const Image* brush = view.getSelectionBrushImage();
    if (selection.IsEmpty() || !brush)
        return;
    d_selectionRects.clear();
    view.AppendSelectedRects(selection, visible, d_selectionRects);
    const ColourRect colours = ZuGUI::LookImagery::WindowPropertyOr(
        *d_window, ActiveSelectionColourPropertyName, ColourRect(Colour(kDefaultSelectionColour)));
    const Vector2f offset = textArea.d_min - visible.d_min;
    for (const Rectf& rect : d_selectionRects)
        brush->render(d_window->getGeometryBuffer(),
                      Rectf(rect.d_min + offset, rect.d_max + offset), &textArea, colours);
}

void GameMultiLineRenderer::cachePickedFrame()
{
    const ZuGUI::CGameMultiLine* view = View();
    if (view && view->getPicked())
        RenderStateImagery("PickedFrame");
}

void GameMultiLineRenderer::SetAddtionalClipper(const Rectf* clipper)
{
    d_image.SetAddtionalClipper(clipper);
}

void GameMultiLineRenderer::PushTextureIndex(const ZuGUI::PictureRequest& picture)
{
    d_image.PushTextureIndex(
        ZuGUI::tagTexture_Param{picture.proxyId, picture.param, picture.offsetX, picture.offsetY});
}
} // namespace CEGUI
