#include "ZuGUIElements/richtext/bidi/BidiText.h"

#include <unicode/ubidi.h>
#include <unicode/uchar.h>
#include <unicode/ushape.h>
#include <unicode/utf16.h>

#include <algorithm>

namespace ZuGUI
{
namespace Bidi
{
namespace
{
constexpr CodePoint kReplacement = 0xFFFD;

CodePoint ScalarValue(CodePoint codePoint)
{
    return codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF) ? kReplacement
                                                                                : codePoint;
}

// Appends the text as UTF-16 to `utf16`, and the UTF-16 index of each code point (and one past
// the last) to `unitOf`.
void ToUtf16(const CodePoint* text, std::size_t length, std::vector<char16_t>& utf16,
             std::vector<std::int32_t>& unitOf)
{
    utf16.clear();
    unitOf.clear();
    for (std::size_t i = 0; i < length; ++i)
    {
        unitOf.push_back(static_cast<std::int32_t>(utf16.size()));
        const CodePoint value = ScalarValue(text[i]);
        if (U_IS_BMP(value))
        {
            utf16.push_back(static_cast<char16_t>(value));
        }
        else
        {
            utf16.push_back(static_cast<char16_t>(U16_LEAD(value)));
            utf16.push_back(static_cast<char16_t>(U16_TRAIL(value)));
        }
    }
    unitOf.push_back(static_cast<std::int32_t>(utf16.size()));
}

bool IsRightToLeftClass(UCharDirection direction)
{
    switch (direction)
    {
    case U_RIGHT_TO_LEFT:
    case U_RIGHT_TO_LEFT_ARABIC:
    case U_ARABIC_NUMBER:
    case U_RIGHT_TO_LEFT_EMBEDDING:
    case U_RIGHT_TO_LEFT_OVERRIDE:
    case U_RIGHT_TO_LEFT_ISOLATE:
    case U_LEFT_TO_RIGHT_EMBEDDING:
    case U_LEFT_TO_RIGHT_OVERRIDE:
    case U_LEFT_TO_RIGHT_ISOLATE:
    case U_FIRST_STRONG_ISOLATE:
        return true;
    default:
        return false;
    }
}

constexpr CodePoint kLam = 0x0644;

bool IsLamAlefLigature(char16_t unit)
{
    return unit >= 0xFEF5 && unit <= 0xFEFC;
}
} // namespace

bool IsRemovedFromDisplay(CodePoint codePoint)
{
    // Printable ASCII and the alphabets up to U+180E hold no such code point but the soft hyphen.
    if ((codePoint >= 0x20 && codePoint < 0x7F) ||
        (codePoint >= 0xA0 && codePoint < 0x180E && codePoint != 0xAD))
        return false;
    switch (u_charDirection(static_cast<UChar32>(ScalarValue(codePoint))))
    {
    case U_LEFT_TO_RIGHT_EMBEDDING:
    case U_RIGHT_TO_LEFT_EMBEDDING:
    case U_LEFT_TO_RIGHT_OVERRIDE:
    case U_RIGHT_TO_LEFT_OVERRIDE:
    case U_POP_DIRECTIONAL_FORMAT:
    case U_BOUNDARY_NEUTRAL:
        return true;
    default:
        return false;
    }
}

bool NeedsAnalysis(const CodePoint* text, std::size_t length)
{
    // Below U+0590 only the explicit controls, which sit higher, could change anything.
    return std::any_of(text, text + length,
                       [](CodePoint codePoint)
                       {
                           return codePoint >= 0x0590 &&
                                  IsRightToLeftClass(u_charDirection(
                                      static_cast<UChar32>(ScalarValue(codePoint))));
                       });
}

Direction FirstStrongDirection(const CodePoint* text, std::size_t length)
{
    // Isolates open around the current character: their text does not count.
    std::size_t openIsolates = 0;
    for (std::size_t i = 0; i < length; ++i)
    {
        switch (u_charDirection(static_cast<UChar32>(ScalarValue(text[i]))))
        {
        case U_LEFT_TO_RIGHT:
            if (openIsolates == 0)
                return Direction::LeftToRight;
            break;
        case U_RIGHT_TO_LEFT:
        case U_RIGHT_TO_LEFT_ARABIC:
            if (openIsolates == 0)
                return Direction::RightToLeft;
            break;
        case U_LEFT_TO_RIGHT_ISOLATE:
        case U_RIGHT_TO_LEFT_ISOLATE:
        case U_FIRST_STRONG_ISOLATE:
            ++openIsolates;
            break;
        case U_POP_DIRECTIONAL_ISOLATE:
            openIsolates -= openIsolates > 0 ? 1 : 0;
            break;
        default:
            break;
        }
    }
    return Direction::LeftToRight;
}

void VisualOrder(const Level* levels, std::size_t count, std::vector<std::int32_t>& order)
{
    order.assign(count, -1);
    if (count > 0 && count <= static_cast<std::size_t>(INT32_MAX))
    {
        // ICU reads levels as UBiDiLevel, the same byte.
        ubidi_reorderVisual(reinterpret_cast<const UBiDiLevel*>(levels),
                            static_cast<std::int32_t>(count), order.data());
    }
    // Without a map (levels beyond the maximum) the runs keep their logical order.
    if (std::any_of(order.begin(), order.end(),
                    [count](std::int32_t index)
                    { return index < 0 || static_cast<std::size_t>(index) >= count; }))
    {
        for (std::size_t i = 0; i < count; ++i)
            order[i] = static_cast<std::int32_t>(i);
    }
}

CodePoint Shown(CodePoint codePoint, Level level)
{
    if ((level & 1) == 0)
        return codePoint;
    if (codePoint < 0x80)
    {
        switch (codePoint)
        {
        case '(':
            return ')';
        case ')':
            return '(';
        case '<':
            return '>';
        case '>':
            return '<';
        case '[':
            return ']';
        case ']':
            return '[';
        case '{':
            return '}';
        case '}':
            return '{';
        default:
            return codePoint;
        }
    }
    // Up to U+1FFF only the guillemets and a few Tibetan and Ogham marks mirror.
    if (codePoint < 0x2000 && codePoint != 0xAB && codePoint != 0xBB &&
        !(codePoint >= 0x0F3A && codePoint <= 0x0F3D) && codePoint != 0x169B && codePoint != 0x169C)
        return codePoint;
    return static_cast<CodePoint>(u_charMirror(static_cast<UChar32>(ScalarValue(codePoint))));
}

Paragraph::Paragraph() : m_paragraph(ubidi_open()), m_line(ubidi_open()) {}

Paragraph::~Paragraph()
{
    if (m_line)
        ubidi_close(m_line);
    if (m_paragraph)
        ubidi_close(m_paragraph);
}

void Paragraph::SetPlain(std::size_t length, Level baseLevel)
{
    m_levels.assign(length, baseLevel);
    m_baseLevel = baseLevel;
    m_plainLeftToRight = baseLevel == 0;
    m_analysed = false;
}

void Paragraph::Analyse(const CodePoint* text, std::size_t length, Direction direction)
{
    const Level given = direction == Direction::RightToLeft ? 1 : 0;
    m_removed.resize(length);
    for (std::size_t i = 0; i < length; ++i)
        m_removed[i] = IsRemovedFromDisplay(text[i]);
    if (direction != Direction::RightToLeft && !NeedsAnalysis(text, length))
        return SetPlain(length, 0);
    ToUtf16(text, length, m_utf16, m_unitOf);
    UErrorCode status = U_ZERO_ERROR;
    const UBiDiLevel paragraphLevel = direction == Direction::Auto ? UBIDI_DEFAULT_LTR : given;
    if (m_paragraph && m_utf16.size() <= static_cast<std::size_t>(INT32_MAX))
        ubidi_setPara(m_paragraph, reinterpret_cast<const UChar*>(m_utf16.data()),
                      static_cast<std::int32_t>(m_utf16.size()), paragraphLevel, nullptr, &status);
    else
        status = U_MEMORY_ALLOCATION_ERROR;
    const UBiDiLevel* levels = U_SUCCESS(status) ? ubidi_getLevels(m_paragraph, &status) : nullptr;
    if (U_FAILURE(status) || (!levels && length > 0))
        return SetPlain(length, given);
    m_baseLevel = ubidi_getParaLevel(m_paragraph) & 1;
    // The code point of each UTF-16 unit: its index at its first unit, -1 at a trail unit.
    m_indexOfUnit.assign(m_utf16.size(), -1);
    for (std::size_t i = 0; i < length; ++i)
        m_indexOfUnit[static_cast<std::size_t>(m_unitOf[i])] = static_cast<std::int32_t>(i);
    m_levels.resize(length);
    m_plainLeftToRight = m_baseLevel == 0;
    for (std::size_t i = 0; i < length; ++i)
    {
        m_levels[i] = levels[m_unitOf[i]];
        m_plainLeftToRight = m_plainLeftToRight && m_levels[i] == 0;
    }
    m_analysed = true;
}

void Paragraph::LineOrder(std::size_t start, std::size_t end, std::vector<std::size_t>& order)
{
    order.clear();
    end = std::min(end, Length());
    if (start >= end)
        return;
    const auto logical = [&]
    {
        order.clear();
        for (std::size_t i = start; i < end; ++i)
        {
            if (!m_removed[i])
                order.push_back(i);
        }
    };
    if (!m_analysed)
    {
        // Left to right throughout, or a right-to-left base without analysis (ICU failed):
        // the logical order.
        return logical();
    }
    UErrorCode status = U_ZERO_ERROR;
    ubidi_setLine(m_paragraph, m_unitOf[start], m_unitOf[end], m_line, &status);
    const std::int32_t units = U_SUCCESS(status) ? ubidi_getLength(m_line) : 0;
    m_visualMap.resize(static_cast<std::size_t>(std::max(units, 0)));
    if (U_SUCCESS(status))
        ubidi_getVisualMap(m_line, m_visualMap.data(), &status);
    if (U_FAILURE(status))
        return logical();
    // The map gives the logical UTF-16 index (in the line) at each visual position; a code point
    // outside the BMP shows once, at its lead unit.
    for (const std::int32_t unit : m_visualMap)
    {
        const std::int32_t index = m_indexOfUnit[static_cast<std::size_t>(m_unitOf[start] + unit)];
        if (index >= 0 && !m_removed[static_cast<std::size_t>(index)])
            order.push_back(static_cast<std::size_t>(index));
    }
}

namespace
{
// Buffers of the joining, kept by each thread for the next text unless they grew far beyond a
// chat message.
struct JoiningBuffers
{
    std::vector<char16_t> utf16;
    std::vector<std::int32_t> unitOf;
    std::vector<char16_t> joined;

    void ReleaseIfLarge()
    {
        constexpr std::size_t kKeptUnits = 64 * 1024;
        if (utf16.capacity() > kKeptUnits)
            *this = JoiningBuffers();
    }
};

// Whether the UTF-16 unit can change how Arabic letters join: a letter of a joining type, a
// mark (transparent to joining) or a join control.
bool TakesPartInJoining(char16_t unit)
{
    if (U16_IS_SURROGATE(unit))
        return false;
    return u_getIntPropertyValue(unit, UCHAR_JOINING_TYPE) != U_JT_NON_JOINING;
}

bool MayJoin(CodePoint c)
{
    return (c >= 0x0600 && c <= 0x08FF) || (c >= 0xFB50 && c <= 0xFEFF);
}

// Writes into `shaped` (the text's copy) the forms that ICU joins the text's letters into.
void JoinWithIcu(const CodePoint* text, std::size_t length, std::vector<CodePoint>& shaped,
                 JoiningBuffers& buffers)
{
    std::vector<char16_t>& utf16 = buffers.utf16;
    std::vector<std::int32_t>& unitOf = buffers.unitOf;
    std::vector<char16_t>& joined = buffers.joined;
    ToUtf16(text, length, utf16, unitOf);
    if (utf16.empty() || utf16.size() > static_cast<std::size_t>(INT32_MAX))
        return;
    // Only letters, marks and join controls take part in joining: every other unit is given to
    // ICU as a space, which joins nothing as they do. ICU's shaping mistakes some units (a zero,
    // U+FFFF, which it uses to mark what it removes) for its own marks.
    std::transform(utf16.begin(), utf16.end(), utf16.begin(),
                   [](char16_t unit) { return TakesPartInJoining(unit) ? unit : u' '; });
    // Each lam-alef pair becomes one ligature: the shaped text is shorter by one per pair.
    joined.assign(utf16.size(), 0);
    UErrorCode status = U_ZERO_ERROR;
    const std::int32_t joinedLength = u_shapeArabic(
        reinterpret_cast<const UChar*>(utf16.data()), static_cast<std::int32_t>(utf16.size()),
        reinterpret_cast<UChar*>(joined.data()), static_cast<std::int32_t>(joined.size()),
        U_SHAPE_LETTERS_SHAPE | U_SHAPE_TEXT_DIRECTION_LOGICAL | U_SHAPE_LAMALEF_RESIZE, &status);
    if (U_FAILURE(status) || joinedLength < 0)
        return;
    // Walks both texts: a code point outside the BMP is two units in both, a lam-alef ligature
    // one unit for the two units of its lam and alef. Should they not match up, the text is
    // left as it is.
    const std::vector<CodePoint> original(shaped);
    std::size_t out = 0;
    std::size_t i = 0;
    for (; i < length && out < static_cast<std::size_t>(joinedLength); ++i)
    {
        const std::size_t width = static_cast<std::size_t>(unitOf[i + 1] - unitOf[i]);
        // Vowel marks stay combining marks, drawn over the letter before them, rather than
        // the spacing forms ICU gives them between joined letters.
        if (width == 1 && joined[out] != utf16[static_cast<std::size_t>(unitOf[i])] &&
            u_charType(static_cast<UChar32>(text[i])) != U_NON_SPACING_MARK)
            shaped[i] = joined[out];
        out += width;
        if (text[i] == kLam && IsLamAlefLigature(joined[out - 1]) && i + 1 < length)
            shaped[++i] = kShownByPrevious;
    }
    if (i != length || out != static_cast<std::size_t>(joinedLength))
        shaped = original;
}
} // namespace

void JoinArabicLetters(const CodePoint* text, std::size_t length, std::vector<CodePoint>& shaped)
{
    shaped.assign(text, text + length);
    // Only the Arabic blocks and their presentation forms join.
    if (std::none_of(text, text + length, MayJoin))
        return;
    thread_local JoiningBuffers buffers;
    JoinWithIcu(text, length, shaped, buffers);
    buffers.ReleaseIfLarge();
}
} // namespace Bidi
} // namespace ZuGUI
