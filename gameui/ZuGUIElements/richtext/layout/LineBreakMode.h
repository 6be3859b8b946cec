// How a rich text view breaks text that does not fit its line: a setting of the view, read by
// the layout.
#pragma once

namespace ZuGUI
{
namespace Layout
{
enum class LineBreakMode
{
    Character, // fill the line to its edge and go on with the next character
    Word,      // end the line at the last break opportunity that fits
};
} // namespace Layout

// Views, their properties and the client's code name the setting with the parsers.
namespace TextParser
{
using Layout::LineBreakMode;
} // namespace TextParser
} // namespace ZuGUI
