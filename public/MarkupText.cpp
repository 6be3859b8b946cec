#include "public/MarkupText.h"

#include <algorithm>

namespace
{
// The name of the tag that the "{" at `open` starts: the characters up to the first space
// after it, or "" when no space follows within `longestName` characters (no allowed tag then).
// The bound keeps the filter linear on braces that open nothing.
std::string_view TagNameAt(std::string_view message, std::size_t open, std::size_t longestName)
{
    const std::string_view window = message.substr(open + 1, longestName + 1);
    const std::size_t space = window.find(' ');
    if (space == std::string_view::npos)
        return std::string_view();
    return window.substr(0, space);
}

std::size_t LongestName(const std::vector<std::string>& tags)
{
    std::size_t longest = 0;
    for (const std::string& tag : tags)
        longest = std::max(longest, tag.size());
    return longest;
}

bool IsAllowed(std::string_view tag, const std::vector<std::string>& allowedTags)
{
    return !tag.empty() &&
           std::find(allowedTags.begin(), allowedTags.end(), tag) != allowedTags.end();
}
} // namespace

std::string EscapeMarkup(std::string_view text)
{
    return MarkupText::Escape(std::string(text));
}

const std::vector<std::string>& DefaultPlayerTags()
{
    static const std::vector<std::string> tags{"I", "E"};
    return tags;
}

std::string KeepMarkupTags(std::string_view message, const std::vector<std::string>& allowedTags)
{
    const std::size_t longestName = LongestName(allowedTags);
    std::string kept;
    kept.reserve(message.size() + message.size() / 8);
    std::size_t i = 0;
    while (i < message.size())
    {
        if (MarkupText::IsEscapeAt(message, i, message.size()))
        {
            kept.append(message.substr(i, 2));
            i += 2;
            continue;
        }
        if (message[i] != MarkupText::kTagOpen)
        {
            kept += message[i++];
            continue;
        }
        const std::string_view tag = TagNameAt(message, i, longestName);
        if (!IsAllowed(tag, allowedTags))
        {
            kept += "{{";
            ++i;
            continue;
        }
        // An allowed tag runs to its closing brace, as the parser reads it.
        const std::size_t contentFirst = i + tag.size() + 2;
        const std::size_t close = MarkupText::FindSingleBrace(message, MarkupText::kTagClose,
                                                              contentFirst, message.size());
        const std::size_t end = close == std::string_view::npos ? message.size() : close + 1;
        kept.append(message.substr(i, end - i));
        if (close == std::string_view::npos)
            kept += MarkupText::kTagClose;
        i = end;
    }
    return kept;
}
