// Rich text markup as text: the brace escape, and a filter that a game client runs over a
// player's chat message before it shows the message.
//
// In the markup "{" opens a tag ("{N Alice}", "{I 1001:[Iron Sword]}") and "}" closes it.
// Doubled braces show one brace wherever text is shown, outside tags and in a tag's content:
// "{{" shows "{" and "}}" shows "}". A single "}" outside tags shows itself, as it always did.
// So EscapeMarkup(text) shows exactly `text`, alone or as a tag's content.
//
// The templates serve any string whose characters compare with char (std::string_view and
// std::string in UTF-8, where braces are single bytes, and the UTF-32 strings of the rich text
// engine); positions are character indices.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace MarkupText
{
constexpr char kTagOpen = '{';
constexpr char kTagClose = '}';

template <class Text>
bool IsBrace(const Text& text, std::size_t i)
{
    return text[i] == kTagOpen || text[i] == kTagClose;
}

// Whether [i, i + 2) of [.., end) is a doubled brace.
template <class Text>
bool IsEscapeAt(const Text& text, std::size_t i, std::size_t end)
{
    return i + 1 < end && IsBrace(text, i) && text[i + 1] == text[i];
}

// The first character in [from, end) that is `brace` and not half of a doubled brace, or
// npos. Doubled braces pair from the left: "}}}" is an escaped "}" and then a single one.
template <class Text>
std::size_t FindSingleBrace(const Text& text, char brace, std::size_t from, std::size_t end)
{
    for (std::size_t i = from; i < end; ++i)
    {
        if (IsEscapeAt(text, i, end))
            ++i;
        else if (text[i] == static_cast<typename Text::value_type>(brace))
            return i;
    }
    return Text::npos;
}

// The first doubled brace in [from, end), or npos: where shown text is cut in two, the first
// brace ending one piece and the second skipped.
template <class Text>
std::size_t FindEscape(const Text& text, std::size_t from, std::size_t end)
{
    for (std::size_t i = from; i + 1 < end; ++i)
    {
        if (IsEscapeAt(text, i, end))
            return i;
    }
    return Text::npos;
}

// The characters of a `Text`, collected in a vector, which grows geometrically as they are
// appended; not every string type does (CEGUI's grows to the exact size at each append).
template <class Text>
using Characters = std::vector<std::decay_t<decltype(std::declval<const Text&>()[0])>>;

template <class Text>
Text MakeText(const Characters<Text>& characters)
{
    Text text(characters.size(), typename Characters<Text>::value_type());
    std::copy(characters.begin(), characters.end(), text.begin());
    return text;
}

// `text` with every doubled brace made single.
template <class Text>
Text Unescape(const Text& text)
{
    Characters<Text> shown;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        shown.push_back(text[i]);
        if (IsEscapeAt(text, i, text.size()))
            ++i;
    }
    return MakeText<Text>(shown);
}

// `text` with every brace doubled: markup that shows `text` as it is.
template <class Text>
Text Escape(const Text& text)
{
    Characters<Text> markup;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        markup.push_back(text[i]);
        if (IsBrace(text, i))
            markup.push_back(text[i]);
    }
    return MakeText<Text>(markup);
}
} // namespace MarkupText

// Markup that shows the UTF-8 `text` literally.
std::string EscapeMarkup(std::string_view text);

// The tags that a player's message may keep by default: item links and emotes.
const std::vector<std::string>& DefaultPlayerTags();

// A player's chat message (UTF-8 markup, as a chat input encodes it) made safe to show: the
// tags named in `allowedTags` are kept as written (one left open at the end is closed); every
// other "{" is escaped, so any other tag shows as the text it was written with, and so does
// a "{" that opens nothing. Doubled braces of the message keep their meaning. The result can
// be appended to markup that a client assembles ("{CN [Trade]} {N Alice}: " + message): it
// leaves no tag open.
std::string KeepMarkupTags(std::string_view message,
                           const std::vector<std::string>& allowedTags = DefaultPlayerTags());
