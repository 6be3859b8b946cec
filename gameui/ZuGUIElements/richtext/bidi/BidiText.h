// Right-to-left text, as ICU finds it: the embedding levels of a paragraph (Unicode's
// Bidirectional Algorithm, UAX #9, ICU's ubidi), the display order of a line of it, the mirrored
// form of a character shown right to left, and Arabic letters joined into the presentation forms
// that glyph-by-glyph fonts draw (ICU's u_shapeArabic).
//
// Text is UTF-32 code points; every index is a code point index into the paragraph. A value that
// is not a Unicode scalar value counts as U+FFFD. No input crashes or throws: should ICU fail, the
// paragraph is left to right at level 0 and its lines keep their logical order, and a text to
// join is left as it is.
//
// Cost: the text is copied to UTF-16 once per analysis; a line's order costs a pass over the
// line. A Paragraph keeps its own ICU objects and buffers, reused from one analysis to the next;
// it is used on one thread at a time. JoinArabicLetters may be called from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct UBiDi;

namespace ZuGUI
{
namespace Bidi
{
using CodePoint = std::uint32_t;
using Level = std::uint8_t;

// A level with its paragraph's direction, as the layout keeps it for a piece of text: the
// embedding level in the low bits, kRightToLeftParagraph for a right-to-left paragraph.
using LevelByte = std::uint8_t;
inline constexpr LevelByte kLevelMask = 0x7F;
inline constexpr LevelByte kRightToLeftParagraph = 0x80;

// How a paragraph finds its direction: from its first strong character (left to right without
// one), or as given.
enum class Direction
{
    Auto,
    LeftToRight,
    RightToLeft,
};

// Whether the code point is removed from display by the algorithm (rule X9): the embedding and
// override controls, their terminator and the boundary neutrals (zero width joiners and the like).
bool IsRemovedFromDisplay(CodePoint codePoint);
// Whether any code point of the text can make a paragraph other than plain left to right: a
// right-to-left letter, an Arabic digit or an explicit direction control. Text without one needs
// no analysis.
bool NeedsAnalysis(const CodePoint* text, std::size_t length);
// The direction of a paragraph from its first strong character, the text of isolates left out
// (rules P2, P3): LeftToRight without one.
Direction FirstStrongDirection(const CodePoint* text, std::size_t length);
// The display order of `count` runs at `levels`, left to right: each entry a run's index
// (rule L2 on whole runs).
void VisualOrder(const Level* levels, std::size_t count, std::vector<std::int32_t>& order);
// The character drawn for `codePoint` at `level`: its mirror image (")" for "(") at an odd
// level when it has one, else itself.
CodePoint Shown(CodePoint codePoint, Level level);

class Paragraph
{
public:
    Paragraph();
    ~Paragraph();
    Paragraph(const Paragraph&) = delete;
    Paragraph& operator=(const Paragraph&) = delete;

    // Finds the levels of the text, a paragraph of its own (a paragraph separator inside it
    // counts as a character of class B). The text need not outlive the call.
    void Analyse(const CodePoint* text, std::size_t length, Direction direction);

    std::size_t Length() const { return m_levels.size(); }
    // 0 for a left-to-right paragraph, 1 for a right-to-left one.
    Level BaseLevel() const { return m_baseLevel; }
    Level LevelAt(std::size_t index) const { return m_levels[index]; }
    // Whether every code point is at level 0: the display order is the logical order (without
    // the code points removed from display).
    bool IsPlainLeftToRight() const { return m_plainLeftToRight; }

    // The display order of code points [start, end) shown as one line, left to right: each
    // entry is a logical index; the code points removed from display are left out. Trailing
    // white space takes the paragraph's level (rule L1).
    void LineOrder(std::size_t start, std::size_t end, std::vector<std::size_t>& order);

private:
    void SetPlain(std::size_t length, Level baseLevel);

    UBiDi* m_paragraph;
    UBiDi* m_line;
    std::vector<char16_t> m_utf16;
    // The UTF-16 index of each code point, and one past the last.
    std::vector<std::int32_t> m_unitOf;
    // The code point index of each UTF-16 unit that starts one, -1 for the others.
    std::vector<std::int32_t> m_indexOfUnit;
    std::vector<Level> m_levels;
    // Whether each code point is removed from display.
    std::vector<bool> m_removed;
    Level m_baseLevel = 0;
    bool m_plainLeftToRight = true;
    bool m_analysed = false;
    std::vector<std::int32_t> m_visualMap;
};

// Marks a code point that the ligature of the code point before it shows (a lam-alef's alef).
inline constexpr CodePoint kShownByPrevious = 0xFFFFFFFF;

// Arabic and Persian letters joined as they show: `shaped` gets one entry per code point of the
// text, in logical order: the presentation form the code point shows as (its initial, medial,
// final or isolated form; a lam and the alef after it as one lam-alef ligature, the alef's entry
// kShownByPrevious), or the code point itself where it does not join (vowel marks stay the
// combining marks they are).
void JoinArabicLetters(const CodePoint* text, std::size_t length, std::vector<CodePoint>& shaped);
} // namespace Bidi
} // namespace ZuGUI
