// Fuzz target of the rich text engine: arbitrary bytes become markup that is laid out into a
// document at a width chosen by the input, drawn, hit-tested, read back, laid out again at
// another width and destroyed. Chat item references must balance once the document is gone.
//
// Input: byte 0 chooses the width (2 × byte − 16 pixels), byte 1 the indents, byte 2 the view
// (bit 0: no pictures, bit 1: no command font, bit 2: no game client, bit 3: mouse elsewhere,
// bit 4: lines break between words);
// the rest is the text, bytes below 0x80 as themselves, 0x80-0xBF as Latin-1, 0xC0-0xEF with
// one more byte and 0xF0-0xFF with two more as wider code points.
//
// The input is also laid out as a player's text (escaped, after a pushed item link, and through
// the chat line filter): any command there that the player did not push, or that the filter
// does not keep, fails the input.
//
// Besides crashes and broken invariants, the target fails an input whose layout takes more
// time, or whose document more memory, than a budget that grows linearly with the text: a
// layout that is quadratic somewhere, or a document that costs far more than its text.
// ZU_FUZZ_VERBOSE=1 prints each measured layout's length, bytes and seconds.
#include "FuzzTimeBudget.h"
#include "support/FuzzInput.h"
#include "support/HostTextView.h"
#include "support/RecordingHost.h"
#include "support/text/TextCegui.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/ParserManager.h"
#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/richtext/Utf8String.h"
#include "ZuGUIElements/richtext/bidi/BidiText.h"
#include "public/MarkupText.h"

#include <CEGUI/CEGUI.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZU_FUZZ_COUNTS_MEMORY 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define ZU_FUZZ_COUNTS_MEMORY 1
#endif
#ifdef ZU_FUZZ_COUNTS_MEMORY
// The address sanitizer's count of the bytes allocated and not yet freed (GCC ships no header).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace
{
using ZuGUI::TextParser::CSimpleParserManager;

struct FuzzWorld
{
    FuzzWorld()
    {
        ZuTest::BootCeguiForText(ZU_CEGUI_DATA_DIR, "DejaVuSans-10-NoScale.font");
        auto& colors = ZuGUI::TextParser::CColorPropertyManager::Instance();
        colors.RegisterColorByString("red", "FFFF0000", "FF000000");
        colors.SetClickColorByString("FF00FF00", "80FFFFFF", "FFFFFF00");
        host.scriptInts["item_color"] = static_cast<int>(0xFFA335EEu);
        host.ReplyWith("GameCreatureProvider",
                       [](KeyValues& reply) { reply.SetInt("CreatureId", 9); });
        for (std::uint16_t set = 0; set < 6; ++set)
        {
            for (std::uint16_t index = 0; index < 6; ++index)
                pictures.Add(set, index, 8u * set + index, 40u - 7u * index);
        }
        pictures.Add(4, 14500, 24, 24);
        pictures.Add(4, 14699, 600, 5); // wider than every line
        // Any image serves as the hover brush; a glyph's is at hand without an imageset.
        const CEGUI::Font* font =
            CEGUI::System::getSingleton().getDefaultGUIContext().getDefaultFont();
        const CEGUI::FontGlyph* glyph = font ? font->getGlyphData('W') : nullptr;
        hoverBrush = glyph ? glyph->getImage() : nullptr;
    }

    ZuTest::RecordingHost host;
    ZuTest::TestPictureSource pictures;
    const CEGUI::Image* hoverBrush = nullptr;
};

FuzzWorld& World()
{
    static FuzzWorld world;
    return world;
}

using ZuFuzz::FuzzInput;
using ZuFuzz::FuzzReader;

void Check(bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf(stderr, "rich text fuzz: %s\n", what);
    std::abort();
}

// Every text block indexes the view's text.
void CheckBlocks(const ZuGUI::TextBlocks::CRichTextDoc& doc, const CEGUI::String& text)
{
    std::size_t shown = 0;
    for (const auto& line : doc.GetLines())
    {
        for (const auto& block : line->GetBlocks())
        {
            const auto* plain = dynamic_cast<const ZuGUI::TextBlocks::CPlainText*>(block.get());
            if (!plain)
                continue;
            Check(plain->GetTextCount() > 0, "an empty text block");
            Check(plain->GetTextStart() + plain->GetTextCount() <= text.length(),
                  "a text block beyond the text");
            shown += plain->GetTextCount();
        }
    }
    Check(shown <= text.length(), "more characters shown than the text has");
}

// Each line's blocks, in display order or not, cover no part of one another, and a clickable
// text draws no direction control: nothing it holds turns what it shows around.
void CheckDisplayOrder(const ZuGUI::TextBlocks::CRichTextDoc& doc,
                       const ZuTest::TestRichTextView& view)
{
    const CEGUI::String* forms = view.GetDisplayForms();
    Check(!forms || forms->length() == view.text.length(), "display forms of another length");
    std::vector<CEGUI::Rectf> areas;
    for (const auto& line : doc.GetLines())
    {
        areas.clear();
        for (const auto& block : line->GetBlocks())
        {
            areas.push_back(block->GetArea());
            // Text shown as written holds no control that turns anything around.
            const auto* command = block->AsCmdText();
            if (!command || !forms)
                continue;
            const CEGUI::String drawn = command->GetDrawnText(view);
            Check(std::none_of(drawn.ptr(), drawn.ptr() + drawn.length(),
                               [](CEGUI::utf32 c) {
                                   return (c >= 0x202A && c <= 0x202E) ||
                                          (c >= 0x2066 && c <= 0x2069);
                               }),
                  "a clickable text draws a direction control");
        }
        // By left edge, an empty block before a wide one at the same place.
        std::sort(areas.begin(), areas.end(),
                  [](const CEGUI::Rectf& a, const CEGUI::Rectf& b) {
                      return a.left() < b.left() || (a.left() == b.left() && a.right() < b.right());
                  });
        for (std::size_t i = 1; i < areas.size(); ++i)
            Check(areas[i - 1].right() <= areas[i].left() + 0.01f, "blocks of a line overlap");
    }
}

void Exercise(ZuTest::TestRichTextView& view, ZuGUI::IDoc& doc, FuzzReader& points)
{
    const CEGUI::Rectf docRect = doc.GetDocRect();
    const CEGUI::Rectf area(10, 20, 10 + docRect.getWidth(), 20 + 200);
    doc.Render(view, CEGUI::Rectf(0, 0, docRect.getWidth(), 200), area);
    doc.Render(view, CEGUI::Rectf(5, docRect.getHeight() / 2, docRect.getWidth() + 5, 300), area);
    for (int i = 0; i < 4; ++i)
    {
        const CEGUI::Vector2f point(points.Byte(7) * 1.5f - 20, points.Byte(9) * 1.0f - 10);
        doc.OnMouseMove(view, point, CEGUI::NoButton, false);
        doc.OnMouseButton(view, point, static_cast<CEGUI::MouseButton>(i % 3), i % 2 == 0);
    }
    doc.Render(view, CEGUI::Rectf(0, 0, docRect.getWidth(), 200), area);
}

// The command blocks of `doc`: (kind, command start) of each.
std::vector<std::pair<int, ZuGUI::TextIndex>> Commands(ZuGUI::TextBlocks::CRichTextDoc& doc)
{
    std::vector<std::pair<int, ZuGUI::TextIndex>> commands;
    for (const auto& line : doc.GetLines())
    {
        for (const auto& block : line->GetBlocks())
        {
            if (const ZuGUI::TextBlocks::CCmdText* command = block->AsCmdText())
                commands.emplace_back(command->GetCommandKind(), command->GetCommandStart());
        }
    }
    return commands;
}

// The view's text as a player's text, laid out into a new document: escaped, escaped after a
// pushed item link (as the chat input sends it), and filtered for a chat line. None may parse
// to a command that the player did not push or the filter did not keep.
void CheckPlayerTextMakesNoCommand(ZuTest::TestRichTextView& view, float width)
{
    CSimpleParserManager& parsers = CSimpleParserManager::Instance();
    const CEGUI::String original = view.text;
    const CEGUI::String escaped = MarkupText::Escape(original);
    const CEGUI::String pushedLink = "{I 5:[Sword]}";
    const auto layOut = [&](const CEGUI::String& markup)
    {
        view.text = markup;
        ZuGUI::TextParser::DocPtr doc = ZuGUI::TextParser::MakeDoc(parsers);
        ZuGUI::TextParser::FormatDocument(parsers, *doc, view, width);
        return Commands(static_cast<ZuGUI::TextBlocks::CRichTextDoc&>(*doc));
    };
    Check(layOut(escaped).empty(), "escaped text parses to a command");
    for (const auto& [kind, start] : layOut(pushedLink + escaped))
        Check(kind == ZuGUI::TextBlocks::kItemName && start == 3,
              "text typed after a pushed link parses to a command");
    const std::string kept = KeepMarkupTags(original.c_str());
    for (const auto& [kind, start] : layOut(ZuGUI::StringFromUtf8(kept.c_str())))
        Check(kind == ZuGUI::TextBlocks::kItemName, "a filtered message keeps another command");
    view.text = original;
}

// Layout budgets per character of text, with a floor for short texts. The time budget is
// generous for a sanitized build on a busy machine; a quadratic layout exceeds it by far once
// texts are a few thousand characters long.
constexpr double kLayoutSecondsPerCharacter = 4e-6;
constexpr double kLayoutSecondsFloor = 0.02;
constexpr std::size_t kDocumentBytesPerCharacter = 256;
constexpr std::size_t kDocumentBytesFloor = 16 * 1024;

std::size_t AllocatedBytes()
{
#ifdef ZU_FUZZ_COUNTS_MEMORY
    return __sanitizer_get_current_allocated_bytes();
#else
    return 0;
#endif
}

// A document of the view's text laid out at `width`. Fails when the document exceeds its
// memory budget, or when the layout exceeds its time budget at each of several attempts: the
// fastest decides (FuzzTimeBudget.h). A first layout, not measured, lets the font make the
// glyphs of the text.
ZuGUI::TextParser::DocPtr FormatWithinBudget(ZuTest::TestRichTextView& view, float width)
{
    constexpr int kAttempts = 5;
    CSimpleParserManager& parsers = CSimpleParserManager::Instance();
    ZuGUI::TextParser::FormatDocument(parsers, *ZuGUI::TextParser::MakeDoc(parsers), view, width);
    const std::size_t length = view.text.length();
    const double seconds = ZuFuzz::TimeBudgetScale() *
                           (kLayoutSecondsFloor + kLayoutSecondsPerCharacter * double(length));
    for (int attempt = 1;; ++attempt)
    {
        const std::size_t before = AllocatedBytes();
        const ZuFuzz::ThreadStopwatch stopwatch;
        ZuGUI::TextParser::DocPtr doc = ZuGUI::TextParser::MakeDoc(parsers);
        ZuGUI::TextParser::FormatDocument(parsers, *doc, view, width);
        const double took = stopwatch.Seconds();
        const std::size_t after = AllocatedBytes();
        if (std::getenv("ZU_FUZZ_VERBOSE") || (took > seconds && attempt == kAttempts))
            std::fprintf(stderr, "chars %zu bytes %zu seconds %g (budget %g, attempt %d)\n", length,
                         after > before ? after - before : 0, took, seconds, attempt);
        Check(after <= before ||
                  after - before <= kDocumentBytesFloor + kDocumentBytesPerCharacter * length,
              "the document costs more memory than its budget");
        if (took <= seconds)
            return doc;
        Check(attempt < kAttempts, "the layout takes longer than its budget");
    }
}

// The bidirectional stage on the view's text, cut into lines where the input says: each line's
// order shows each of its code points that are not removed from display exactly once, and the
// joined text keeps one entry per code point.
void CheckBidiLines(const CEGUI::String& text, FuzzReader& cuts)
{
    const ZuGUI::Bidi::CodePoint* codePoints = text.ptr();
    const std::size_t length = text.length();
    static const ZuGUI::Bidi::Direction kDirections[] = {ZuGUI::Bidi::Direction::Auto,
                                                         ZuGUI::Bidi::Direction::LeftToRight,
                                                         ZuGUI::Bidi::Direction::RightToLeft};
    ZuGUI::Bidi::Paragraph paragraph;
    paragraph.Analyse(codePoints, length, kDirections[cuts.Byte(0) % 3]);
    Check(paragraph.Length() == length, "the paragraph has another length than its text");
    std::vector<std::size_t> order;
    std::vector<bool> shown;
    for (std::size_t start = 0; start < length;)
    {
        const std::size_t end = std::min(length, start + 1 + cuts.Byte(40));
        paragraph.LineOrder(start, end, order);
        shown.assign(end - start, false);
        for (const std::size_t index : order)
        {
            Check(index >= start && index < end, "a line shows a code point of another line");
            Check(!shown[index - start], "a line shows a code point twice");
            shown[index - start] = true;
        }
        for (std::size_t i = start; i < end; ++i)
            Check(shown[i - start] != ZuGUI::Bidi::IsRemovedFromDisplay(codePoints[i]),
                  "a line leaves out a code point it shows, or shows one it removes");
        start = end;
    }
    std::vector<ZuGUI::Bidi::CodePoint> joined;
    ZuGUI::Bidi::JoinArabicLetters(codePoints, length, joined);
    Check(joined.size() == length, "joining changed the text's length");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzWorld& world = World();
    FuzzInput whole(data, size);
    FuzzReader input = whole.Front();
    const float width = input.Byte(166) * 2.0f - 16.0f;
    const std::uint8_t indents = input.Byte(0);
    const std::uint8_t flags = input.Byte(0);
    const bool withHost = (flags & 4) == 0;

    ZuTest::HostTextView view(input.CodePoints<CEGUI::String>(size, false));
    view.indent1stLine = (indents & 0x0F) * 3;
    view.indentRestLines = ((indents >> 4) & 0x03) * 5;
    view.showsPictures = (flags & 1) == 0;
    if (flags & 2)
        view.cmdFont = nullptr;
    view.containsMouse = (flags & 8) == 0;
    view.lineBreak = (flags & 16) != 0 ? ZuGUI::TextParser::LineBreakMode::Word
                                       : ZuGUI::TextParser::LineBreakMode::Character;
    view.hoverBrush = world.hoverBrush;
    constexpr ZuGUI::Bidi::Direction kDirections[] = {
        ZuGUI::Bidi::Direction::Auto, ZuGUI::Bidi::Direction::LeftToRight,
        ZuGUI::Bidi::Direction::RightToLeft, ZuGUI::Bidi::Direction::Auto};
    view.direction = kDirections[(flags >> 5) & 3];

    if (withHost)
        ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(&world.host);
    {
        CSimpleParserManager& parsers = CSimpleParserManager::Instance();
        ZuGUI::TextParser::DocPtr doc = FormatWithinBudget(view, width);
        CheckBlocks(static_cast<ZuGUI::TextBlocks::CRichTextDoc&>(*doc), view.text);
        view.shownDoc = doc.get();
        CheckDisplayOrder(static_cast<ZuGUI::TextBlocks::CRichTextDoc&>(*doc), view);
        Check(doc->GetText(view).length() <= view.text.length(), "GetText longer than the text");
        FuzzInput again(data, size);
        FuzzReader points = again.Front();
        Exercise(view, *doc, points);
        ZuGUI::TextParser::FormatDocument(parsers, *doc, view, width / 2 + 40);
        CheckBlocks(static_cast<ZuGUI::TextBlocks::CRichTextDoc&>(*doc), view.text);
        CheckDisplayOrder(static_cast<ZuGUI::TextBlocks::CRichTextDoc&>(*doc), view);
        Exercise(view, *doc, points);
        view.shownDoc = nullptr;
    }
    CheckPlayerTextMakesNoCommand(view, std::max(width, 120.0f));
    FuzzInput forLines(data, size);
    FuzzReader cuts = forLines.Back();
    CheckBidiLines(view.text, cuts);
    if (withHost)
    {
        Check(world.host.CountScriptCalls("gFn_chatItem_add_ref") ==
                  world.host.CountScriptCalls("gFn_chatItem_release_ref"),
              "chat item references do not balance");
        ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    }
    world.host.ClearCalls();
    return 0;
}
