// Cost of the bidirectional stage on one chat line of 150 characters: a Hebrew and an Arabic
// message after a left-to-right channel tag and name, with a number; the paragraph's levels, the
// line's display order, and the Arabic letters joined. A Latin line of the same length shows what
// a text that needs no analysis costs.
#include "ZuGUIElements/richtext/bidi/BidiText.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{
using ZuGUI::Bidi::CodePoint;

std::vector<CodePoint> ChatLine(const std::u32string& message)
{
    std::u32string line = U"[Trade] Alice: ";
    while (line.size() < 150)
        line += message;
    line.resize(150);
    return std::vector<CodePoint>(line.begin(), line.end());
}

const std::vector<CodePoint>& LineOf(int kind)
{
    static const std::vector<CodePoint> lines[] = {
        ChatLine(U"selling the sword of dawn for 40 gold, whisper me "),
        ChatLine(U"\u05DE\u05D5\u05DB\u05E8 \u05D7\u05E8\u05D1 \u05D1-40 \u05D6\u05D4\u05D1 "),
        ChatLine(U"\u0623\u0628\u064A\u0639 \u0627\u0644\u0633\u064A\u0641 \u0628\u0640 40 "
                 U"\u0630\u0647\u0628\u0627 "),
    };
    return lines[kind];
}

void BM_BidiAnalyseAndOrderChatLine(benchmark::State& state)
{
    const std::vector<CodePoint>& line = LineOf(static_cast<int>(state.range(0)));
    ZuGUI::Bidi::Paragraph paragraph;
    std::vector<std::size_t> order;
    for (auto _ : state)
    {
        paragraph.Analyse(line.data(), line.size(), ZuGUI::Bidi::Direction::Auto);
        paragraph.LineOrder(0, line.size(), order);
        benchmark::DoNotOptimize(order.data());
    }
}
// 0: Latin, 1: Hebrew, 2: Arabic.
BENCHMARK(BM_BidiAnalyseAndOrderChatLine)->Arg(0)->Arg(1)->Arg(2);

void BM_BidiJoinArabicChatLine(benchmark::State& state)
{
    const std::vector<CodePoint>& line = LineOf(2);
    std::vector<CodePoint> joined;
    for (auto _ : state)
    {
        ZuGUI::Bidi::JoinArabicLetters(line.data(), line.size(), joined);
        benchmark::DoNotOptimize(joined.data());
    }
}
BENCHMARK(BM_BidiJoinArabicChatLine);
} // namespace

namespace
{
// Text made to be slow: Hebrew, Latin and digits under embeddings and isolates nested past the
// algorithm's depth of 125, overrides and their terminators left open; analysed and shown as
// lines of 80 code points. Throughput must not fall as the text grows.
std::vector<CodePoint> HostileText(std::size_t length)
{
    const std::u32string pieces[] = {U"\u202B",   U"\u2067", U"\u05D0\u05D1 ", U"ab 12 ", U"\u202E",
                                     U"(\u05D2)", U"\u202C", U"\u2069",        U"\u200D"};
    std::vector<CodePoint> text;
    for (std::size_t i = 0; text.size() < length; ++i)
    {
        const std::u32string& piece = pieces[(i * 7 + i / 300) % std::size(pieces)];
        text.insert(text.end(), piece.begin(), piece.end());
    }
    text.resize(length);
    return text;
}

void BM_BidiHostileTextScaling(benchmark::State& state)
{
    const std::vector<CodePoint> text = HostileText(static_cast<std::size_t>(state.range(0)));
    ZuGUI::Bidi::Paragraph paragraph;
    std::vector<std::size_t> order;
    for (auto _ : state)
    {
        paragraph.Analyse(text.data(), text.size(), ZuGUI::Bidi::Direction::Auto);
        for (std::size_t start = 0; start < text.size(); start += 80)
            paragraph.LineOrder(start, start + 80, order);
        benchmark::DoNotOptimize(order.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_BidiHostileTextScaling)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
} // namespace
