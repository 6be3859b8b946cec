// The rich text document: the parsed text that it shows (paragraph/Paragraph.h), the colours
// that the game client gave its item links, the lines that the layout fills
// (layout/LineBuilder.h), drawn into the view, hit-tested for the pointer and read back as
// text, and the reference counting of the chat items in its text, told to the client.
#pragma once

#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/richtext/bidi/ShownForms.h"
#include "ZuGUIElements/richtext/layout/LineBuilder.h"
#include "ZuGUIElements/richtext/paragraph/Paragraph.h"

#include <map>
#include <memory>
#include <optional>
#include <set>

namespace ZuGUI
{
class IRichTextClient;

namespace TextBlocks
{
class CRichTextDoc : public IDoc
{
public:
    static constexpr float kMaxPenDrop = Layout::LineBuilder::kMaxPenDrop;

    using Lines = Layout::LineBuilder::Lines;

    CRichTextDoc() = default;
    CRichTextDoc(const CRichTextDoc&) = delete;
    CRichTextDoc& operator=(const CRichTextDoc&) = delete;
    // Releases the chat items that the document still references, when a client is set.
    ~CRichTextDoc() override;

    void NewLine(IRichTextView& view, bool firstLine) override { m_lines.NewLine(view, firstLine); }
    float GetRemainingWidth() const override { return m_lines.GetRemainingWidth(); }
    void GetCursor(float& x, float& y) const override;
    void SetCursor(float x, float y) override { m_lines.MovePen(x, y); }
    void SetWidth(float width) override { m_lines.SetWidth(width); }
    float GetWidth() const override { return m_lines.GetWidth(); }
    float GetHeight() const override { return m_lines.GetHeight(); }
    void SetLineSpacing(float gap) override { m_lines.SetLineGap(gap); }
    void Clear() override { m_lines.Clear(); }
    // The display forms go with the lines: a message out of sight keeps its parsed text only.
    void ReleaseLayout() override;
    std::unique_ptr<CPlainText> MakePlainText() override { return m_lines.MakePlainText(); }
    std::unique_ptr<CCmdText> MakeCmdText() override { return m_lines.MakeCmdText(); }
    void AddBlock(IRichTextView& view, std::unique_ptr<ITextBlock> block) override;
    void SetParagraph(Text::Paragraph paragraph) override;
    const Text::Paragraph& GetParagraph() const override { return m_paragraph; }
    void Resolve(IRichTextClient& client) override;
    std::optional<CEGUI::argb_t> ItemColour(std::uint32_t itemId) const override;
    CEGUI::Sizef PictureSize(std::uint16_t set, std::uint16_t index) const override;
    const std::vector<std::uint8_t>& ShownBreakFlags(const CEGUI::String& text,
                                                     std::uint8_t wanted) override;
    const Bidi::ShownForms& FindShownForms(const CEGUI::String& text,
                                           Bidi::Direction direction) override;
    const CEGUI::String* GetDisplayForms() const override;
    bool HasShownBreakFlags(std::uint8_t flags) const override
    {
        return (m_foundBreakFlags & flags) == flags;
    }
    void BeginParse(IRichTextView& view) override;
    void EndParse() override;
    void Render(IRichTextView& view, const CEGUI::Rectf& visible,
                const CEGUI::Rectf& area) override;
    bool OnMouseButton(IRichTextView& view, const CEGUI::Vector2f& point, CEGUI::MouseButton button,
                       bool pressed) override;
    void OnMouseMove(IRichTextView& view, const CEGUI::Vector2f& point, CEGUI::MouseButton button,
                     bool leftHeld) override;
    CEGUI::Rectf GetDocRect() const override;
    float GetContentWidth() const override { return m_lines.GetContentWidth(); }
    CEGUI::String GetText(const IRichTextView& view) const override;
    void SetLineBackground(int set, int index) override;

    const Lines& GetLines() const { return m_lines.GetLines(); }
    // The chat items of the text, as the last resolve recorded them.
    const std::set<int>& GetItemRefs() const { return m_itemRefs; }
    // The chat items that the game client was told about and not yet released.
    const std::set<int>& GetHeldItemRefs() const { return m_heldItemRefs; }
    const GamePic_t& GetLineBackground() const { return m_lines.GetLineBackground(); }

private:
    void ResolveItems(IRichTextClient& client);
    void ResolvePictureSize(IRichTextClient& client, std::uint16_t set, std::uint16_t index);
    void SettleItemRefs();
    void ReleaseHeldItemRefs();

    Text::Paragraph m_paragraph;
    // The break flags of the paragraph's shown text, and which of them were found.
    std::vector<std::uint8_t> m_breakFlags;
    std::uint8_t m_foundBreakFlags = 0;
    // How the paragraph shows, once found for a direction.
    // Held only for a text that shows other than as written: a document of left-to-right chat
    // (most of a history) pays 8 bytes for it.
    std::unique_ptr<Bidi::ShownForms> m_shownForms;
    // The direction that the forms were found for, none before they were.
    std::optional<Bidi::Direction> m_shownFormsDirection;
    // The colours that the client gave the item links, by item; 0: none.
    std::map<std::uint32_t, CEGUI::argb_t> m_itemColours;
    // The sizes that the client gave the pictures, by packed id (GamePic_t::PackedId).
    std::map<std::uint32_t, CEGUI::Sizef> m_pictureSizes;
    Layout::LineBuilder m_lines;
    std::set<int> m_itemRefs;
    std::set<int> m_heldItemRefs;
    // The client that the chat items are told to: the one of the last resolve.
    IRichTextClient* m_client = nullptr;
};
} // namespace TextBlocks
} // namespace ZuGUI
