// A history of chat messages without windows, at 100 to 100,000 messages of ordinary 60-character
// chat: a push into the full history with the newest messages laid out and painted, as a chat
// box at its end shows them each frame; the heap that each message holds; and the text of all
// of them in arrival order with their item links, as a select-all and copy reads it.
#include "RichTextBenchView.h"

#include "ZuGUIElements/richtext/document/MessageHistory.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <vector>

namespace
{
using ZuBench::BenchCegui;
using ZuBench::BenchView;
using ZuGUI::RichText::CMessageHistory;

constexpr float kWidth = 320.0f;
constexpr float kViewHeight = 240.0f;
const char* const kLine = "{N Alice}: selling {I 0x1F:[Sword of Dawn]} for 40 gold, pst";

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

// A full history of `size` messages, its end in sight.
struct FullHistory
{
    FullHistory(const BenchCegui& cegui, std::size_t size) : view(cegui.Font(), "")
    {
        auto look = std::make_shared<ZuGUI::RichText::TextLook>();
        look->font = &cegui.Font();
        look->commandFont = &cegui.Font();
        history.SetLook(look);
        history.SetWidth(kWidth);
        history.SetCapacity(size);
        for (std::size_t i = 0; i < size; ++i)
            history.Push(kLine);
        ShowEnd();
    }

    // Lays out and paints the part of the history that a view at its end shows.
    void ShowEnd()
    {
        const float bottom = history.GetTotalHeight();
        history.LayOutRange(bottom - kViewHeight, bottom);
        const float end = history.GetTotalHeight();
        const CEGUI::Rectf visible(0.0f, end - kViewHeight, kWidth, end);
        view.GetViewGeometry().reset();
        history.Paint(view.GetViewGeometry(), visible,
                      CEGUI::Rectf(0.0f, 0.0f, kWidth, kViewHeight));
    }

    // The game client of a view without a window, and a geometry buffer to paint into.
    BenchView view;
    CMessageHistory history{view.GetClient()};
};

void BM_MessageHistoryPushAndShowEnd(benchmark::State& state)
{
    const BenchCegui cegui;
    FullHistory full(cegui, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
    {
        full.history.Push(kLine);
        full.ShowEnd();
    }
    state.counters["messages"] = static_cast<double>(full.history.Size());
}
BENCHMARK(BM_MessageHistoryPushAndShowEnd)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

void BM_MessageHistoryHeapPerMessage(benchmark::State& state)
{
    const BenchCegui cegui;
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    // The font makes its glyphs' images the first time that they are asked for.
    {
        const FullHistory warmUp(cegui, 1);
    }
    double bytes = 0.0;
    for (auto _ : state)
    {
        const std::size_t before = HeapInUse();
        auto full = std::make_unique<FullHistory>(cegui, size);
        bytes = (static_cast<double>(HeapInUse()) - static_cast<double>(before)) /
                static_cast<double>(size);
    }
    state.counters["bytes_per_message"] = bytes;
}
BENCHMARK(BM_MessageHistoryHeapPerMessage)
    ->Arg(1000)
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A hostile message shown whole (laid out and painted): the heap that it holds per byte of its
// text, for a flood of line feeds and for one long word.
void BM_MessageHistoryHeapPerByteShown(benchmark::State& state, bool lineFeeds)
{
    constexpr std::size_t kLength = 10 * 1024;
    const BenchCegui cegui;
    FullHistory full(cegui, 1);
    const CEGUI::String message(kLength, lineFeeds ? '\n' : 'x');
    // Shows `message` as the only message.
    const auto show = [&]
    {
        full.history.Push(message);
        const float height = full.history.HeightOf(0);
        full.history.LayOutRange(0.0f, height);
        full.view.GetViewGeometry().reset();
        const CEGUI::Rectf whole(0.0f, 0.0f, kWidth, height);
        full.history.Paint(full.view.GetViewGeometry(), whole, whole);
    };
    // What the first of a kind of message makes once (glyph images, the thread's buffers).
    show();
    double bytes = 0.0;
    for (auto _ : state)
    {
        full.history.Clear();
        const std::size_t before = HeapInUse();
        show();
        bytes = (static_cast<double>(HeapInUse()) - static_cast<double>(before)) /
                static_cast<double>(kLength);
    }
    state.counters["bytes_per_byte"] = bytes;
}
BENCHMARK_CAPTURE(BM_MessageHistoryHeapPerByteShown, LineFeeds, true)->Iterations(1);
BENCHMARK_CAPTURE(BM_MessageHistoryHeapPerByteShown, LongWord, false)->Iterations(1);

void BM_MessageHistoryAllText(benchmark::State& state)
{
    const BenchCegui cegui;
    FullHistory full(cegui, static_cast<std::size_t>(state.range(0)));
    const CMessageHistory::TextPlace first{full.history.NumberOf(0), 0};
    const CMessageHistory::TextPlace last{full.history.NumberOf(full.history.Size() - 1),
                                          ZuGUI::kNoText};
    std::vector<CEGUI::utf32> text;
    std::vector<ZuGUI::TextSelection::CopiedLink> links;
    for (auto _ : state)
    {
        text.clear();
        links.clear();
        full.history.AppendTextBetween(first, last, text, links);
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["links"] = static_cast<double>(links.size());
    state.counters["chars"] = static_cast<double>(text.size());
}
BENCHMARK(BM_MessageHistoryAllText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace
