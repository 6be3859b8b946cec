// The UTF-8 texts that scripts get for file names and locations, and the way back from such a
// text to the file system's bytes.
//
// A file name is shown as UTF-8 when its bytes are valid UTF-8, else decoded from the system
// code page, any byte that still does not decode taken as the Latin-1 character of that byte.
// A location whose text is not its bytes is remembered, text to bytes, so that the text opens
// the location it was given for.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace SHELL
{
// The text of a name or a path in the file system's bytes, each '/'-separated part decoded
// on its own.
std::string FileSystemText(const std::string& bytes);

class LocationTexts
{
public:
    // Texts of earlier listings are forgotten past this many remembered texts.
    static constexpr std::size_t kMaxRemembered = 4096;

    // The following claims belong to a new listing.
    void StartListing() { ++d_listing; }
    // The text given out for the location `bytes`: `text`, unless it stands for other bytes
    // already (a remembered text, or the name of an existing file), then `text` + "~2", "~3"...
    // A text that is not its bytes is remembered.
    std::string Claim(const std::string& bytes, const std::string& text);
    // Past kMaxRemembered texts, forgets those that the last listing did not claim.
    void FinishListing();

    // The locations to try for a text a script passes, in order: the bytes it was given for;
    // for an unknown text, the text itself and then its exact form in the system code page.
    std::vector<std::string> LocationsFor(const std::string& text) const;

    std::size_t RememberedCount() const { return d_bytesOf.size(); }

private:
    struct Remembered
    {
        std::string bytes;
        unsigned listing;
    };

    bool IsFreeFor(const std::string& text, const std::string& bytes) const;

    std::unordered_map<std::string, Remembered> d_bytesOf;
    unsigned d_listing = 0;
};
} // namespace SHELL
