#include "ZuGUIElements/richtext/breaks/UnicodeBreaks.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/utext.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

namespace ZuGUI
{
namespace Breaks
{
namespace
{
using IteratorPtr = std::unique_ptr<icu::BreakIterator>;
using CreateIterator = icu::BreakIterator* (*)(const icu::Locale&, UErrorCode&);

// The grapheme cluster rules join no two code points below U+0300 but CR LF: every Extend,
// SpacingMark, Prepend, ZWJ, Regional_Indicator and Hangul character lies above. Nor does a rule
// look back past two such code points, so the text after them breaks as it would alone.
constexpr CodePoint kFirstJoiningCodePoint = 0x300;
// Plain boundaries in a row that end a stretch of text that ICU looks at for clusters.
constexpr std::size_t kPlainRunToSplit = 8;

// ICU's iterators count in int32_t UTF-16 units; a longer text is not given to them.
constexpr std::size_t kMaxUtf16Length = INT32_MAX;

// The code point as ICU is given it: U+FFFD for a value that is not a Unicode scalar value.
UChar32 ScalarValue(CodePoint c)
{
    return c > 0x10FFFF || U_IS_SURROGATE(c) ? 0xFFFD : static_cast<UChar32>(c);
}

std::int32_t Utf16Length(CodePoint c)
{
    return U16_LENGTH(ScalarValue(c));
}

// The UTF-16 offset of code point `position`.
std::int32_t Utf16Offset(const CodePoint* text, std::size_t position)
{
    std::int32_t offset = 0;
    for (std::size_t i = 0; i < position; ++i)
        offset += Utf16Length(text[i]);
    return offset;
}

// The code point at UTF-16 offset `offset` (the text's length past its end).
std::size_t PositionAt(const CodePoint* text, std::size_t length, std::int32_t offset)
{
    std::size_t position = 0;
    for (std::int32_t walked = 0; walked < offset && position < length; ++position)
        walked += Utf16Length(text[position]);
    return position;
}

// The thread's UTF-16 buffer, kept for its next text.
std::u16string& ThreadUnits()
{
    thread_local std::u16string units;
    return units;
}

// Points `iterator` away from the thread's buffer and frees the buffer after a text much longer
// than chat: a thread keeps the room of a usual text, not of the longest it ever saw.
void ReleaseLargeUnits(icu::BreakIterator& iterator)
{
    constexpr std::size_t kKeptUnits = 64 * 1024;
    std::u16string& units = ThreadUnits();
    if (units.capacity() <= kKeptUnits)
        return;
    UErrorCode status = U_ZERO_ERROR;
    UText empty = UTEXT_INITIALIZER;
    iterator.setText(utext_openUChars(&empty, u"", 0, &status), status);
    utext_close(&empty);
    std::u16string().swap(units);
}

// The text in UTF-16 in the thread's buffer, and a UText over it.
class Utf16Text
{
public:
    Utf16Text(const CodePoint* text, std::size_t length, UErrorCode& status)
    {
        if (length > kMaxUtf16Length / U16_MAX_LENGTH)
        {
            status = U_INDEX_OUTOFBOUNDS_ERROR;
            return;
        }
        std::u16string& units = ThreadUnits();
        units.resize(length * U16_MAX_LENGTH);
        std::size_t used = 0;
        for (std::size_t i = 0; i < length; ++i)
            U16_APPEND_UNSAFE(&units[0], used, ScalarValue(text[i]));
        m_text.adoptInstead(utext_openUChars(&m_storage, units.data(), used, &status));
    }

    UText* Get() { return m_text.getAlias(); }

private:
    UText m_storage = UTEXT_INITIALIZER;
    icu::LocalUTextPointer m_text;
};

// An iterator of the root locale made by `create`, or null when ICU fails.
IteratorPtr CreatePrototype(CreateIterator create)
{
    UErrorCode status = U_ZERO_ERROR;
    IteratorPtr iterator(create(icu::Locale::getRoot(), status));
    if (U_FAILURE(status))
        iterator.reset();
    return iterator;
}

// The calling thread's iterator of the kind that `create` makes, or null when ICU failed.
// Creating an iterator loads its rules; cloning the one made for the process is much cheaper,
// and an iterator keeps its position, so each thread has its own.
template <CreateIterator create>
icu::BreakIterator* ThreadIterator()
{
    static const IteratorPtr prototype = CreatePrototype(create);
    thread_local const IteratorPtr iterator(prototype ? prototype->clone() : nullptr);
    return iterator.get();
}

// Points `iterator` at the text; false when there is no iterator or ICU fails.
bool PointAt(icu::BreakIterator* iterator, const CodePoint* text, std::size_t length)
{
    if (!iterator)
        return false;
    UErrorCode status = U_ZERO_ERROR;
    // The iterator keeps its own UText over the thread's buffer: this one may close.
    Utf16Text utf16(text, length, status);
    iterator->setText(utf16.Get(), status);
    return U_SUCCESS(status);
}

// Calls mark(position) for each code point 0 < position < length that a boundary of the
// iterator precedes. The iterator must be pointed at the text.
template <typename Mark>
void MarkInnerBoundaries(icu::BreakIterator& iterator, const CodePoint* text, std::size_t length,
                         Mark mark)
{
    std::size_t position = 0;
    std::int32_t offset = 0; // the UTF-16 offset of `position`
    iterator.first();
    for (std::int32_t boundary = iterator.next(); boundary != icu::BreakIterator::DONE;
         boundary = iterator.next())
    {
        while (offset < boundary && position < length)
            offset += Utf16Length(text[position++]);
        if (position < length)
            mark(position);
    }
}

// Marks the inner boundaries of the iterator over the text; false when ICU fails.
template <typename Mark>
bool MarkBoundaries(icu::BreakIterator* iterator, const CodePoint* text, std::size_t length,
                    Mark mark)
{
    if (!PointAt(iterator, text, length))
        return false;
    MarkInnerBoundaries(*iterator, text, length, mark);
    ReleaseLargeUnits(*iterator);
    return true;
}

// Resizes `flags` to `length` and clears `flag` in each.
void ClearFlag(std::vector<std::uint8_t>& flags, std::size_t length, BreakFlag flag)
{
    flags.resize(length);
    for (std::uint8_t& each : flags)
        each &= static_cast<std::uint8_t>(~flag);
}

// Whether no grapheme cluster rule joins the code point to another: one below U+0300 (CR LF
// aside), or one of break property Other (letters of most scripts, Hebrew and Arabic among
// them). No rule looks back across one either: a pictograph that starts an emoji sequence is
// Other, but the joiner after it is not, so ICU sees the pictograph with the sequence.
bool JoinsNothing(CodePoint c)
{
    return c < kFirstJoiningCodePoint ||
           (c <= 0x10FFFF && u_getIntPropertyValue(static_cast<UChar32>(c),
                                                   UCHAR_GRAPHEME_CLUSTER_BREAK) == U_GCB_OTHER);
}

// Whether two code points that join nothing meet at `position` (0 < position < length): the
// clusters on either side are settled without ICU.
bool IsPlainBoundary(const CodePoint* text, std::size_t position)
{
    return JoinsNothing(text[position - 1]) && JoinsNothing(text[position]);
}

bool IsCrLf(const CodePoint* text, std::size_t position)
{
    return text[position - 1] == '\r' && text[position] == '\n';
}

// Marks a cluster start at a plain boundary: there is one but between CR and LF.
template <typename Mark>
void MarkPlainClusterStart(const CodePoint* text, std::size_t position, Mark mark)
{
    if (!IsCrLf(text, position))
        mark(position);
}

// The end of the stretch that ICU sees from `position` (not a plain boundary) on: the first of
// kPlainRunToSplit plain boundaries in a row, or the text's end. Pointing an iterator at a new
// text costs about what walking ten code points does, so a shorter run stays in the stretch.
std::size_t JoiningStretchEnd(const CodePoint* text, std::size_t length, std::size_t position)
{
    std::size_t plainRun = 0;
    for (++position; position < length; ++position)
    {
        plainRun = IsPlainBoundary(text, position) ? plainRun + 1 : 0;
        if (plainRun == kPlainRunToSplit)
            return position + 1 - kPlainRunToSplit;
    }
    return length;
}

// Marks the cluster starts in (start, end), a stretch from a plain boundary (or the text's start)
// to a plain boundary (or the text's end), as ICU finds them; should ICU fail, each code point but
// the LF of CR LF.
template <typename Mark>
void MarkJoiningClusterStarts(const CodePoint* text, std::size_t start, std::size_t end, Mark mark)
{
    const auto markInText = [start, &mark](std::size_t position) { mark(start + position); };
    if (!MarkBoundaries(ThreadIterator<&icu::BreakIterator::createCharacterInstance>(),
                        text + start, end - start, markInText))
    {
        for (std::size_t position = start + 1; position < end; ++position)
            MarkPlainClusterStart(text, position, mark);
    }
}
} // namespace

void FindLineBreaks(const CodePoint* text, std::size_t length, std::vector<std::uint8_t>& flags)
{
    ClearFlag(flags, length, kLineBreakBefore);
    MarkBoundaries(ThreadIterator<&icu::BreakIterator::createLineInstance>(), text, length,
                   [&flags](std::size_t position) { flags[position] |= kLineBreakBefore; });
}

void FindClusterStarts(const CodePoint* text, std::size_t length, std::vector<std::uint8_t>& flags)
{
    ClearFlag(flags, length, kClusterStart);
    const auto mark = [&flags](std::size_t position) { flags[position] |= kClusterStart; };
    if (length == 0)
        return;
    mark(0);
    // Plain boundaries need no ICU; ICU sees only the stretches around the others.
    for (std::size_t position = 1; position < length;)
    {
        if (IsPlainBoundary(text, position))
        {
            MarkPlainClusterStart(text, position, mark);
            ++position;
            continue;
        }
        // Before position - 1 lies a plain boundary or the text's start.
        const std::size_t end = JoiningStretchEnd(text, length, position);
        MarkJoiningClusterStarts(text, position - 1, end, mark);
        position = end;
    }
}

bool HasOnlySingleCodePointClusters(const CodePoint* text, std::size_t length)
{
    return std::all_of(text, text + length, [](CodePoint c) { return JoinsNothing(c); });
}

Span WordAround(const CodePoint* text, std::size_t length, std::size_t index)
{
    if (index >= length)
        return Span{index, index};
    icu::BreakIterator* iterator = ThreadIterator<&icu::BreakIterator::createWordInstance>();
    if (!PointAt(iterator, text, length))
        return Span{index, index + 1};
    const std::int32_t end = iterator->following(Utf16Offset(text, index));
    const std::int32_t start = iterator->previous();
    ReleaseLargeUnits(*iterator);
    return Span{PositionAt(text, length, start), PositionAt(text, length, end)};
}

} // namespace Breaks
} // namespace ZuGUI
