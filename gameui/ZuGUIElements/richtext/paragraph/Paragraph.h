// A parsed text: what a view's markup shows, in the order of the markup, with nothing measured,
// placed or asked of the game client. The parsers (TextParser.h) make it from the view's text;
// it keeps index ranges into that text instead of copies, so the text must stay as it was while
// the paragraph is read. It is immutable once made: a document keeps it and lays it out again
// at a new width without parsing (ParserManager.h), resolves its item links once, and reads it
// back as text.
//
// Pieces, in markup order:
// - a text run: the shown characters [first, end) of the text in one style; a tag's content is
//   one stretch, cut into several runs only where a doubled brace shows one brace;
// - a picture: a game picture or an emote, placed like a word of its own;
// - a pen move within the current line, and the picture behind the lines.
//
// The shown text is what the runs show, in order, with U+FFFC (the object replacement
// character) for each picture: the text in which lines break and clusters join.
//
// Memory: 20 bytes per piece and 24 per style, shared by the runs of one tag and by tags of
// one kind close together.
#pragma once

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/TextBlocks.h"

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace ZuGUI
{
namespace Text
{
using TextParser::ColorPair;

// What a run of text is, and so which block shows it and what a press on it does.
enum class RunKind : std::uint8_t
{
    Plain,    // text
    Command,  // clickable text whose command is the tag's parameter (or none)
    Name,     // clickable text whose command is its own text, piece by piece
    ItemLink, // clickable text of a chat item, in the colour that the game client gives it
};

struct RunStyle
{
    ColorPair colors{0, 0};
    // The command, a range of the text; kNoText for none.
    CompactIndex commandFirst;
    CompactIndex commandEnd;
    // The chat item of an item link.
    std::uint32_t itemId = 0;
    RunKind kind = RunKind::Plain;
    // Which tag made a clickable run (TextBlocks::CommandKind).
    std::uint8_t commandKind = 0;
    // Text outside tags: drawn in the view's default text colour, whatever `colors` says.
    bool viewColour = false;

    bool operator==(const RunStyle& other) const;
    bool operator!=(const RunStyle& other) const { return !(*this == other); }
};

struct TextRun
{
    CompactIndex first;
    CompactIndex end;
    // Where plain text goes on after the run, or kNoText when a tag, a line feed or nothing
    // follows: a line that breaks between words keeps the run's last word with text that may
    // not be broken from it.
    CompactIndex following;
    std::uint32_t style : 31; // index into the paragraph's styles
    // The first run of a stretch: a tag (or text between tags). The runs of a stretch follow
    // one another.
    std::uint32_t startsStretch : 1;
};

struct Picture
{
    std::uint16_t set;
    std::uint16_t index;
    bool emote; // clickable: a press reports the emote's number
};

// Moves the pen within the current line; an absent coordinate stays.
struct PenMove
{
    std::optional<float> x;
    std::optional<float> y;
};

// The picture behind every new line, and behind the current one when both numbers are not 0;
// set 0 means none.
struct LineBackground
{
    int set;
    int index;
};

using Piece = std::variant<TextRun, Picture, PenMove, LineBackground>;

class Paragraph
{
public:
    const std::vector<Piece>& Pieces() const { return m_pieces; }
    const RunStyle& StyleOf(const TextRun& run) const { return m_styles[run.style]; }
    const std::vector<RunStyle>& Styles() const { return m_styles; }
    bool IsEmpty() const { return m_pieces.empty(); }
    TextIndex ShownLength() const { return m_shownLength; }
    // Appends the shown text to `shown`; `text` is the text that was parsed.
    void AppendShownText(const CEGUI::String& text, std::vector<CEGUI::utf32>& shown) const;

private:
    friend class ParagraphBuilder;

    std::vector<Piece> m_pieces;
    std::vector<RunStyle> m_styles;
    TextIndex m_shownLength = 0;
};

// Makes a paragraph piece by piece, in markup order.
class ParagraphBuilder
{
public:
    // Room for `pieces` pieces, and for the styles that so many might have.
    void Reserve(std::size_t pieces);
    // The runs added next belong to a new stretch.
    void StartStretch() { m_startsStretch = true; }
    // A run of shown text [first, end); an empty range adds nothing.
    void AddText(TextIndex first, TextIndex end, TextIndex following, const RunStyle& style);
    void AddPicture(const Picture& picture);
    void MovePen(const PenMove& move) { m_paragraph.m_pieces.emplace_back(move); }
    void SetLineBackground(const LineBackground& background)
    {
        m_paragraph.m_pieces.emplace_back(background);
    }

    // The paragraph made so far; the builder is empty afterwards.
    Paragraph Finish();

private:
    // How many of the last styles a new run's style is looked for among.
    static constexpr std::size_t kRecentStyles = 8;

    std::uint32_t StyleIndex(const RunStyle& style);

    Paragraph m_paragraph;
    bool m_startsStretch = true;
};
} // namespace Text
} // namespace ZuGUI
