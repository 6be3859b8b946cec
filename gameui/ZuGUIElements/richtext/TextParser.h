// The markup parsers: one parser per tag, plus the default parser of text outside tags.
//
// Markup: "{" TAG " " [PARAMETER SEPARATOR] CONTENT "}". The separator is ":" (for "Ak": ",")
// and counts only before the content's last character. Content ends at the first single "}",
// or at the end of the text; there is no nesting. Doubled braces show one brace, in tags and
// outside them (public/MarkupText.h). The parser manager (ParserManager.h) finds the tags; a
// parser reads one whole tag, its parameter and its content, into the paragraph
// (paragraph/Paragraph.h): runs of text in its style, objects and pen moves.
//
// Parsers keep no state between tags or texts: one parser serves any number of parses at
// once. They read the process-wide colour table, and nothing of a view, a font or the game
// client.
//
// Ranges are half-open: [first, end) are character indices into the parsed text.
#pragma once

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/richtext/paragraph/Paragraph.h"

#include <CEGUI/String.h>

#include <optional>
#include <string>

namespace ZuGUI
{
namespace TextParser
{
// A part of a tag, its parameter or its content: the characters [first, end) of `text`.
struct TagPart
{
    const CEGUI::String& text;
    TextIndex first;
    TextIndex end;
};

// A tag as the manager found it.
struct Tag
{
    // The parameter, when the tag has a separator.
    std::optional<TagPart> parameter;
    TagPart content;
    // Where plain text goes on after the tag (kNoText: a tag, a line feed or nothing follows).
    TextIndex following;
};

class IParser
{
public:
    explicit IParser(std::string tag);
    IParser(const IParser&) = delete;
    IParser& operator=(const IParser&) = delete;
    virtual ~IParser() = default;

    // Adds what `tag` shows to `paragraph`.
    virtual void Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const = 0;
    // The separator in [first, end - 1), or kNoText; sets its length when found. The base
    // looks for ":".
    virtual TextIndex FindParamSeparator(const CEGUI::String& text, TextIndex first, TextIndex end,
                                         TextIndex& separatorLength) const;
    // Where this parser's stretch ends, searched from `from`, or kNoText; sets the length of
    // the closing mark (0 when none is found). The base looks for "}".
    virtual TextIndex FindEnd(const CEGUI::String& text, TextIndex from,
                              TextIndex& endLength) const;

    const std::string& GetTag() const { return m_tag; }
    // A disabled parser's tag is treated like a tag that no parser has.
    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

protected:
    // The first `separator` in [first, end - 1), or kNoText; sets `separatorLength`.
    static TextIndex FindSeparator(const CEGUI::String& text, CEGUI::utf32 separator,
                                   TextIndex first, TextIndex end, TextIndex& separatorLength);

private:
    std::string m_tag;
    bool m_enabled = true;
};

// "T": text in a named colour pair. Base of the default and the command parsers, which share
// its runs.
class CPlainTextParser : public IParser
{
public:
    explicit CPlainTextParser(std::string tag);

    // The shown text of the content as runs in the tag's style: a doubled brace shows its
    // first brace, so each second one is left out between two runs.
    void Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const override;

protected:
    // Colour pair := the pair registered under the parameter, or the default pair.
    virtual Text::RunStyle StyleOf(const Tag& tag) const;
};

// Text outside tags, in the view's default text colour; it runs up to the next "{".
class CDefaultParser : public CPlainTextParser
{
public:
    CDefaultParser();

    TextIndex FindParamSeparator(const CEGUI::String& text, TextIndex first, TextIndex end,
                                 TextIndex& separatorLength) const override;
    TextIndex FindEnd(const CEGUI::String& text, TextIndex from,
                      TextIndex& endLength) const override;

protected:
    Text::RunStyle StyleOf(const Tag& tag) const override;
};

// "C" and the other clickable text tags: the parameter is the command, the content the
// visible text, drawn in the click colours. Without a parameter the text carries no command.
class CCmdParser : public CPlainTextParser
{
public:
    explicit CCmdParser(std::string tag, int commandKind = TextBlocks::kCommand);

    int GetCommandKind() const { return m_commandKind; }

protected:
    Text::RunStyle StyleOf(const Tag& tag) const override;

private:
    int m_commandKind;
};

// A clickable text tag that differs from "C" only in its tag and its command kind.
template <const char* TagName, int Kind>
class CFixedCmdParser : public CCmdParser
{
public:
    CFixedCmdParser() : CCmdParser(TagName, Kind) {}
};

inline constexpr char kXzcTag[] = "XZC";
inline constexpr char kClTag[] = "Cl";
inline constexpr char kNpcTag[] = "Npc";
inline constexpr char kManualTag[] = "M";
inline constexpr char kHttpTag[] = "H";

using CClickXZCParser = CFixedCmdParser<kXzcTag, TextBlocks::kXzcCommand>;
using CClickClParser = CFixedCmdParser<kClTag, TextBlocks::kClCommand>;
using CClickableNpcNameParser = CFixedCmdParser<kNpcTag, TextBlocks::kNpcName>;
using CClickableManualCmdParser = CFixedCmdParser<kManualTag, TextBlocks::kManualCommand>;
using CClickableHTTPCmdParser = CFixedCmdParser<kHttpTag, TextBlocks::kHttpCommand>;

// "I": an item link. The parameter is the item id, a 32-bit unsigned number. A valid id with a
// name that draws something is a link, which the document colours through the game client and
// records as referenced; any other tag is plain text in the default pair.
class CClickableItemNameParser : public CCmdParser
{
public:
    CClickableItemNameParser();

protected:
    Text::RunStyle StyleOf(const Tag& tag) const override;
};

// "N": a clickable name; each piece's command is its own text.
class CClickableNameParser : public CCmdParser
{
public:
    CClickableNameParser();

protected:
    CClickableNameParser(std::string tag, int commandKind);
    Text::RunStyle StyleOf(const Tag& tag) const override;
};

// "CN": a clickable channel name.
class CClickableChannelParser : public CClickableNameParser
{
public:
    CClickableChannelParser();
};

// "P": a picture; the parameter is the picture set, the content the index. A tag without a
// parameter is set 0.
class CPictureParser : public IParser
{
public:
    CPictureParser();

    void Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const override;

protected:
    explicit CPictureParser(std::string tag);

    // The set and the index that the tag writes, read as unsigned numbers ("" reads as 0).
    static unsigned SetOf(const Tag& tag);
    static unsigned IndexOf(const Tag& tag);
};

// "E": an emote, picture set 4, index 14500 + the emote number clamped to 0..199.
class CEmoteParser : public CPictureParser
{
public:
    CEmoteParser();

    void Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const override;
};

// "Bg": sets the picture behind the current and the following lines; shows nothing.
class CBgPictureParser : public CPictureParser
{
public:
    CBgPictureParser();

    void Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const override;
};

// "Ak": moves the pen to (x, y) in pixels; a negative value keeps that coordinate, a missing
// parameter is x 0. The separator is ",".
class CAnkorParser : public IParser
{
public:
    CAnkorParser();

    void Read(const Tag& tag, Text::ParagraphBuilder& paragraph) const override;
    TextIndex FindParamSeparator(const CEGUI::String& text, TextIndex first, TextIndex end,
                                 TextIndex& separatorLength) const override;
};
} // namespace TextParser
} // namespace ZuGUI
