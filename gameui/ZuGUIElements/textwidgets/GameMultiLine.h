// CGameMultiLine ("ZuGame/GameMultiLine"): the read-only rich text view, a window that shows one
// rich text document (richtext/document/TextDocument.h) of its window text. A change of the text
// parses it again; a change of size, font, frame or line break lays it out again at the width
// of its text area. The view sizes its scroll bars from the document, draws it (text into the
// window's geometry, pictures through its image cache) and hands pointer moves and presses to
// it in document pixels, so that command texts, item links and emotes react. It is the building
// block of chat lines and tool tips.
//
// The edit box underneath keeps its text, caret and scroll bars, but its own formatting is
// replaced: after each layout its line list holds one line over the whole text.
//
// With "TextSelectable" on, the player selects its text: a drag selects (a press that moves no
// more than a few pixels is a press of the text, sent to the document when the button is
// released), a double click selects a word, Shift+press extends, Ctrl+A selects all, Ctrl+C
// (and CEGUI's copy request) copies, and a click clears. The selection is drawn behind the
// text in the look's "ActiveSelectionColour". A view of a chat box selects with its box
// (TextSelectionGroup.h).
#pragma once

#include "ZuGUIElements/base/FactoryTemplates.h"
#include "ZuGUIElements/base/ImageLayerWindow.h"
#include "ZuGUIElements/base/ModuleRenderer.h"
#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/base/ZuImage.h"
#include "ZuGUIElements/host/WindowRecords.h"
#include "ZuGUIElements/richtext/IRichTextView.h"
#include "ZuGUIElements/richtext/ParserManager.h"
#include "ZuGUIElements/richtext/document/TextDocument.h"
#include "ZuGUIElements/textwidgets/RichTextHostClient.h"
#include "ZuGUIElements/textwidgets/TextSelectionGroup.h"

#include <CEGUI/widgets/MultiLineEditbox.h>

namespace ZuGUI
{
// The selection of a view that selects on its own: the view is its only message.
class LoneViewSelection final : public TextSelectionGroup
{
public:
    explicit LoneViewSelection(CGameMultiLine& view) : m_view(view) {}

protected:
    std::vector<ShownMessage> ShownMessages() const override { return {{&m_view, 0}}; }
    // The view's text area.
    CEGUI::Rectf ShownArea() const override;
    VerticalScroll ShownScroll() const override;
    // Moves the vertical bar, unless it is hidden for good.
    bool ScrollBy(float pixels) override;

private:
    CGameMultiLine& m_view;
};

class CGameMultiLine
    : public ImageLayerWindow<SharedPropertyLayer<CGameMultiLine, CEGUI::MultiLineEditbox>>,
      public IRichTextView,
      public RichText::IDocumentHost
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;

    static const CEGUI::ShareProSet s_SharePros;

    CGameMultiLine(const CEGUI::String& type, const CEGUI::String& name);

    const IDoc* QueryDoc() const { return d_document ? &d_document->GetDoc() : nullptr; }
    IDoc* GetDoc() { return d_document ? &d_document->GetDoc() : nullptr; }
    // Draws the document's part `visible` (document pixels) into the window's geometry, in the
    // text area `area` (window pixels).
    void PaintDocument(const CEGUI::Rectf& visible, const CEGUI::Rectf& area);

    bool IsFrameNeeded() const { return d_frameNeeded; }
    // A change redraws the view and lays the text out for the text area it chooses.
    void SetNeedFrame(bool needFrame);

    // The indents take effect at the next layout.
    void setIndent1stLine(int indent) { d_indent1stLine = indent; }
    int getIndent1stLine() const override { return d_indent1stLine; }
    void setIndentRestLines(int indent) { d_indentRestLines = indent; }
    int getIndentRestLines() const override { return d_indentRestLines; }

    // A change lays the text out again.
    void setLineBreak(TextParser::LineBreakMode mode);
    TextParser::LineBreakMode GetLineBreak() const override { return d_lineBreak; }
    // A change lays the text out again.
    void setTextDirection(Bidi::Direction direction);
    Bidi::Direction GetTextDirection() const override { return d_textDirection; }
    const CEGUI::String* GetDisplayForms() const override;

    // Resolves the name through CEGUI's fonts ("" or an unknown name gives no command font)
    // and runs the window's font-changed handling; the text is not laid out again.
    void setCmdFontName(const CEGUI::String& fontName);
    const CEGUI::String& getCmdFontName() const { return d_cmdFontName; }
    const CEGUI::Font* getCmdFont() const override { return d_cmdFont; }

    void setPicked(bool picked) { RedrawOnChange(this, d_picked, picked); }
    bool getPicked() const { return d_picked; }

    // The colour of text outside tags; it takes effect at the next layout.
    void setDefaultTextColor(const CEGUI::Colour& colour) { d_defaultTextColour = colour; }
    CEGUI::Colour getDefaultTextColor() const override { return d_defaultTextColour; }

    // The text without markup.
    CEGUI::String getPlainText() const;

    void setTextSelectable(bool selectable);
    bool isTextSelectable() const { return d_textSelectable; }
    // The group the view selects with: its own, or its chat box's; null gives its own back.
    void SetSelectionGroup(TextSelectionGroup* group);
    TextSelectionGroup& GetSelectionGroup() const { return *d_selectionGroup; }
    // The selected text of the view's group, as shown.
    CEGUI::String getSelectedText() const;
    // The arrival number of the message that the view shows in a chat box.
    void SetMessageNumber(std::uint64_t number) { d_messageNumber = number; }
    std::uint64_t GetMessageNumber() const { return d_messageNumber; }
    // The part of the text that shows selected; its group sets it.
    void SetShownSelection(const TextSelection::Range& range);
    const TextSelection::Range& GetShownSelection() const { return d_shownSelection; }
    // The index of the text nearest to `screenPoint`, the whole text and the word at a point, as
    // TextSelection.h finds them in the laid-out document.
    TextIndex TextIndexAt(const CEGUI::Vector2f& screenPoint) const;
    TextSelection::Range WholeTextRange() const;
    TextSelection::Range WordRangeAt(const CEGUI::Vector2f& screenPoint) const;
    void AppendSelectedText(const TextSelection::Range& range, std::vector<CEGUI::utf32>& text,
                            std::vector<TextSelection::CopiedLink>& links) const;
    void AppendSelectedRects(const TextSelection::Range& range, const CEGUI::Rectf& visible,
                             std::vector<CEGUI::Rectf>& rects) const;
    // Copies the group's selection when the text is selectable, else what the edit box does.
    bool performCopy(CEGUI::Clipboard& clipboard) override;

    // A force-hidden scroll bar is never shown; they take effect at the next layout.
    void SetforceHideVertScroll(bool hide) { d_forceHideVertScroll = hide; }
    bool GetforceHideVertScroll() const { return d_forceHideVertScroll; }
    void SetforceHideHorzScroll(bool hide) { d_forceHideHorzScroll = hide; }
    bool GetforceHideHorzScroll() const { return d_forceHideHorzScroll; }

    // The widest laid-out line and the height of all lines, each plus 4 pixels.
    CEGUI::Sizef getDocSize() const;
    float getDocWidth() const;
    float getDocHeight() const;

    // Records a composed picture image over the window's inner area, cut to `clipper` (window
    // pixels) when given. Pictures are drawn white whatever `colours` says.
    void CacheImage(const ZuImage& image, const CEGUI::ColourRect* colours,
                    const CEGUI::Rectf* clipper);

    // True once the look has made the scroll bars.
    bool HasScrollbars() const;
    // The text area in window pixels, as the window renderer places it.
    CEGUI::Rectf GetTextArea() const;
    // The width that the text is laid out to: the text area's, less a margin.
    float LayoutWidth() const;
    // Where the visible part of the document starts: the scroll positions, 0 for a
    // force-hidden bar.
    CEGUI::Vector2f GetScrollOffset() const;
    // Screen pixels to document pixels and back.
    CEGUI::Vector2f ScreenToDocument(const CEGUI::Vector2f& screenPoint) const;
    CEGUI::Vector2f DocumentToScreen(const CEGUI::Vector2f& documentPoint) const;

    // The view contract of the rich text engine, and where its document is shown.
    const CEGUI::String& GetViewText() const override { return getText(); }
    CEGUI::String GetViewName() const override { return HostWindowName(*this); }
    const CEGUI::Font* GetViewFont() const override { return getFont(); }
    const CEGUI::Image* GetHoverBrush() const override { return getSelectionBrushImage(); }
    CEGUI::GeometryBuffer& GetViewGeometry() override { return getGeometryBuffer(); }
    void RequestViewRedraw() override { invalidate(); }
    // The link's target replaces the tool tip text while the link is hovered; the view's own
    // text comes back when the link stops being hovered, the text is laid out again (its blocks
    // are made anew) or the view is destroyed. A tool tip text set while a target shows
    // becomes the view's own text.
    void ShowLinkTarget(const ITextBlock& link, const CEGUI::String* target) override;
    bool ContainsMouse() const override;
    IRichTextPictureSink* GetPictureSink() override;
    IRichTextClient& GetClient() override { return d_client; }

    void initialiseComponents() override;
    void destroy() override;
    // The view's document is the only parsed form of its text: CEGUI's parser makes nothing.
    CEGUI::RenderedStringParser& getRenderedStringParser() const override;

protected:
    // Parses the window's text into the document after it changed, then lays it out.
    void FormatGameLines(bool reformatIfScrollbarsChanged);
    // Lays the parsed text out again (a new width, font, frame or line break mode); when that
    // shows or hides a scroll bar and `again` is set, once more at the new width. Never more
    // than two passes, and never a parse.
    void LayOutGameLines(bool reformatIfScrollbarsChanged);
    // Shows, hides and sizes the scroll bars for the document; true when either bar's
    // visibility changed.
    bool configureScrollbars();

    void onSized(CEGUI::ElementEventArgs& e) override;
    void onTextChanged(CEGUI::WindowEventArgs& e) override;
    // A font change lays the text out again (with this view's layout, not the edit box's).
    void onFontChanged(CEGUI::WindowEventArgs& e) override;
    void onMouseLeaves(CEGUI::MouseEventArgs& e) override;
    void onMouseMove(CEGUI::MouseEventArgs& e) override;
    // The view scrolls, and the wheel then goes on to the parent (a chat box scrolls too).
    void onMouseWheel(CEGUI::MouseEventArgs& e) override;
    void onMouseButtonDown(CEGUI::MouseEventArgs& e) override;
    // CEGUI delivers the second and third press of a quick series as a multi-click instead of
    // a button down: each is a press of the text all the same, or, in a selectable view, a
    // left one selects the word under the pointer.
    void onMouseDoubleClicked(CEGUI::MouseEventArgs& e) override;
    void onMouseTripleClicked(CEGUI::MouseEventArgs& e) override;
    void onMouseButtonUp(CEGUI::MouseEventArgs& e) override;
    void onCaptureLost(CEGUI::WindowEventArgs& e) override;
    // A drag held past the top or bottom of the text scrolls it.
    void updateSelf(float elapsed) override;
    // Ctrl+A and Ctrl+C of a selectable view; every other key as the edit box handles it.
    void onKeyDown(CEGUI::KeyEventArgs& e) override;
    void onCharacter(CEGUI::KeyEventArgs& e) override;

private:
    // A press moves the pointer at most this many pixels in each direction and is no drag.
    static constexpr float kDragSlop = 4.0f;

    const TextBlocks::CRichTextDoc* RichDoc() const;
    // The document's look from the view's settings, given to it when they changed.
    void RefreshLook();
    // The selection gestures of a selectable view; false for an event they do not take.
    bool PressToSelect(const CEGUI::MouseEventArgs& e);
    void DragToSelect(const CEGUI::MouseEventArgs& e);
    bool ReleaseToSelect(const CEGUI::MouseEventArgs& e);
    bool RunSelectionShortcut(CEGUI::Key::Scan key, CEGUI::uint sysKeys);
    // Forgets a press or drag under way and lets the pointer go.
    void EndSelectionGesture();
    void SelectWordOrForwardPress(CEGUI::MouseEventArgs& e);

    // The base line list as one line over the whole text.
    void MakeFakeLine();
    void ConfigureScrollbar(CEGUI::Scrollbar& bar, float documentSize, float pageSize) const;
    void ForwardMouseMove(const CEGUI::MouseEventArgs& e);
    // Hands an event to the document through `dispatch`. A handler of the event may destroy
    // the view (a click that closes it): the document then goes once the event is handled.
    template <typename Dispatch>
    void DispatchToDocument(Dispatch&& dispatch);
    // Hands a press of any button to the document.
    void ForwardPress(CEGUI::MouseEventArgs& e);
    void ForwardPressAt(const CEGUI::Vector2f& screenPoint, CEGUI::MouseButton button,
                        bool pressed);
    void PassWheelToParent(CEGUI::MouseEventArgs& e);
    void PutOwnTooltipTextBack();
    // `text` written so that the view's tool tip shows it as it is.
    CEGUI::String TooltipTextShowing(const CEGUI::String& text) const;

    // Before the document, which tells it of the items that it still holds when it goes.
    HostRichTextClient d_client{*this};
    std::unique_ptr<RichText::CTextDocument> d_document;
    // Events that the document is handling, and whether the view was destroyed meanwhile.
    int d_documentDispatches = 0;
    bool d_documentReleasePending = false;
    CEGUI::Colour d_defaultTextColour;
    int d_indent1stLine = 0;
    int d_indentRestLines = 0;
    TextParser::LineBreakMode d_lineBreak = TextParser::LineBreakMode::Character;
    Bidi::Direction d_textDirection = Bidi::Direction::Auto;
    bool d_frameNeeded = true;
    bool d_picked = false;
    CEGUI::String d_cmdFontName;
    const CEGUI::Font* d_cmdFont = nullptr;
    bool d_forceHideVertScroll = false;
    bool d_forceHideHorzScroll = false;
    // The web link whose target the tool tip shows, that target, and the view's own tool tip
    // text.
    const ITextBlock* d_linkShowingTarget = nullptr;
    LoneViewSelection d_ownSelection{*this};
    TextSelectionGroup* d_selectionGroup = &d_ownSelection;
    TextSelection::Range d_shownSelection;
    // The text that the shown selection indexes: empty while nothing is selected.
    CEGUI::String d_selectedViewText;
    bool d_textSelectable = false;
    std::uint64_t d_messageNumber = 0;
    // A left press waits for its release (no drag) or the pointer moving away (a drag).
    bool d_pressPending = false;
    bool d_dragging = false;
    CEGUI::Vector2f d_pressPoint{0.0f, 0.0f};
    // Where a drag last held the pointer.
    CEGUI::Vector2f d_dragPoint{0.0f, 0.0f};
    CEGUI::String d_shownLinkTarget;
    CEGUI::String d_ownTooltipText;
};

using CGameMultiLineFactory = ZuWindowFactory<CGameMultiLine>;

} // namespace ZuGUI

namespace CEGUI
{
// Draws the view: "Framed" or "NoFrame", the document (text into the window's geometry,
// pictures composed in this renderer's image and recorded in the view's image cache), then
// "PickedFrame" while the view is picked. It places the text area by the look's named areas:
// "TextArea" + "H"/"V"/"HV" + "Scroll" while scroll bars show and the look has that area,
// else "TextArea" (framed) or "NoFrameTextArea".
class GameMultiLineRenderer : public ZuGUI::ModuleRenderer<MultiLineEditboxWindowRenderer>,
                              public ZuGUI::IRichTextPictureSink
{
public:
    static const String TypeName;
    static const String UnselectedTextColourPropertyName;
    static const String SelectedTextColourPropertyName;
    static const String ActiveSelectionColourPropertyName;
    static const String InactiveSelectionColourPropertyName;

    explicit GameMultiLineRenderer(const String& type);

    Rectf getTextRenderArea() const override;

    void SetAddtionalClipper(const Rectf* clipper) override;
    void PushTextureIndex(const ZuGUI::PictureRequest& picture) override;

    const ZuGUI::ZuImage& GetImage() const { return d_image; }

protected:
    void RenderImagery() override;
    // The view's text stays as it was set: an untouched view has no text.
    void onLookNFeelAssigned() override;

    void cacheEditboxBaseImagery();
    void cacheDocBlocks(const Rectf& textArea);
    // The view's selection behind its text: the selection brush in the look's
    // "ActiveSelectionColour", else a translucent blue.
    void cacheSelection(const ZuGUI::CGameMultiLine& view, const Rectf& visible,
                        const Rectf& textArea);
    void cachePickedFrame();

    // The attached window as a rich text view, or null for any other window.
    ZuGUI::CGameMultiLine* View() const;

private:
    static constexpr argb_t kDefaultSelectionColour = 0x803C78D7;

    ZuGUI::ZuImage d_image;
    std::vector<Rectf> d_selectionRects;
};

using GameMultiLineRendererWRFactory = ZuGUI::ZuWindowRendererFactory<GameMultiLineRenderer>;
} // namespace CEGUI
