// The one reader of the fuzz targets' inputs. An input is read from the front, and a target
// that needs a second stream of choices (the client's answers) reads it from the back; the two
// ends never cross. Past the end every read gives its fallback (0 by default), so any input is
// a whole script.
#pragma once

#include "public/MarkupText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace ZuFuzz
{
class FuzzInput;

// The float whose bits are `bits`: every value a float holds, NaNs and infinities included.
inline float FloatOfBits(std::uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Reads values from one end of an input.
class FuzzReader
{
public:
    FuzzReader(FuzzInput& input, bool fromBack) : m_input(input), m_fromBack(fromBack) {}

    bool AtEnd() const;
    std::uint8_t Byte(std::uint8_t fallback = 0);
    // `bytes` bytes as a number, the most significant first.
    std::uint64_t BigEndian(int bytes)
    {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value = value << 8 | Byte();
        return value;
    }
    // `bytes` bytes as a number, the least significant first.
    std::uint64_t LittleEndian(int bytes)
    {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= std::uint64_t(Byte()) << (8 * i);
        return value;
    }
    std::uint32_t BigEndian32() { return static_cast<std::uint32_t>(BigEndian(4)); }
    std::uint32_t LittleEndian32() { return static_cast<std::uint32_t>(LittleEndian(4)); }
    // Up to `count` bytes (fewer at the end). From the back they are read backwards and turned
    // around, so that a text stands in the input as it is meant.
    std::string Bytes(std::size_t count)
    {
        std::string text;
        for (; count > 0 && !AtEnd(); --count)
            text.push_back(static_cast<char>(Byte()));
        return InInputOrder(std::move(text));
    }
    // Bytes up to a zero byte (which is read and dropped) or the end, at most `limit`.
    std::string BytesBeforeZero(std::size_t limit)
    {
        std::string text;
        while (!AtEnd() && text.size() < limit)
        {
            const std::uint8_t byte = Byte();
            if (byte == 0)
                break;
            text.push_back(static_cast<char>(byte));
        }
        return InInputOrder(std::move(text));
    }
    // A code point: a lead byte below 0xC0 as itself, 0xC0-0xEF with one more byte and
    // 0xF0-0xFF with two more as wider code points (surrogates and non-characters included).
    std::uint32_t CodePointFrom(std::uint8_t lead)
    {
        if (lead < 0xC0)
            return lead;
        if (lead < 0xF0)
            return (std::uint32_t(lead - 0xC0) << 8) | Byte();
        const std::uint32_t high = std::uint32_t(lead - 0xF0) << 16;
        const std::uint32_t middle = std::uint32_t(Byte()) << 8;
        return high | middle | Byte();
    }
    // Code points up to the end, at most `limit`; with `stopAtZero`, up to a zero lead byte.
    template <typename Text>
    Text CodePoints(std::size_t limit, bool stopAtZero)
    {
        MarkupText::Characters<Text> text;
        while (!AtEnd() && text.size() < limit)
        {
            const std::uint8_t lead = Byte();
            if (stopAtZero && lead == 0)
                break;
            text.push_back(CodePointFrom(lead));
        }
        return MarkupText::MakeText<Text>(text);
    }

private:
    std::string InInputOrder(std::string text) const
    {
        if (m_fromBack)
            std::reverse(text.begin(), text.end());
        return text;
    }

    FuzzInput& m_input;
    bool m_fromBack;
};

class FuzzInput
{
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_back(size) {}

    bool AtEnd() const { return m_front >= m_back; }
    FuzzReader Front() { return FuzzReader(*this, false); }
    FuzzReader Back() { return FuzzReader(*this, true); }

private:
    friend class FuzzReader;
    std::uint8_t Take(bool fromBack, std::uint8_t fallback)
    {
        if (AtEnd())
            return fallback;
        return fromBack ? m_data[--m_back] : m_data[m_front++];
    }

    const std::uint8_t* m_data;
    std::size_t m_front = 0;
    std::size_t m_back;
};

inline bool FuzzReader::AtEnd() const
{
    return m_input.AtEnd();
}

inline std::uint8_t FuzzReader::Byte(std::uint8_t fallback)
{
    return m_input.Take(m_fromBack, fallback);
}
} // namespace ZuFuzz
