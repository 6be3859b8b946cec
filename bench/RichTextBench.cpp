// Parse and layout of a typical chat line: a name, a coloured stretch, an item link and plain
// text, 150 visible characters laid out at 200 pixels, broken by characters and between words;
// and the same line laid out again at a new width, which parses nothing. Side by side with
// CEGUI's own markup parser and word wrapper on the same text and font, with one text extent
// pass over the plain text, which bounds what any layout of it costs, and with the break
// stage's passes over it (line break opportunities, grapheme cluster starts).
#include "RichTextBenchView.h"

#include "ZuGUIElements/richtext/ParserManager.h"
#include "ZuGUIElements/richtext/breaks/UnicodeBreaks.h"

#include <CEGUI/BasicRenderedStringParser.h>
#include <CEGUI/CEGUI.h>
#include <CEGUI/LeftAlignedRenderedString.h>
#include <CEGUI/RenderedStringWordWrapper.h>

#include <benchmark/benchmark.h>
#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{
using ZuBench::BenchCegui;
using ZuBench::BenchView;

constexpr float kLayoutWidth = 200.0f;

const char* const kMarkup =
    "{N Alice}: {T gold:has found something rare in the ruins beneath the old keep} "
    "{I 0x1F:[Sword of the Morning Dawn]} and will trade it for gold or a good horse, just ask her";
const char* const kShortMarkup = "{N Alice}: selling {I 0x1F:[Sword of Dawn]} for 40 gold, pst";
// The long line's text in CEGUI's markup ("\\[" is a literal "[").
const char* const kCeguiMarkup =
    "[colour='FF00FF00']Alice[colour='FFFFFFFF']: [colour='FFFFD700']has found something rare "
    "in the ruins beneath the old keep[colour='FFFFFFFF'] [colour='FFA335EE']\\[Sword of the "
    "Morning Dawn][colour='FFFFFFFF'] and will trade it for gold or a good horse, just ask her";
const char* const kPlainText =
    "Alice: has found something rare in the ruins beneath the old keep [Sword of the Morning "
    "Dawn] and will trade it for gold or a good horse, just ask her";

// The chat line in a view and an empty document, broken as `mode` says.
struct ChatLine
{
    explicit ChatLine(ZuGUI::TextParser::LineBreakMode mode, const CEGUI::String& markup = kMarkup)
        : view(cegui.Font(), markup)
    {
        view.SetLineBreak(mode);
    }

    const BenchCegui cegui;
    BenchView view;
    ZuGUI::TextParser::CSimpleParserManager& parsers =
        ZuGUI::TextParser::CSimpleParserManager::Instance();
    const ZuGUI::TextParser::DocPtr doc = ZuGUI::TextParser::MakeDoc(parsers);

    // Parses the line and lays it out at `width` at each iteration of `state`.
    void FormatEachIteration(benchmark::State& state, float width = kLayoutWidth)
    {
        for (auto _ : state)
        {
            ZuGUI::TextParser::FormatDocument(parsers, *doc, view, width);
            benchmark::DoNotOptimize(doc->GetHeight());
        }
        state.counters["lines"] = doc->GetHeight() / cegui.Font().getLineSpacing();
    }

    // Parses the line once, then lays it out again at each iteration, at two widths in turn.
    void LayOutAtNewWidthEachIteration(benchmark::State& state)
    {
        ZuGUI::TextParser::FormatDocument(parsers, *doc, view, kLayoutWidth);
        float width = kLayoutWidth;
        for (auto _ : state)
        {
            width = width == kLayoutWidth ? kLayoutWidth + 1.0f : kLayoutWidth;
            ZuGUI::TextParser::LayOutDocument(*doc, view, width);
            benchmark::DoNotOptimize(doc->GetHeight());
        }
    }
};

void BM_RichTextParseAndLayout(benchmark::State& state, ZuGUI::TextParser::LineBreakMode mode)
{
    ChatLine(mode).FormatEachIteration(state);
}
BENCHMARK_CAPTURE(BM_RichTextParseAndLayout, Character,
                  ZuGUI::TextParser::LineBreakMode::Character);
BENCHMARK_CAPTURE(BM_RichTextParseAndLayout, Word, ZuGUI::TextParser::LineBreakMode::Word);

// The long chat line with its message written in another script, letter for letter, the name
// and the item link left Latin. The Latin line is the long line itself.
CEGUI::String ChatLineInScript(CEGUI::utf32 first, unsigned letters)
{
    return "{N Alice}: {T gold:" +
           ZuBench::InScript("has found something rare in the ruins beneath the old keep", first,
                             letters) +
           "} {I 0x1F:[Sword of the Morning Dawn]} " +
           ZuBench::InScript("and will trade it for gold or a good horse, just ask her", first,
                             letters);
}

// The line parsed and laid out: a right-to-left line costs its analysis and reordering, an
// Arabic one its joining too.
void BM_RichTextParseAndLayoutByScript(benchmark::State& state, CEGUI::utf32 first,
                                       unsigned letters)
{
    ChatLine(ZuGUI::TextParser::LineBreakMode::Character, ChatLineInScript(first, letters))
        .FormatEachIteration(state);
}
BENCHMARK_CAPTURE(BM_RichTextParseAndLayoutByScript, Latin, 'a', 26);
BENCHMARK_CAPTURE(BM_RichTextParseAndLayoutByScript, Hebrew, 0x05D0, 27);
BENCHMARK_CAPTURE(BM_RichTextParseAndLayoutByScript, Arabic, 0x0628, 19);

// The same lines laid out again at a new width: what is found once per text (its break
// opportunities, its bidirectional levels and joined forms) is not found again.
void BM_RichTextLayoutAtNewWidthByScript(benchmark::State& state, CEGUI::utf32 first,
                                         unsigned letters)
{
    ChatLine(ZuGUI::TextParser::LineBreakMode::Character, ChatLineInScript(first, letters))
        .LayOutAtNewWidthEachIteration(state);
}
BENCHMARK_CAPTURE(BM_RichTextLayoutAtNewWidthByScript, Latin, 'a', 26);
BENCHMARK_CAPTURE(BM_RichTextLayoutAtNewWidthByScript, Hebrew, 0x05D0, 27);
BENCHMARK_CAPTURE(BM_RichTextLayoutAtNewWidthByScript, Arabic, 0x0628, 19);

// A line of ordinary chat that fits its view: broken between words, it is laid out without
// looking for a line break opportunity.
void BM_RichTextParseAndLayoutShortLine(benchmark::State& state,
                                        ZuGUI::TextParser::LineBreakMode mode)
{
    ChatLine(mode, kShortMarkup).FormatEachIteration(state, 2 * kLayoutWidth);
}
BENCHMARK_CAPTURE(BM_RichTextParseAndLayoutShortLine, Character,
                  ZuGUI::TextParser::LineBreakMode::Character);
BENCHMARK_CAPTURE(BM_RichTextParseAndLayoutShortLine, Word, ZuGUI::TextParser::LineBreakMode::Word);

void BM_RichTextLayoutAtNewWidth(benchmark::State& state, ZuGUI::TextParser::LineBreakMode mode)
{
    ChatLine(mode).LayOutAtNewWidthEachIteration(state);
}
BENCHMARK_CAPTURE(BM_RichTextLayoutAtNewWidth, Character,
                  ZuGUI::TextParser::LineBreakMode::Character);
BENCHMARK_CAPTURE(BM_RichTextLayoutAtNewWidth, Word, ZuGUI::TextParser::LineBreakMode::Word);

// A document of state.range(0) chat lines painted scrolled to its middle: a text area's worth
// of lines is drawn, however long the document.
void BM_RichTextPaintScrolledToMiddle(benchmark::State& state)
{
    const BenchCegui cegui;
    CEGUI::String markup;
    for (int i = 0; i < state.range(0); ++i)
        markup += CEGUI::String("{N Alice}: line ") + CEGUI::PropertyHelper<int>::toString(i) +
                  " {I 0x1F:[Sword]}\n";
    BenchView view(cegui.Font(), markup);
    auto& parsers = ZuGUI::TextParser::CSimpleParserManager::Instance();
    const ZuGUI::TextParser::DocPtr doc = ZuGUI::TextParser::MakeDoc(parsers);
    ZuGUI::TextParser::FormatDocument(parsers, *doc, view, kLayoutWidth);
    const float middle = doc->GetHeight() / 2.0f;
    const CEGUI::Rectf area(0.0f, 0.0f, kLayoutWidth, 240.0f);
    const CEGUI::Rectf visible(0.0f, middle, kLayoutWidth, middle + area.getHeight());
    for (auto _ : state)
    {
        view.GetViewGeometry().reset();
        doc->Render(view, visible, area);
    }
    state.counters["lines"] = doc->GetHeight() / cegui.Font().getLineSpacing();
}
BENCHMARK(BM_RichTextPaintScrolledToMiddle)->Arg(50)->Arg(10000);

void BM_CeguiParseAndWordWrap(benchmark::State& state)
{
    const BenchCegui cegui;
    const CEGUI::Font& font = cegui.Font();
    const CEGUI::String markup(kCeguiMarkup);
    CEGUI::BasicRenderedStringParser parser;
    float height = 0.0f;
    for (auto _ : state)
    {
        CEGUI::RenderedString parsed = parser.parse(markup, &font, nullptr);
        CEGUI::RenderedStringWordWrapper<CEGUI::LeftAlignedRenderedString> wrapper(parsed);
        wrapper.format(nullptr, CEGUI::Sizef(kLayoutWidth, 1000.0f));
        height = wrapper.getVerticalExtent(nullptr);
        benchmark::DoNotOptimize(height);
    }
    state.counters["lines"] = height / font.getLineSpacing();
}
BENCHMARK(BM_CeguiParseAndWordWrap);

void BM_CeguiTextExtent(benchmark::State& state)
{
    const BenchCegui cegui;
    const CEGUI::Font& font = cegui.Font();
    const CEGUI::String text(kPlainText);
    for (auto _ : state)
        benchmark::DoNotOptimize(font.getTextExtent(text));
    state.counters["chars"] = static_cast<double>(text.length());
}
BENCHMARK(BM_CeguiTextExtent);

using FindBreakFlags = void (*)(const ZuGUI::Breaks::CodePoint*, std::size_t,
                                std::vector<std::uint8_t>&);

// One pass of the break stage over the plain text with `suffix` (UTF-8) after it.
void RunBreakStage(benchmark::State& state, FindBreakFlags find, const char* suffix)
{
    const std::string utf8 = std::string(kPlainText) + suffix;
    const CEGUI::String text(reinterpret_cast<const CEGUI::utf8*>(utf8.c_str()));
    std::vector<std::uint8_t> flags;
    for (auto _ : state)
    {
        find(text.ptr(), text.length(), flags);
        benchmark::DoNotOptimize(flags.data());
    }
    state.counters["chars"] = static_cast<double>(text.length());
}

void BM_LineBreakOpportunities(benchmark::State& state, const char* suffix)
{
    RunBreakStage(state, &ZuGUI::Breaks::FindLineBreaks, suffix);
}
BENCHMARK_CAPTURE(BM_LineBreakOpportunities, Latin, "");

// The other way to find where lines break: ICU's iterator asked only at each line's overflow
// (the chat line at 200 pixels overflows five times), from a text given to it anew, as a new
// paragraph is. Each question makes ICU walk from the text's start: one whole pass costs less
// than even one question, so the break stage makes one pass.
void BM_IcuLineBreaksAskedAtOverflows(benchmark::State& state)
{
    std::u16string text;
    for (const char* c = kPlainText; *c != '\0'; ++c)
        text.push_back(static_cast<char16_t>(*c));
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::BreakIterator> iterator(
        icu::BreakIterator::createLineInstance(icu::Locale::getRoot(), status));
    const int32_t overflows[] = {31, 61, 91, 121, 146};
    for (auto _ : state)
    {
        UText utext = UTEXT_INITIALIZER;
        utext_openUChars(&utext, text.data(), static_cast<int32_t>(text.size()), &status);
        iterator->setText(&utext, status);
        for (const int32_t overflow : overflows)
            benchmark::DoNotOptimize(iterator->preceding(overflow));
        utext_close(&utext);
    }
    state.counters["questions"] = static_cast<double>(std::size(overflows));
}
BENCHMARK(BM_IcuLineBreaksAskedAtOverflows);

// Latin text needs no ICU for its clusters; a character from U+0300 on (an emoji) sends the
// few characters around it to ICU.
void BM_ClusterStarts(benchmark::State& state, const char* suffix)
{
    RunBreakStage(state, &ZuGUI::Breaks::FindClusterStarts, suffix);
}
BENCHMARK_CAPTURE(BM_ClusterStarts, Latin, "");
BENCHMARK_CAPTURE(BM_ClusterStarts, WithEmoji, " \xF0\x9F\x99\x82");
} // namespace
