// Small string routines shared by the widgets: bounded formatting and the lenient number
// parsers used on markup and host values. None of them allocates, and all accept null input.
#pragma once

#include <cstdint>

// printf-style formatting into `buf` of `size` bytes. Returns the number of characters
// written. When the text does not fit, the first size - 1 bytes are kept, terminated, and
// `size` is returned. A null `buf` or a size <= 0 writes nothing and returns 0; a formatting
// error leaves an empty text and returns 0.
int SafeFormat(char* buf, int size, const char* format, ...) __attribute__((format(printf, 3, 4)));

// Integer parser: an optional '-', then "0x"/"0X" and hexadecimal digits, or an apostrophe
// and one character (its code, 0-255), or decimal digits. Parsing stops at the first
// character that does not belong; no digits give 0, and so does a null text. Values wrap
// modulo 2^32 ("4294967297" gives 1, "2147483648" gives INT_MIN).
int ParseInt(const char* s);

// Whole-number parser for values that must not wrap: an optional '-', then "0x"/"0X" and
// hexadecimal digits or decimal digits, up to the first other character. A value beyond the
// 64-bit range saturates to LLONG_MAX or -LLONG_MAX; no digits, or a null text, give 0.
long long ParseSaturatingInteger(const char* s);

// Strict parser of a 32-bit unsigned number: the whole text is decimal digits, or "0x"/"0X"
// and hexadecimal digits, with a value below 2^32. Anything else (a sign, another character,
// no digits, a null text, a larger value) returns false and leaves `value` alone.
bool ParseUnsigned32(const char* s, std::uint32_t& value);

// Float parser: the sign, hexadecimal and apostrophe forms read as in ParseInt (without the
// wrap-around); otherwise the decimal digits and '.' characters up to the first other
// character form one integer, divided by 10 once per digit after the last '.'
// ("1.2.3" gives 12.3). There is no exponent ("1e3" gives 1). Results beyond the float range
// saturate to -FLT_MAX / FLT_MAX; a null text gives 0.
float ParseFloat(const char* s);
