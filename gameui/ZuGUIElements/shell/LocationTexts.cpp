#include "ZuGUIElements/shell/LocationTexts.h"

#include "public/CodePage.h"

#include <sys/stat.h>

#include <optional>

namespace SHELL
{
namespace
{
std::string PartText(const std::string& part)
{
    return IsValidUtf8(part.c_str()) ? part : ToUtf8WithLatin1Fallback(part.c_str(), CP_ACP);
}

bool PathExists(const std::string& path)
{
    struct stat status;
    return lstat(path.c_str(), &status) == 0;
}

// The text in the system code page when it converts exactly: no character replaced.
std::optional<std::string> ExactlyInSystemCodePage(const std::string& text)
{
    std::string bytes = Utf8ToAnsiText(text.c_str());
    if (AnsiToUtf8Text(bytes.c_str()) != text)
        return std::nullopt;
    return bytes;
}
} // namespace

std::string FileSystemText(const std::string& bytes)
{
    // '/' is never part of a longer UTF-8 sequence: a valid whole has valid parts.
    if (IsValidUtf8(bytes.c_str()))
        return bytes;
    std::string text;
    for (std::size_t start = 0;;)
    {
        const std::size_t slash = bytes.find('/', start);
        text += PartText(bytes.substr(start, slash - start));
        if (slash == std::string::npos)
            return text;
        text += '/';
        start = slash + 1;
    }
}

std::string LocationTexts::Claim(const std::string& bytes, const std::string& text)
{
    std::string claimed = text;
    for (unsigned suffix = 2; !IsFreeFor(claimed, bytes); ++suffix)
        claimed = text + "~" + std::to_string(suffix);
    if (claimed != bytes)
        d_bytesOf[claimed] = Remembered{bytes, d_listing};
    return claimed;
}

void LocationTexts::FinishListing()
{
    if (d_bytesOf.size() <= kMaxRemembered)
        return;
    for (auto entry = d_bytesOf.begin(); entry != d_bytesOf.end();)
        entry = entry->second.listing == d_listing ? std::next(entry) : d_bytesOf.erase(entry);
}

std::vector<std::string> LocationTexts::LocationsFor(const std::string& text) const
{
    const auto found = d_bytesOf.find(text);
    if (found != d_bytesOf.end())
        return {found->second.bytes};
    std::vector<std::string> locations{text};
    if (const auto converted = ExactlyInSystemCodePage(text); converted && *converted != text)
        locations.push_back(*converted);
    return locations;
}

// A text is taken when it was given for other bytes, or when it names an existing file as it
// is: a script that passes it back would open that file.
bool LocationTexts::IsFreeFor(const std::string& text, const std::string& bytes) const
{
    const auto found = d_bytesOf.find(text);
    if (found != d_bytesOf.end())
        return found->second.bytes == bytes;
    return text == bytes || !PathExists(text);
}
} // namespace SHELL
