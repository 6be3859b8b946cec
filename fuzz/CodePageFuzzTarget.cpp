// Fuzz target of the code-page helpers. Byte 0 chooses the system code page (CP1252, GBK,
// Shift-JIS or UTF-8), byte 1 what the rest is: multi-byte text (up to its first zero byte)
// for ToWide and AnsiToUtf8/Utf8ToAnsi, or UTF-16 units (big-endian pairs) for ToMultiByte.
// Every result must be terminated inside its buffer, UTF-8 results must be valid UTF-8, wide
// results valid UTF-16, and valid UTF-8 must come back unchanged through UTF-16 unless it
// was cut to fit.
#include "public/CodePage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
struct CodePage
{
    const char* codeset;
    unsigned number;
};
const CodePage kCodePages[] = {
    {"CP1252", 1252}, {"GBK", 936}, {"SHIFT_JIS", 932}, {"UTF-8", 65001}};

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "code pages: %s\n", what);
    std::abort();
}

std::size_t TerminatedLength(const char* text)
{
    const void* end = std::memchr(text, '\0', kCodePageBufferUnits);
    if (!end)
        Fail("a multi-byte result is not terminated inside its buffer");
    return static_cast<std::size_t>(static_cast<const char*>(end) - text);
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();)
    {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80                   ? 1
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                           : lead >= 0xE0 && lead < 0xF0 ? 3
                           : lead >= 0xF0 && lead < 0xF5 ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size())
            return false;
        std::uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k)
        {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            point = point << 6 | (next & 0x3F);
        }
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (point < least[length] || point > 0x10FFFF || (point >= 0xD800 && point < 0xE000))
            return false;
        i += length;
    }
    return true;
}

void CheckUtf16(const char16_t* text)
{
    std::size_t length = 0;
    while (length < kCodePageBufferUnits && text[length])
        ++length;
    if (length == kCodePageBufferUnits)
        Fail("a wide result is not terminated inside its buffer");
    for (std::size_t i = 0; i < length; ++i)
    {
        if (text[i] >= 0xD800 && text[i] < 0xDC00)
        {
            if (i + 1 >= length || text[i + 1] < 0xDC00 || text[i + 1] >= 0xE000)
                Fail("a wide result has a lone high surrogate");
            ++i;
        }
        else if (text[i] >= 0xDC00 && text[i] < 0xE000)
        {
            Fail("a wide result has a lone low surrogate");
        }
    }
}

void CheckUtf8Result(const char* text, const char* what)
{
    if (!IsValidUtf8(std::string(text, TerminatedLength(text))))
        Fail(what);
}

void FuzzMultiByte(const std::string& text, const CodePage& codePage)
{
    CheckUtf16(ToWide(text.c_str(), codePage.number));
    const char16_t* wide = ToWide(text.c_str(), CP_UTF8);
    CheckUtf16(wide);
    const bool cut = LastConversionTruncated();
    const std::string back(ToMultiByte(wide, CP_UTF8));
    if (IsValidUtf8(text) && !cut && !LastConversionTruncated() && back != text)
        Fail("valid UTF-8 changed on its way through UTF-16");
    CheckUtf8Result(AnsiToUtf8(text.c_str(), ""), "AnsiToUtf8 gave invalid UTF-8");
    TerminatedLength(Utf8ToAnsi(text.c_str(), ""));
}

void FuzzWide(const std::uint8_t* data, std::size_t size, const CodePage& codePage)
{
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < size; i += 2)
    {
        const char16_t unit = static_cast<char16_t>(data[i] << 8 | data[i + 1]);
        if (unit == 0)
            break;
        wide.push_back(unit);
    }
    CheckUtf8Result(ToMultiByte(wide.c_str(), CP_UTF8), "ToMultiByte gave invalid UTF-8");
    TerminatedLength(ToMultiByte(wide.c_str(), codePage.number));
    TerminatedLength(ToMultiByte(wide.c_str(), CP_ACP));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const CodePage& codePage = kCodePages[data[0] % 4];
    SetSystemCodePage(codePage.codeset);
    if (data[1] % 2 == 0)
    {
        const char* text = reinterpret_cast<const char*>(data + 2);
        FuzzMultiByte(std::string(text, strnlen(text, size - 2)), codePage);
    }
    else
    {
        FuzzWide(data + 2, size - 2, codePage);
    }
    return 0;
}
