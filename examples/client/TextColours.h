// The sample game's rich text colours: the colour names its chat markup uses ("{T gold:...}")
// and the colours of clickable text, registered as the game's scripts do at start-up.
#pragma once

namespace ZuDemo
{
// Colour names with their (text colour, second colour) pairs, AARRGGBB.
struct TextColourName
{
    const char* name;
    const char* textColour;
    const char* secondColour;
};

inline constexpr TextColourName kTextColourNames[] = {
    {"gold", "FFFFD700", "FF000000"},
    {"red", "FFFF5A4A", "FF000000"},
    {"grey", "FFA8A8A8", "FF000000"},
    {"green", "FF7CE07C", "FF000000"},
};
// Clickable text: its colour, the highlight behind it and its colour under the pointer.
inline constexpr const char* kCommandColour = "FF6FC3FF";
inline constexpr const char* kHoverHighlightColour = "B03C78DC";
inline constexpr const char* kHoverTextColour = "FFFFF27A";

// Registers the colour names and the click colours with the module's colour table.
void RegisterTextColours();
} // namespace ZuDemo
