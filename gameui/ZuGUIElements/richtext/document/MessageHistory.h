// A history of messages as documents without a window, in arrival order, in one column of a
// given width, for a chat of any length: at most `capacity` messages (a push into a full history
// drops the oldest), each with its top and height in the column.
//
// Only the messages that a caller brings into sight are laid out (LayOutRange); the others hold
// their parsed text and a height estimated from it (its characters at the font's mean advance,
// its line feeds), which the layout corrects when they come into sight. Messages above the part
// brought into sight keep their places, so that a view scrolled back stays where it is. The
// layouts of messages that leave the sight are freed.
//
// Positions are summed per chunk of kChunk messages: the top of a message and the message at a
// height are found in time that grows with size / kChunk + kChunk, and a push, a pop or a height
// that changes costs kChunk additions.
//
// Memory: a message holds its document (its markup at 4 bytes a character, its parsed text) and
// 16 bytes here; a laid-out one its lines too (about 9 bytes a character of chat).
#pragma once

#include "ZuGUIElements/richtext/TextSelection.h"
#include "ZuGUIElements/richtext/document/TextDocument.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace ZuGUI
{
namespace RichText
{
class CMessageHistory
{
public:
    static constexpr std::size_t kChunk = 256;

    // The client and the host (none: shown in no window) of every message; both must outlive
    // the history.
    explicit CMessageHistory(IRichTextClient& client, IDocumentHost* host = nullptr);
    ~CMessageHistory();
    CMessageHistory(const CMessageHistory&) = delete;
    CMessageHistory& operator=(const CMessageHistory&) = delete;

    // A new look or width makes every height an estimate again, until laid out.
    void SetLook(std::shared_ptr<const TextLook> look);
    void SetWidth(float width);
    float GetWidth() const { return m_width; }
    // Keeps the newest `capacity` messages.
    void SetCapacity(std::size_t capacity);
    std::size_t GetCapacity() const { return m_capacity; }

    // Adds the newest message, dropping the oldest from a full history; false (nothing added)
    // with a capacity of 0. `colour` is kept with it for a view that shows it (ColourOf).
    bool Push(CEGUI::String markup, const CEGUI::Colour& colour = CEGUI::Colour());
    // Drops the oldest message; false when there is none.
    bool PopOldest();
    void Clear();

    std::size_t Size() const { return m_entries.size(); }
    bool IsEmpty() const { return m_entries.empty(); }
    // Message `index`, 0 the oldest kept.
    const CTextDocument& At(std::size_t index) const { return *m_entries[index].document; }
    CTextDocument& At(std::size_t index) { return *m_entries[index].document; }
    const CEGUI::Colour& ColourOf(std::size_t index) const { return m_entries[index].colour; }
    // Its arrival number: 1 for the first message ever pushed, one more for each next.
    std::uint64_t NumberOf(std::size_t index) const;
    // Whether message number `number` is kept, and its index then.
    bool Holds(std::uint64_t number) const;
    std::size_t IndexOf(std::uint64_t number) const { return number - NumberOf(0); }
    float TopOf(std::size_t index) const;
    float HeightOf(std::size_t index) const { return m_entries[index].height; }
    // Whether its height is its laid-out height at the current width and look.
    bool IsMeasured(std::size_t index) const { return m_entries[index].measured; }
    float GetTotalHeight() const { return static_cast<float>(m_totalHeight); }
    // The message whose span holds `y`: the first above its top, the last past its end. Size()
    // when the history is empty.
    std::size_t IndexAt(float y) const;

    // The height of message `index` laid out elsewhere (a view that shows it) at the current
    // width and look.
    void SetMeasuredHeight(std::size_t index, float height) { SetHeight(index, height, true); }

    // Lays out the messages that meet [top, bottom) and frees the layouts of the others laid
    // out before. The messages above `top` keep their places.
    void LayOutRange(float top, float bottom);
    // Draws the laid-out messages that meet `visible` (column pixels) into `geometry`, the
    // column's point visible.top-left at `area`'s top-left (window pixels).
    void Paint(CEGUI::GeometryBuffer& geometry, const CEGUI::Rectf& visible,
               const CEGUI::Rectf& area);
    // Pointer events at `point` in column pixels, for the laid-out message there; a move also
    // reaches the message that the pointer left. True when a press landed on a command.
    void OnMouseMove(const CEGUI::Vector2f& point, CEGUI::MouseButton button);
    bool OnMouseButton(const CEGUI::Vector2f& point, CEGUI::MouseButton button, bool pressed);

    // Message `index`'s text as a selection of all of it covers it.
    TextSelection::Range WholeTextOf(std::size_t index) const;
    // The messages' texts without markup in arrival order, each ended by a line feed.
    void AppendText(std::vector<CEGUI::utf32>& text) const;

    // A place in the messages' text: a message's arrival number and an index into its markup.
    struct TextPlace
    {
        std::uint64_t message;
        TextIndex index;
    };
    // The text from `first` to `last` as a selection copies it, read from the parsed texts (no
    // layout needed): the messages in arrival order, each on a line of its own, and the item
    // links whose whole name lies between. Messages no longer kept are left out.
    void AppendTextBetween(const TextPlace& first, const TextPlace& last,
                           std::vector<CEGUI::utf32>& text,
                           std::vector<TextSelection::CopiedLink>& links) const;

private:
    struct Entry
    {
        std::unique_ptr<CTextDocument> document;
        CEGUI::Colour colour;
        float height = 0.0f;
        std::uint32_t lineFeeds = 0;
        bool measured = false;
    };

    // The chunk of message `index`, and the index of the chunk's first message (0 for the
    // first chunk, which may have lost its first messages).
    std::size_t ChunkOf(std::size_t index) const;
    std::size_t FirstOfChunk(std::size_t chunk) const;
    void SetHeight(std::size_t index, float height, bool measured);
    // Sums chunk `chunk` again from its messages.
    void ResumChunk(std::size_t chunk);
    float EstimatedHeight(const Entry& entry) const;
    void EstimateAll();
    void LayOut(std::size_t index);
    // The laid-out message that holds `point`, or Size(); `top` is set to its top.
    std::size_t LaidOutAt(const CEGUI::Vector2f& point, float& top) const;
    bool IsLaidOutNumber(std::uint64_t number) const;

    IRichTextClient& m_client;
    IDocumentHost* m_host;
    std::shared_ptr<const TextLook> m_look;
    float m_width = 0.0f;
    // From the look: a line's height and the mean advance of a character.
    float m_lineSpacing = 0.0f;
    float m_meanAdvance = 0.0f;
    std::size_t m_capacity = 0;
    std::deque<Entry> m_entries;
    // The sums of the heights of each chunk of messages, and of all.
    std::deque<double> m_chunkHeights;
    double m_totalHeight = 0.0;
    // Messages dropped from the front since the history was last empty: entry 0's place in
    // its chunk.
    std::size_t m_dropped = 0;
    // The arrival number of the next message.
    std::uint64_t m_nextNumber = 1;
    // The arrival numbers of the messages laid out for the last range.
    std::vector<std::uint64_t> m_laidOut;
    // The arrival number of the message that the pointer was last over, 0 for none.
    std::uint64_t m_hovered = 0;
};
} // namespace RichText
} // namespace ZuGUI
