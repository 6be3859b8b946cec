// What the parsers hand the layout, in the order of the markup: runs of shown text in one
// style, embedded objects of a size (pictures), pen moves and the picture behind the lines.
// The layout pass (LayoutPass.h) measures, breaks and places them.
#pragma once

#include "ZuGUIElements/richtext/TextBlocks.h"

#include <CEGUI/Size.h>

#include <memory>
#include <optional>

namespace ZuGUI
{
namespace Layout
{
// Makes the blocks of a text run as the layout cuts it: one block per piece of a line.
class IBlockMaker
{
public:
    // A block for the characters [first, first + count) of the view's text, or null for none.
    virtual std::unique_ptr<ITextBlock> MakeBlock(TextIndex first, TextIndex count) = 0;

protected:
    ~IBlockMaker() = default;
};

// The shown characters [first, end) of the view's text, in the style of `blocks`.
struct TextRun
{
    TextIndex first;
    TextIndex end;
    // Where plain text goes on after the run, or kNoText when a tag, a line feed or nothing
    // follows: a line that breaks between words keeps the run's last word with text that may
    // not be broken from it.
    TextIndex following;
    IBlockMaker& blocks;
};

class IRunSink
{
public:
    // False when the run could not be laid out whole (no font, no width, or one character
    // wider than a whole line): the rest of its stretch of markup is dropped.
    virtual bool AddText(const TextRun& run) = 0;
    // A picture, as large as the view's client says, placed at the pen like a word of its own.
    virtual void AddPicture(std::unique_ptr<TextBlocks::CPictureBlock> picture) = 0;
    // Moves the pen within the current line; an absent coordinate stays.
    virtual void MovePen(std::optional<float> x, std::optional<float> y) = 0;
    // The picture behind every new line, and behind the current one when both numbers are
    // not 0; set 0 means none.
    virtual void SetLineBackground(int set, int index) = 0;

protected:
    ~IRunSink() = default;
};
} // namespace Layout
} // namespace ZuGUI
