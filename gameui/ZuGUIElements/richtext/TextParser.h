// The markup parsers: one parser per tag, plus the default parser of text outside tags.
//
// Markup: "{" TAG " " [PARAMETER SEPARATOR] CONTENT "}". The separator is ":" (for "Ak": ",")
// and counts only before the content's last character. Content ends at the first single "}",
// or at the end of the text; there is no nesting. Doubled braces show one brace, in tags and
// outside them (public/MarkupText.h). The parser manager (ParserManager.h) finds the tags; a
// parser reads its tag's parameter and turns its content into runs of text in its style,
// objects and pen moves, which the layout (layout/LayoutPass.h) lays out into the document.
//
// Ranges are half-open: [first, end) are character indices into the parsed text, which is the
// owning view's text (the blocks keep indices into it).
#pragma once

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/richtext/layout/Runs.h"

#include <CEGUI/String.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace ZuGUI
{
class IDoc;
class IRichTextView;

namespace TextParser
{
class CSimpleParserManager;

// A part of a tag, its parameter or its content: the characters [first, end) of `text`, the
// view's text.
struct TagPart
{
    const CEGUI::String& text;
    TextIndex first;
    TextIndex end;
};

// A tag's content, with plain text going on after the tag at `following` (kNoText: a tag, a
// line feed or nothing follows).
struct Content : TagPart
{
    TextIndex following;
};

class IParser : public Layout::IBlockMaker
{
public:
    IParser(std::string tag, CSimpleParserManager* manager);
    IParser(const IParser&) = delete;
    IParser& operator=(const IParser&) = delete;
    virtual ~IParser() = default;

    // Reads the parameter part. Returns true.
    virtual bool ParseParam(const TagPart& parameter, IDoc& doc, IRichTextView& view) = 0;
    // Hands the content part to `runs`; false when the layout stopped it early.
    virtual bool ParseContent(const Content& content, Layout::IRunSink& runs) = 0;
    // The separator in [first, end - 1), or kNoText; sets its length when found. The base
    // looks for ":".
    virtual TextIndex FindParamSeparator(const CEGUI::String& text, TextIndex first, TextIndex end,
                                         TextIndex& separatorLength) const;
    // Where this parser's stretch ends, searched from `from`, or kNoText; sets the length of
    // the closing mark (0 when none is found). The base looks for "}".
    virtual TextIndex FindEnd(const CEGUI::String& text, TextIndex from,
                              TextIndex& endLength) const;
    // Forgets per-tag state before a new stretch.
    virtual void Reset() = 0;
    // Forgets what was learnt from the last text before a new one is parsed.
    virtual void StartText() {}
    // A new empty block of this parser's kind, or null for parsers that make none.
    virtual std::unique_ptr<ITextBlock> CreateBlock() const = 0;
    // Fills a block made by CreateBlock for the characters [first, first + count).
    virtual void InitBlock(ITextBlock& block, TextIndex first, TextIndex count) = 0;
    // CreateBlock, then InitBlock.
    std::unique_ptr<ITextBlock> MakeBlock(TextIndex first, TextIndex count) final;

    const std::string& GetTag() const { return m_tag; }
    CSimpleParserManager* GetManager() const { return m_manager; }
    // A disabled parser's tag is treated like a tag that no parser has.
    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

protected:
    // The first `separator` in [first, end - 1), or kNoText; sets `separatorLength`.
    static TextIndex FindSeparator(const CEGUI::String& text, CEGUI::utf32 separator,
                                   TextIndex first, TextIndex end, TextIndex& separatorLength);

private:
    std::string m_tag;
    CSimpleParserManager* m_manager;
    bool m_enabled = true;
};

// "T": text in a named colour pair. Base of the default and the command parsers, which share
// its text layout.
class CPlainTextParser : public IParser
{
public:
    CPlainTextParser(std::string tag, CSimpleParserManager* manager);

    // Colour pair := the pair registered under the parameter, or the default pair.
    bool ParseParam(const TagPart& parameter, IDoc& doc, IRichTextView& view) override;
    // The shown text of the content as runs in this parser's style: a doubled brace shows its
    // first brace, so each second one is left out between two runs.
    bool ParseContent(const Content& content, Layout::IRunSink& runs) override;
    // Colour pair := the default pair.
    void Reset() override;
    std::unique_ptr<ITextBlock> CreateBlock() const override;
    void InitBlock(ITextBlock& block, TextIndex first, TextIndex count) override;

    void SetColorPair(const ColorPair& colors) { m_colors = colors; }
    const ColorPair& GetColorPair() const { return m_colors; }

protected:
    ColorPair m_colors{0, 0};
};

// Text outside tags, in the view's default text colour; it runs up to the next "{".
class CDefaultParser : public CPlainTextParser
{
public:
    explicit CDefaultParser(CSimpleParserManager* manager);

    TextIndex FindParamSeparator(const CEGUI::String& text, TextIndex first, TextIndex end,
                                 TextIndex& separatorLength) const override;
    TextIndex FindEnd(const CEGUI::String& text, TextIndex from,
                      TextIndex& endLength) const override;
    void Reset() override {}
};

// "C" and the other clickable text tags: the parameter is the command, the content the
// visible text, drawn in the click colours.
class CCmdParser : public CPlainTextParser
{
public:
    CCmdParser(std::string tag, CSimpleParserManager* manager,
               int commandKind = TextBlocks::kCommand);

    // Command := the parameter.
    bool ParseParam(const TagPart& parameter, IDoc& doc, IRichTextView& view) override;
    // No command; colour pair := the click colours (command, hover highlight).
    void Reset() override;
    std::unique_ptr<ITextBlock> CreateBlock() const override;
    void InitBlock(ITextBlock& block, TextIndex first, TextIndex count) override;

    int GetCommandKind() const { return m_commandKind; }

protected:
    void UseClickColors();

    TextIndex m_commandFirst = kNoText;
    TextIndex m_commandEnd = kNoText;

private:
    int m_commandKind;
};

// A clickable text tag that differs from "C" only in its tag and its command kind.
template <const char* Tag, int Kind>
class CFixedCmdParser : public CCmdParser
{
public:
    explicit CFixedCmdParser(CSimpleParserManager* manager) : CCmdParser(Tag, manager, Kind) {}
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

// "I": an item link. The parameter is the item id, a 32-bit unsigned number; the game client
// colours the name and the document records the item as referenced. Without a valid id the
// name is plain text.
class CClickableItemNameParser : public CCmdParser
{
public:
    explicit CClickableItemNameParser(CSimpleParserManager* manager);

    // Reads the item id; the name decides whether the tag is a link.
    bool ParseParam(const TagPart& parameter, IDoc& doc, IRichTextView& view) override;
    // A valid id with a name that draws something is a link: coloured by the client and
    // recorded in the document. Any other tag is plain text.
    bool ParseContent(const Content& content, Layout::IRunSink& runs) override;
    void Reset() override;
    std::unique_ptr<ITextBlock> CreateBlock() const override;
    // Forgets the item colours that the client gave for the last text.
    void StartText() override { m_parseColors.clear(); }

private:
    // The id read from the parameter, with the document and view of the tag.
    struct PendingItem
    {
        std::uint32_t id;
        IDoc* doc;
        IRichTextView* view;
    };

    ColorPair ItemColors(IRichTextView& view, int itemId);

    bool m_isItem = false;
    std::optional<PendingItem> m_pendingItem;
    std::map<int, ColorPair> m_parseColors;
};

// "N": a clickable name; each block's command is its own text.
class CClickableNameParser : public CCmdParser
{
public:
    explicit CClickableNameParser(CSimpleParserManager* manager);
    void InitBlock(ITextBlock& block, TextIndex first, TextIndex count) override;

protected:
    CClickableNameParser(std::string tag, CSimpleParserManager* manager, int commandKind);
};

// "CN": a clickable channel name.
class CClickableChannelParser : public CClickableNameParser
{
public:
    explicit CClickableChannelParser(CSimpleParserManager* manager);
};

// "P": a picture; the parameter is the picture set, the content the index.
class CPictureParser : public IParser
{
public:
    explicit CPictureParser(CSimpleParserManager* manager);

    bool ParseParam(const TagPart& parameter, IDoc& doc, IRichTextView& view) override;
    // One picture, an object of the picture's size.
    bool ParseContent(const Content& content, Layout::IRunSink& runs) override;
    // Set and index := "" (read as 0): a tag without a parameter does not reuse an earlier
    // tag's set.
    void Reset() override;
    std::unique_ptr<ITextBlock> CreateBlock() const override;
    void InitBlock(ITextBlock& block, TextIndex first, TextIndex count) override;

protected:
    CPictureParser(std::string tag, CSimpleParserManager* manager);

    CEGUI::String m_setText;
    CEGUI::String m_indexText;
};

// "E": an emote, picture set 4, index 14500 + the emote number clamped to 0..199.
class CEmoteParser : public CPictureParser
{
public:
    explicit CEmoteParser(CSimpleParserManager* manager);

    std::unique_ptr<ITextBlock> CreateBlock() const override;
    void InitBlock(ITextBlock& block, TextIndex first, TextIndex count) override;
};

// "Bg": sets the picture behind the current and the following lines; makes no block.
class CBgPictureParser : public CPictureParser
{
public:
    explicit CBgPictureParser(CSimpleParserManager* manager);

    bool ParseContent(const Content& content, Layout::IRunSink& runs) override;
    void InitBlock(ITextBlock&, TextIndex, TextIndex) override {}
};

// "Ak": moves the pen to (x, y) in pixels; a negative value keeps that coordinate. The
// separator is ",".
class CAnkorParser : public IParser
{
public:
    explicit CAnkorParser(CSimpleParserManager* manager);

    bool ParseParam(const TagPart& parameter, IDoc& doc, IRichTextView& view) override;
    bool ParseContent(const Content& content, Layout::IRunSink& runs) override;
    TextIndex FindParamSeparator(const CEGUI::String& text, TextIndex first, TextIndex end,
                                 TextIndex& separatorLength) const override;
    void Reset() override;
    std::unique_ptr<ITextBlock> CreateBlock() const override { return nullptr; }
    void InitBlock(ITextBlock&, TextIndex, TextIndex) override {}

private:
    int m_x = 0;
    int m_y = 0;
};
} // namespace TextParser
} // namespace ZuGUI
