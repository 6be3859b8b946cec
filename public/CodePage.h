// Code-page helpers: conversions between multi-byte text (UTF-8, which CEGUI uses, or the
// system code page, which the game client uses) and 16-bit UTF-16 text, through iconv.
//
// Each helper returns a pointer into its own static buffer of kCodePageBufferUnits units,
// valid until that same helper runs again (copy the result before calling it a second time).
// The buffer is cleared first and the result is always terminated. Not thread-safe: the
// helpers run on the GUI thread only.
//
// What the conversions do with text they cannot carry over:
// - an invalid byte sequence in the source becomes U+FFFD in wide text, one per invalid byte
//   (an incomplete sequence at the end of the text gives a single U+FFFD); a lone surrogate in
//   wide text becomes U+FFFD in UTF-8;
// - a character that the target code page cannot represent becomes '?' (one per character,
//   a surrogate pair included); in a legacy target the U+FFFD of an invalid sequence is such a
//   character, so it shows as '?';
// - a text longer than the buffer gives the longest prefix of whole characters that fits
//   (never half of a multi-byte character or of a surrogate pair), and the result is reported
//   as ConversionResult::Truncated;
// - an unknown code page gives an empty text and is reported as ConversionResult::Failed.
#pragma once

#include <cstddef>
#include <string>

constexpr unsigned CP_ACP = 0; // the system code page (see SetSystemCodePage)
constexpr unsigned CP_UTF8 = 65001;
// Other code page numbers n name iconv's "CP<n>" codesets (CP1252, CP936...).

constexpr std::size_t kCodePageBufferUnits = 10240;

// Multi-byte text in `codePage` to UTF-16. A null text gives an empty text.
const char16_t* ToWide(const char* s, unsigned codePage);
// UTF-16 text to multi-byte text in `codePage`. A null text gives an empty text.
const char* ToMultiByte(const char16_t* s, unsigned codePage);

// UTF-8 to the system code page and back. A null `s` returns `fallback` itself.
const char* Utf8ToAnsi(const char* s, const char* fallback);
const char* AnsiToUtf8(const char* s, const char* fallback);

// Whole-text forms, for texts of any length: the same replacement rules, never truncated, no
// shared buffer. A null text gives ""; an unknown code page gives "" and Failed.
std::string Utf8ToAnsiText(const char* s);
std::string AnsiToUtf8Text(const char* s);
// UTF-8 with each invalid sequence replaced as above: safe for decoders that trust UTF-8.
std::string ValidUtf8Text(const char* s);
// Text in `codePage` to UTF-8, whole, except that a byte that does not decode becomes the
// Latin-1 character of that byte instead of U+FFFD: texts in another code page than the
// expected one stay distinct and readable (file names).
std::string ToUtf8WithLatin1Fallback(const char* s, unsigned codePage);
// Whether `s` is valid UTF-8 throughout: no invalid or cut sequence, overlong form or encoded
// surrogate. A null text is valid (empty).
bool IsValidUtf8(const char* s);

// Sets the system code page to an iconv codeset name ("CP1252", "GBK", "UTF-8"); null or ""
// makes it follow the C library's locale again.
void SetSystemCodePage(const char* codeset);
// The codeset in use for CP_ACP: the explicit setting, else the codeset of the locale that the
// host selected with setlocale (nl_langinfo(CODESET), "ANSI_X3.4-1968" in the "C" locale).
// The pointer is valid until the next call of SetSystemCodePage or GetSystemCodePage.
const char* GetSystemCodePage();

enum class ConversionResult
{
    Ok,        // the whole text was converted (possibly with replacements)
    Truncated, // the text did not fit its buffer: a prefix of whole characters was kept
    Failed,    // unknown code page: the result is empty
};

// How the last call of a conversion helper went (a helper that
// returns the fallback for a null text counts as Ok).
ConversionResult LastConversionResult();
inline bool LastConversionTruncated()
{
    return LastConversionResult() == ConversionResult::Truncated;
}

namespace codepage_detail
{
// Converts UTF-16 text to UTF-8 into `out` of `outSize` bytes, terminated, with the same
// replacement rules as the helpers. Returns false, with `out` empty, when the text does not
// fit. Does not change LastConversionResult().
bool Utf16ToUtf8(const char16_t* s, char* out, std::size_t outSize);
// The number of bytes that Utf16ToUtf8 needs for `s`, terminator included, at most.
std::size_t Utf8BufferSizeFor(const char16_t* s);
} // namespace codepage_detail
