#include "public/CodePage.h"

#include "public/StringTools.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <string>
#include <utility>
#include <vector>

namespace
{

constexpr char16_t kReplacementCharacter = 0xFFFD;
constexpr char kUnrepresentableCharacter = '?';

const char* WideCodeset()
{
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    return "UTF-16LE"; // no byte order mark, unlike "UTF-16"
#else
    return "UTF-16BE";
#endif
}

// An iconv conversion descriptor, closed on destruction.
class IconvDescriptor
{
public:
    IconvDescriptor(const char* toCodeset, const char* fromCodeset)
        : m_descriptor(iconv_open(toCodeset, fromCodeset))
    {
    }
    IconvDescriptor(IconvDescriptor&& other) noexcept
        : m_descriptor(std::exchange(other.m_descriptor, Invalid()))
    {
    }
    IconvDescriptor& operator=(IconvDescriptor&& other) noexcept
    {
        std::swap(m_descriptor, other.m_descriptor);
        return *this;
    }
    IconvDescriptor(const IconvDescriptor&) = delete;
    IconvDescriptor& operator=(const IconvDescriptor&) = delete;
    ~IconvDescriptor()
    {
        if (IsOpen())
            iconv_close(m_descriptor);
    }

    bool IsOpen() const { return m_descriptor != Invalid(); }

    // The descriptor back in its initial shift state, ready for a new text.
    iconv_t Reset() const
    {
        iconv(m_descriptor, nullptr, nullptr, nullptr, nullptr);
        return m_descriptor;
    }

private:
    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }
    iconv_t m_descriptor;
};

// The descriptors opened so far, so that converting a short text does not open iconv each
// time. Unknown codeset pairs are remembered too. A handful of pairs are in use at once; the
// oldest entry goes when the cache is full.
class DescriptorCache
{
public:
    // An open descriptor in its initial state, or null when iconv knows no such conversion.
    iconv_t Get(const char* toCodeset, const char* fromCodeset)
    {
        for (const Entry& entry : m_entries)
        {
            if (entry.to == toCodeset && entry.from == fromCodeset)
                return entry.descriptor.IsOpen() ? entry.descriptor.Reset() : nullptr;
        }
        if (m_entries.size() >= kMaxEntries)
            m_entries.erase(m_entries.begin());
        m_entries.push_back(Entry{toCodeset, fromCodeset, IconvDescriptor(toCodeset, fromCodeset)});
        const IconvDescriptor& descriptor = m_entries.back().descriptor;
        return descriptor.IsOpen() ? descriptor.Reset() : nullptr;
    }

private:
    struct Entry
    {
        std::string to;
        std::string from;
        IconvDescriptor descriptor;
    };
    static constexpr std::size_t kMaxEntries = 16;
    std::vector<Entry> m_entries;
};

// Never destroyed, so that conversions still work while other statics are torn down.
DescriptorCache& Descriptors()
{
    static DescriptorCache* cache = new DescriptorCache;
    return *cache;
}

std::string& ExplicitSystemCodeset()
{
    static std::string* codeset = new std::string;
    return *codeset;
}

ConversionResult g_lastResult = ConversionResult::Ok;

ConversionResult Worse(ConversionResult a, ConversionResult b)
{
    return static_cast<int>(a) > static_cast<int>(b) ? a : b;
}

// The iconv codeset of a code page number; "CP<n>" is formatted into `scratch`.
const char* CodesetOf(unsigned codePage, char (&scratch)[16])
{
    if (codePage == CP_ACP)
        return GetSystemCodePage();
    if (codePage == CP_UTF8)
        return "UTF-8";
    SafeFormat(scratch, sizeof scratch, "CP%u", codePage);
    return scratch;
}

// The cursor of one iconv run over a source text and a destination buffer.
struct Cursor
{
    char* in;
    std::size_t inLeft;
    char* out;
    std::size_t outLeft;

    bool Write(const void* bytes, std::size_t count)
    {
        if (count > outLeft)
            return false;
        std::memcpy(out, bytes, count);
        out += count;
        outLeft -= count;
        return true;
    }
    void Skip(std::size_t count)
    {
        in += count;
        inLeft -= count;
    }
};

// Converts the whole source, handing each invalid, incomplete or unrepresentable input to
// `onBadInput(cursor, incomplete)`, which skips it and writes a replacement (false when the
// replacement does not fit). iconv itself never writes part of a character.
template <typename OnBadInput>
ConversionResult Pump(iconv_t descriptor, Cursor& cursor, OnBadInput onBadInput)
{
    while (cursor.inLeft > 0)
    {
        if (iconv(descriptor, &cursor.in, &cursor.inLeft, &cursor.out, &cursor.outLeft) !=
            static_cast<std::size_t>(-1))
            break;
        const int error = errno;
        if (error == E2BIG)
            return ConversionResult::Truncated;
        if (error != EILSEQ && error != EINVAL)
            return ConversionResult::Failed;
        if (!onBadInput(cursor, error == EINVAL))
            return ConversionResult::Truncated;
    }
    // Back to the initial shift state for stateful encodings (a no-op for the others).
    if (iconv(descriptor, nullptr, nullptr, &cursor.out, &cursor.outLeft) ==
        static_cast<std::size_t>(-1))
        return ConversionResult::Truncated;
    return ConversionResult::Ok;
}

// An invalid byte becomes U+FFFD. An incomplete sequence can only be the end of the text: it
// is one character.
bool ReplaceInvalidSequence(Cursor& cursor, bool incomplete)
{
    cursor.Skip(incomplete ? cursor.inLeft : 1);
    return cursor.Write(&kReplacementCharacter, sizeof kReplacementCharacter);
}

// A byte that does not decode becomes the Latin-1 character of that byte.
bool DecodeByteAsLatin1(Cursor& cursor, bool)
{
    const char16_t unit = static_cast<unsigned char>(*cursor.in);
    cursor.Skip(1);
    return cursor.Write(&unit, sizeof unit);
}

// Multi-byte text to UTF-16 in `out` (room for `capacity` units), each byte that does not
// decode handed to `onBadInput` (see Pump). Sets `length` to the units written.
template <typename OnBadInput>
ConversionResult DecodeWith(const char* s, const char* codeset, char16_t* out, std::size_t capacity,
                            std::size_t& length, OnBadInput onBadInput)
{
    length = 0;
    iconv_t descriptor = Descriptors().Get(WideCodeset(), codeset);
    if (!descriptor)
        return ConversionResult::Failed;
    Cursor cursor{const_cast<char*>(s), std::strlen(s), reinterpret_cast<char*>(out),
                  capacity * sizeof(char16_t)};
    const ConversionResult result = Pump(descriptor, cursor, onBadInput);
    length = (cursor.out - reinterpret_cast<char*>(out)) / sizeof(char16_t);
    return result;
}

// Multi-byte text to UTF-16 in `out` (room for `capacity` units before the terminator), with
// U+FFFD for invalid sequences. Sets `length` to the units written.
ConversionResult Decode(const char* s, const char* codeset, char16_t* out, std::size_t capacity,
                        std::size_t& length)
{
    return DecodeWith(s, codeset, out, capacity, length, ReplaceInvalidSequence);
}

char16_t UnitAt(const char* bytes)
{
    char16_t unit;
    std::memcpy(&unit, bytes, sizeof unit);
    return unit;
}

bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

std::size_t Utf16Length(const char16_t* s)
{
    std::size_t length = 0;
    while (s[length])
        ++length;
    return length;
}

// Writes U+FFFD in the target encoding, or '?' where the target has no such character.
bool WriteInvalidReplacement(iconv_t descriptor, Cursor& cursor)
{
    Cursor replacement{const_cast<char*>(reinterpret_cast<const char*>(&kReplacementCharacter)),
                       sizeof kReplacementCharacter, cursor.out, cursor.outLeft};
    if (iconv(descriptor, &replacement.in, &replacement.inLeft, &replacement.out,
              &replacement.outLeft) != static_cast<std::size_t>(-1))
    {
        cursor.out = replacement.out;
        cursor.outLeft = replacement.outLeft;
        return true;
    }
    if (errno == E2BIG)
        return false;
    return cursor.Write(&kUnrepresentableCharacter, 1);
}

// UTF-16 text to multi-byte text in `out` (room for `capacity` bytes before the terminator).
ConversionResult Encode(const char16_t* s, const char* codeset, char* out, std::size_t capacity,
                        std::size_t& length)
{
    length = 0;
    iconv_t descriptor = Descriptors().Get(codeset, WideCodeset());
    if (!descriptor)
        return ConversionResult::Failed;
    Cursor cursor{const_cast<char*>(reinterpret_cast<const char*>(s)),
                  Utf16Length(s) * sizeof(char16_t), out, capacity};
    const ConversionResult result =
        Pump(descriptor, cursor,
             [descriptor](Cursor& c, bool)
             {
                 const char16_t unit = UnitAt(c.in);
                 const bool pair = IsHighSurrogate(unit) && c.inLeft >= 2 * sizeof(char16_t) &&
                                   IsLowSurrogate(UnitAt(c.in + sizeof(char16_t)));
                 if (pair || !(IsHighSurrogate(unit) || IsLowSurrogate(unit)))
                 {
                     // A valid character that the target cannot represent.
                     c.Skip((pair ? 2 : 1) * sizeof(char16_t));
                     return c.Write(&kUnrepresentableCharacter, 1);
                 }
                 c.Skip(sizeof(char16_t)); // a lone surrogate
                 return WriteInvalidReplacement(descriptor, c);
             });
    length = static_cast<std::size_t>(cursor.out - out);
    return result;
}

// A helper's result buffer. Everything past the last result is zero, so clearing it before
// the next result only needs to touch what that result used.
template <typename Unit>
class ResultBuffer
{
public:
    Unit* Clear()
    {
        std::memset(m_units, 0, (m_length + 1) * sizeof(Unit));
        m_length = 0;
        return m_units;
    }
    const Unit* Finish(std::size_t length)
    {
        m_length = length;
        m_units[length] = 0;
        return m_units;
    }
    static constexpr std::size_t Capacity() { return kCodePageBufferUnits - 1; }

private:
    Unit m_units[kCodePageBufferUnits] = {};
    std::size_t m_length = 0;
};

ResultBuffer<char16_t> g_toWideBuffer;
ResultBuffer<char> g_toMultiByteBuffer;
ResultBuffer<char16_t> g_intermediateBuffer; // the UTF-16 step of Utf8ToAnsi and AnsiToUtf8
ResultBuffer<char> g_utf8ToAnsiBuffer;
ResultBuffer<char> g_ansiToUtf8Buffer;

const char16_t* DecodeIntoBuffer(const char* s, const char* codeset, ResultBuffer<char16_t>& buffer,
                                 ConversionResult& result)
{
    char16_t* units = buffer.Clear();
    std::size_t length = 0;
    result = s ? Decode(s, codeset, units, buffer.Capacity(), length) : ConversionResult::Ok;
    return buffer.Finish(result == ConversionResult::Failed ? 0 : length);
}

const char* EncodeIntoBuffer(const char16_t* s, const char* codeset, ResultBuffer<char>& buffer,
                             ConversionResult& result)
{
    char* bytes = buffer.Clear();
    std::size_t length = 0;
    result = s ? Encode(s, codeset, bytes, buffer.Capacity(), length) : ConversionResult::Ok;
    return buffer.Finish(result == ConversionResult::Failed ? 0 : length);
}

// The two-step conversion of Utf8ToAnsi and AnsiToUtf8, through UTF-16.
const char* Transcode(const char* s, const char* fromCodeset, const char* toCodeset,
                      ResultBuffer<char>& buffer)
{
    ConversionResult decoded;
    const char16_t* wide = DecodeIntoBuffer(s, fromCodeset, g_intermediateBuffer, decoded);
    ConversionResult encoded;
    const char* text = EncodeIntoBuffer(wide, toCodeset, buffer, encoded);
    g_lastResult = Worse(decoded, encoded);
    if (g_lastResult == ConversionResult::Failed)
        return buffer.Finish(0);
    return text;
}

// Runs `convert(out, capacity, length)` into a string that grows until the whole text fits.
template <typename Text, typename Convert>
Text ConvertWhole(std::size_t capacity, Convert convert)
{
    Text text;
    for (;;)
    {
        text.resize(capacity + 1);
        std::size_t length = 0;
        g_lastResult = convert(&text[0], capacity, length);
        if (g_lastResult != ConversionResult::Truncated)
        {
            text.resize(g_lastResult == ConversionResult::Failed ? 0 : length);
            return text;
        }
        capacity *= 2;
    }
}

// Multi-byte text in `fromCodeset` to `toCodeset`, whole, each byte that does not decode handed
// to `onBadInput` (see Pump). A byte becomes at most one UTF-16 unit; a unit at most four
// bytes (before shift sequences, which the retry covers).
template <typename OnBadInput = decltype(ReplaceInvalidSequence)*>
std::string TranscodeWhole(const char* s, const char* fromCodeset, const char* toCodeset,
                           OnBadInput onBadInput = ReplaceInvalidSequence)
{
    if (!s)
    {
        g_lastResult = ConversionResult::Ok;
        return {};
    }
    const std::u16string wide = ConvertWhole<std::u16string>(
        std::strlen(s) + 1, [&](char16_t* out, std::size_t capacity, std::size_t& length)
        { return DecodeWith(s, fromCodeset, out, capacity, length, onBadInput); });
    if (g_lastResult == ConversionResult::Failed)
        return {};
    return ConvertWhole<std::string>(
        wide.size() * 4 + 16, [&](char* out, std::size_t capacity, std::size_t& length)
        { return Encode(wide.c_str(), toCodeset, out, capacity, length); });
}

} // namespace

const char16_t* ToWide(const char* s, unsigned codePage)
{
    char scratch[16];
    return DecodeIntoBuffer(s, CodesetOf(codePage, scratch), g_toWideBuffer, g_lastResult);
}

const char* ToMultiByte(const char16_t* s, unsigned codePage)
{
    char scratch[16];
    return EncodeIntoBuffer(s, CodesetOf(codePage, scratch), g_toMultiByteBuffer, g_lastResult);
}

const char* Utf8ToAnsi(const char* s, const char* fallback)
{
    if (!s)
    {
        g_lastResult = ConversionResult::Ok;
        return fallback;
    }
    return Transcode(s, "UTF-8", GetSystemCodePage(), g_utf8ToAnsiBuffer);
}

const char* AnsiToUtf8(const char* s, const char* fallback)
{
    if (!s)
    {
        g_lastResult = ConversionResult::Ok;
        return fallback;
    }
    return Transcode(s, GetSystemCodePage(), "UTF-8", g_ansiToUtf8Buffer);
}

std::string Utf8ToAnsiText(const char* s)
{
    return TranscodeWhole(s, "UTF-8", GetSystemCodePage());
}

std::string AnsiToUtf8Text(const char* s)
{
    return TranscodeWhole(s, GetSystemCodePage(), "UTF-8");
}

std::string ValidUtf8Text(const char* s)
{
    return TranscodeWhole(s, "UTF-8", "UTF-8");
}

bool IsValidUtf8(const char* s)
{
    if (!s || std::all_of(s, s + std::strlen(s), [](unsigned char c) { return c < 0x80; }))
        return true;
    // ValidUtf8Text changes only what is invalid, and always changes it: what it puts in is
    // U+FFFD, which is valid.
    return ValidUtf8Text(s) == s;
}

std::string ToUtf8WithLatin1Fallback(const char* s, unsigned codePage)
{
    char scratch[16];
    return TranscodeWhole(s, CodesetOf(codePage, scratch), "UTF-8", DecodeByteAsLatin1);
}

void SetSystemCodePage(const char* codeset)
{
    ExplicitSystemCodeset() = codeset ? codeset : "";
}

const char* GetSystemCodePage()
{
    const std::string& explicitCodeset = ExplicitSystemCodeset();
    if (!explicitCodeset.empty())
        return explicitCodeset.c_str();
    // nl_langinfo's text may change with the next setlocale: keep a copy.
    static char localeCodeset[128];
    SafeFormat(localeCodeset, sizeof localeCodeset, "%s", nl_langinfo(CODESET));
    return localeCodeset;
}

ConversionResult LastConversionResult()
{
    return g_lastResult;
}

namespace codepage_detail
{

bool Utf16ToUtf8(const char16_t* s, char* out, std::size_t outSize)
{
    if (!out || outSize == 0)
        return false;
    std::size_t length = 0;
    const ConversionResult result =
        s ? Encode(s, "UTF-8", out, outSize - 1, length) : ConversionResult::Ok;
    out[result == ConversionResult::Ok ? length : 0] = '\0';
    return result == ConversionResult::Ok;
}

std::size_t Utf8BufferSizeFor(const char16_t* s)
{
    // A unit takes at most 3 bytes (a lone surrogate becomes U+FFFD), a pair 4.
    return (s ? Utf16Length(s) : 0) * 3 + 1;
}

} // namespace codepage_detail
