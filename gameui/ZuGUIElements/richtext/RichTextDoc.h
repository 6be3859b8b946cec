// The rich text document: the lines that the layout fills (layout/LineBuilder.h), drawn into
// the view, hit-tested for the pointer and read back as text, and the reference counting of
// the chat items in its text, told to the view's game client.
#pragma once

#include "ZuGUIElements/richtext/IDoc.h"
#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/richtext/layout/LineBuilder.h"

#include <memory>
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
    void AddBlock(IRichTextView& view, std::unique_ptr<ITextBlock> block) override;
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
    void AddChatItemRef(int itemId) override { m_itemRefs.insert(itemId); }
    // The picture's size is the one the client of the view being parsed gives.
    void SetLineBackground(int set, int index) override
    {
        m_lines.SetLineBackground(m_client, set, index);
    }

    const Lines& GetLines() const { return m_lines.GetLines(); }
    // The chat items of the text, as the last parse recorded them.
    const std::set<int>& GetItemRefs() const { return m_itemRefs; }
    // The chat items that the game client was told about and not yet released.
    const std::set<int>& GetHeldItemRefs() const { return m_heldItemRefs; }
    const GamePic_t& GetLineBackground() const { return m_lines.GetLineBackground(); }

private:
    void SettleItemRefs();
    void ReleaseHeldItemRefs();

    Layout::LineBuilder m_lines;
    std::set<int> m_itemRefs;
    std::set<int> m_heldItemRefs;
    // The client that the chat items are told to: the one of the view that parses.
    IRichTextClient* m_client = nullptr;
};
} // namespace TextBlocks
} // namespace ZuGUI
