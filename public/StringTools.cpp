#include "public/StringTools.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

int SafeFormat(char* buf, int size, const char* format, ...)
{
    if (!buf || size <= 0)
        return 0;
    if (!format)
    {
        buf[0] = '\0';
        return 0;
    }
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buf, static_cast<std::size_t>(size), format, args);
    va_end(args);
    if (length < 0)
    {
        buf[0] = '\0';
        return 0;
    }
    return length >= size ? size : length;
}

namespace
{

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool StartsHex(const char* s)
{
    return s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
}

// The sign shared by both parsers: skips a leading '-' and tells whether it was there.
bool ConsumeMinus(const char*& s)
{
    if (*s != '-')
        return false;
    ++s;
    return true;
}

// The numeric value of a hexadecimal or apostrophe form at `s`, as the template type
// (uint32_t wraps, double saturates through FLT_MAX later). Returns false for other forms.
template <typename Number>
bool ParseSpecialForm(const char* s, Number& value)
{
    if (StartsHex(s))
    {
        value = 0;
        for (s += 2; HexDigitValue(*s) >= 0; ++s)
            value = value * 16 + static_cast<Number>(HexDigitValue(*s));
        return true;
    }
    if (*s == '\'')
    {
        value = static_cast<Number>(static_cast<unsigned char>(s[1]));
        return true;
    }
    return false;
}

float SaturateToFloat(double value)
{
    if (std::isnan(value))
        return 0.0f;
    if (value > FLT_MAX)
        return FLT_MAX;
    if (value < -FLT_MAX)
        return -FLT_MAX;
    return static_cast<float>(value);
}

// Decimal digits beyond this many significant ones only scale the value: the mantissa stays
// exact in a double and the result is a float anyway.
constexpr int kSignificantDigits = 18;
// Beyond this power of ten the float result is 0 or saturated whatever the mantissa.
constexpr long long kExponentLimit = 400;

double ScaleByPowerOfTen(double mantissa, long long exponent)
{
    if (mantissa == 0.0)
        return 0.0;
    if (exponent > kExponentLimit)
        return HUGE_VAL;
    if (exponent < -kExponentLimit)
        return 0.0;
    if (exponent >= 0)
        return mantissa * std::pow(10.0, static_cast<double>(exponent));
    if (exponent >= -300)
        return mantissa / std::pow(10.0, static_cast<double>(-exponent));
    return mantissa / 1e300 / std::pow(10.0, static_cast<double>(-exponent - 300));
}

double ParseDecimalWithDots(const char* s)
{
    // Digit counts cannot overflow: they are bounded by the length of a string in memory.
    double mantissa = 0.0;
    int significant = 0;
    long long droppedDigits = 0;  // digits beyond the mantissa's precision
    long long fractionDigits = 0; // digits after the last '.'
    bool sawDot = false;
    for (; IsDecimalDigit(*s) || *s == '.'; ++s)
    {
        if (*s == '.')
        {
            sawDot = true;
            fractionDigits = 0;
            continue;
        }
        if (sawDot)
            ++fractionDigits;
        if (significant < kSignificantDigits)
        {
            mantissa = mantissa * 10.0 + (*s - '0');
            if (mantissa != 0.0)
                ++significant;
        }
        else
        {
            ++droppedDigits;
        }
    }
    return ScaleByPowerOfTen(mantissa, droppedDigits - fractionDigits);
}

} // namespace

int ParseInt(const char* s)
{
    if (!s)
        return 0;
    const bool negative = ConsumeMinus(s);
    std::uint32_t value = 0;
    if (!ParseSpecialForm(s, value))
    {
        for (; IsDecimalDigit(*s); ++s)
            value = value * 10u + static_cast<std::uint32_t>(*s - '0');
    }
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value); // modulo 2^32 (two's complement)
}

long long ParseSaturatingInteger(const char* s)
{
    if (!s)
        return 0;
    const bool negative = ConsumeMinus(s);
    const bool hex = StartsHex(s);
    const unsigned base = hex ? 16u : 10u;
    constexpr unsigned long long kLargest = LLONG_MAX;
    unsigned long long value = 0;
    for (s += hex ? 2 : 0; HexDigitValue(*s) >= 0 && (hex || IsDecimalDigit(*s)); ++s)
    {
        const auto digit = static_cast<unsigned long long>(HexDigitValue(*s));
        value = value > (kLargest - digit) / base ? kLargest : value * base + digit;
    }
    const auto magnitude = static_cast<long long>(value);
    return negative ? -magnitude : magnitude;
}

bool ParseUnsigned32(const char* s, std::uint32_t& value)
{
    if (!s)
        return false;
    const bool hex = StartsHex(s);
    const unsigned base = hex ? 16u : 10u;
    s += hex ? 2 : 0;
    if (!*s)
        return false;
    std::uint64_t parsed = 0;
    for (; *s; ++s)
    {
        if (HexDigitValue(*s) < 0 || (!hex && !IsDecimalDigit(*s)))
            return false;
        parsed = parsed * base + static_cast<std::uint64_t>(HexDigitValue(*s));
        if (parsed > UINT32_MAX)
            return false;
    }
    value = static_cast<std::uint32_t>(parsed);
    return true;
}

float ParseFloat(const char* s)
{
    if (!s)
        return 0.0f;
    const bool negative = ConsumeMinus(s);
    double value = 0.0;
    if (!ParseSpecialForm(s, value))
        value = ParseDecimalWithDots(s);
    return SaturateToFloat(negative ? -value : value);
}
