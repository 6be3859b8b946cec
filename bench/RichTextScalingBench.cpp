// How parse and layout scale with hostile text: each adversarial input is laid out beside
// ordinary chat-like text of the same length (10 KB and 100 KB of markup), broken by characters
// and between words, at 200 pixels. Every input should cost about what the ordinary text costs;
// a cost that grows faster than the text shows as a ratio that grows tenfold from 10 KB to
// 100 KB.
#include "RichTextBenchView.h"

#include "ZuGUIElements/richtext/ParserManager.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

namespace
{
using ZuBench::BenchCegui;
using ZuBench::BenchView;
using ZuGUI::TextParser::LineBreakMode;

constexpr float kLayoutWidth = 200.0f;

// `unit` repeated until the text is `length` characters long (the last copy cut short).
CEGUI::String Repeat(const CEGUI::String& unit, std::size_t length)
{
    CEGUI::String text;
    text.reserve(length);
    while (text.length() < length)
        text += unit.substr(0, length - text.length());
    return text;
}

CEGUI::String Chars(CEGUI::utf32 c, std::size_t count)
{
    return CEGUI::String(count, c);
}

// `head`, then `fill` up to the length, then `tail`.
CEGUI::String Filled(const CEGUI::String& head, CEGUI::utf32 fill, const CEGUI::String& tail,
                     std::size_t length)
{
    return head + Chars(fill, length - head.length() - tail.length()) + tail;
}

CEGUI::String Ordinary(std::size_t length)
{
    return Repeat("{N Alice}: {T gold:has found something rare in the ruins beneath the old "
                  "keep} {I 0x1F:[Sword of the Morning Dawn]} and will trade it for gold, ",
                  length);
}

CEGUI::String FromUtf32(const std::u32string& text)
{
    CEGUI::String out;
    for (const char32_t c : text)
        out += static_cast<CEGUI::utf32>(c);
    return out;
}

// Hebrew and Latin words and numbers under embeddings, isolates and overrides that are never
// closed, and names between them.
CEGUI::String BidiControls(std::size_t length)
{
    return Repeat(FromUtf32(U"\u202B\u2067\u05D0\u05D1 ab 12 \u202E(\u05D2)\u202C\u2069{N Alice} "
                            U"\u200D"),
                  length);
}

CEGUI::String ArabicWords(std::size_t length)
{
    return Repeat(
        FromUtf32(U"\u0623\u0628\u064A\u0639 \u0627\u0644\u0633\u064A\u0641 \u0628\u0640 40 "),
        length);
}

CEGUI::String CjkText(std::size_t length)
{
    CEGUI::String text;
    for (std::size_t i = 0; i < length; ++i)
        text += static_cast<CEGUI::utf32>(0x4E00 + i % 512);
    return text;
}

struct Input
{
    const char* name;
    std::function<CEGUI::String(std::size_t)> make;
    int indentRestLines = 0;
    float layoutWidth = kLayoutWidth;
};

const Input kInputs[] = {
    {"Ordinary", Ordinary},
    {"SpaceRun", [](std::size_t n) { return Filled("a", ' ', "!!", n); }},
    {"TabRun", [](std::size_t n) { return Filled("a", '\t', "!!", n); }},
    {"CarriageReturns", [](std::size_t n) { return Filled("a", '\r', "!!", n); }},
    {"LineFeeds", [](std::size_t n) { return Filled("a", '\n', "!!", n); }},
    {"OneWord", [](std::size_t n) { return Filled("", 'x', "", n); }},
    {"WordAfterName", [](std::size_t n) { return Filled("{N Alice}: ", 'x', "", n); }},
    {"SpacesInWord", [](std::size_t n) { return Filled("{N Alice}: x", ' ', "x", n); }},
    {"ZeroWidthRun", [](std::size_t n) { return Filled("W", 0x1, "!!", n); }},
    {"ShortTags", [](std::size_t n) { return Repeat("{T gold:ab}", n); }},
    {"DroppedBraces", [](std::size_t n) { return Repeat("{x", n); }},
    {"Cjk", CjkText},
    // Right-to-left text: reordered and joined line by line, controls nested past the
    // algorithm's depth, and a narrow view of it.
    {"BidiControls", BidiControls},
    {"NestedEmbeddings", [](std::size_t n) { return Filled("", 0x202B, "{N Alice}", n); }},
    {"ArabicWords", ArabicWords},
    {"ArabicNarrow", ArabicWords, 0, 12.0f},
    {"PicturesBetweenWords", [](std::size_t n) { return Repeat("word {E 12} ", n); }},
    // Every rest line leaves two pixels: no character fits a line after the first.
    {"NeverFits", Ordinary, static_cast<int>(kLayoutWidth) - 2},
    // A long run of spaces and then a short one, each before punctuation or a word, in a view
    // with no room on any line: each pass asks about both runs.
    {"SpaceRunsWithoutRoom",
     [](std::size_t n) { return Filled("{H ", ' ', ", " + Chars(' ', 30) + "x}", n); },
     static_cast<int>(kLayoutWidth) + 5},
    // A character or two per line, and none at all.
    {"Narrow", Ordinary, 0, 12.0f},
    {"OnePixel", Ordinary, 0, 1.0f},
};

void BM_RichTextScaling(benchmark::State& state, const Input& input, LineBreakMode mode)
{
    const BenchCegui cegui;
    const std::size_t length = static_cast<std::size_t>(state.range(0));
    BenchView view(cegui.Font(), input.make(length));
    view.SetLineBreak(mode);
    view.SetIndentRestLines(input.indentRestLines);
    auto& parsers = ZuGUI::TextParser::CSimpleParserManager::Instance();
    const ZuGUI::TextParser::DocPtr doc = ZuGUI::TextParser::MakeDoc(parsers);
    for (auto _ : state)
    {
        ZuGUI::TextParser::FormatDocument(parsers, *doc, view, input.layoutWidth);
        benchmark::DoNotOptimize(doc->GetHeight());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(length));
    state.counters["lines"] = doc->GetHeight() / cegui.Font().getLineSpacing();
}

// Registers every input in both modes.
const bool kRegistered = []
{
    for (const Input& input : kInputs)
    {
        for (const auto& [modeName, mode] :
             {std::pair{"Character", LineBreakMode::Character}, {"Word", LineBreakMode::Word}})
        {
            benchmark::RegisterBenchmark(
                (std::string("BM_RichTextScaling/") + modeName + "/" + input.name).c_str(),
                BM_RichTextScaling, input, mode)
                ->Arg(10 * 1024)
                ->Arg(100 * 1024)
                ->Unit(benchmark::kMicrosecond);
        }
    }
    return true;
}();
} // namespace
