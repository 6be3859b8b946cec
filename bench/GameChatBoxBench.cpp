// Cost of a chat history. A chat box full of N ordinary chat lines (N = 100 … 100,000): a push
// and the frame after it, a redraw of the whole box, a scroll to any line with a click on its
// name, select-all and copy, and the heap per line once the box is drawn; a message of line
// feeds and one of a single long word shown whole; 10 KB lines of other players, ordinary and
// made to be slow, pushed in both line break modes. The last benchmark pushes a million
// messages into one box and reports the resident memory after the first ten thousand and at the
// end.
#include "RichTextSystem.h"

#include <CEGUI/widgets/Scrollbar.h>

#include <benchmark/benchmark.h>

#include <fstream>
#include <malloc.h>
#include <random>
#include <unistd.h>

namespace
{
using ZuBench::ScopedRichTextSystem;

// A one-line chat message with a name and an item link, 60 characters shown.
const char* const kChatLine =
    "{CN [Trade]} {N Alice}: selling {I 0x1F:[Sword of Dawn]} for 40 gold";

constexpr float kBoxWidth = 320.0f;
constexpr float kBoxHeight = 240.0f;

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

ZuGUI::CGameChatBox& MakeChatBox(CEGUI::Window& root, unsigned capacity)
{
    auto& box = static_cast<ZuGUI::CGameChatBox&>(
        *CEGUI::WindowManager::getSingleton().createWindow(ZuBench::kChatBoxType, "Chat"));
    box.setSize(CEGUI::USize(CEGUI::UDim(0, kBoxWidth), CEGUI::UDim(0, kBoxHeight)));
    root.addChild(&box);
    box.SetChatCapacity(capacity);
    return box;
}

// A box full of numbered chat lines, drawn once.
ZuGUI::CGameChatBox& FullChatBox(CEGUI::Window& root, unsigned capacity)
{
    ZuGUI::CGameChatBox& box = MakeChatBox(root, capacity);
    for (unsigned i = 0; i < capacity; ++i)
        box.PushChatText(kChatLine);
    ScopedRichTextSystem::RenderFrame();
    return box;
}

double ResidentMegabytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1.0e6;
}

void ChatHistorySizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

void BM_ChatBoxPushAndFrame(benchmark::State& state)
{
    ScopedRichTextSystem system;
    ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), static_cast<unsigned>(state.range(0)));
    for (auto _ : state)
    {
        box.PushChatText(kChatLine);
        ScopedRichTextSystem::RenderFrame();
    }
    state.counters["views"] = static_cast<double>(box.getContentPane()->getChildCount());
}
BENCHMARK(BM_ChatBoxPushAndFrame)->Apply(ChatHistorySizes);

void BM_ChatBoxRedraw(benchmark::State& state)
{
    ScopedRichTextSystem system;
    ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), static_cast<unsigned>(state.range(0)));
    for (auto _ : state)
    {
        box.invalidate(true);
        ScopedRichTextSystem::RenderFrame();
    }
}
BENCHMARK(BM_ChatBoxRedraw)->Apply(ChatHistorySizes);

// Scrolls a random line to the top of the box and clicks the name in it, as a player who
// drags the scroll bar back and answers someone does.
void BM_ChatBoxScrollToLineAndClickName(benchmark::State& state)
{
    ScopedRichTextSystem system;
    ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), static_cast<unsigned>(state.range(0)));
    CEGUI::GUIContext& context = CEGUI::System::getSingleton().getDefaultGUIContext();
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> anyLine(0, box.GetHistory().Size() - 1);
    const float nameX = box.getFont()->getTextExtent("[Trade] ") + 4.0f;
    std::size_t clicks = 0;
    for (auto _ : state)
    {
        const std::size_t line = anyLine(random);
        box.ScrollToMessage(line);
        const float top =
            box.GetHistory().TopOf(line) - box.getVertScrollbar()->getScrollPosition();
        const CEGUI::Rectf area = box.getViewableArea();
        const CEGUI::Vector2f origin = box.getUnclippedOuterRect().get().getPosition();
        context.injectMousePosition(origin.d_x + area.left() + nameX,
                                    origin.d_y + area.top() + top + 6.0f);
        clicks += context.injectMouseButtonDown(CEGUI::LeftButton) ? 1 : 0;
        context.injectMouseButtonUp(CEGUI::LeftButton);
    }
    state.counters["handled_clicks"] =
        benchmark::Counter(static_cast<double>(clicks), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ChatBoxScrollToLineAndClickName)->Apply(ChatHistorySizes);

void BM_ChatBoxSelectAllAndCopy(benchmark::State& state)
{
    ScopedRichTextSystem system;
    ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), static_cast<unsigned>(state.range(0)));
    box.setTextSelectable(true);
    std::size_t characters = 0;
    for (auto _ : state)
    {
        box.GetSelection().SelectAll();
        const CEGUI::String text = box.getSelectedText();
        characters = text.length();
        benchmark::DoNotOptimize(text.c_str());
    }
    state.counters["chars"] = static_cast<double>(characters);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * characters));
}
BENCHMARK(BM_ChatBoxSelectAllAndCopy)->Apply(ChatHistorySizes);

void BM_ChatBoxHeapPerLine(benchmark::State& state)
{
    ScopedRichTextSystem system;
    const auto lines = static_cast<unsigned>(state.range(0));
    double perLine = 0.0;
    for (auto _ : state)
    {
        const std::size_t before = HeapInUse();
        ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), lines);
        perLine = (static_cast<double>(HeapInUse()) - static_cast<double>(before)) / lines;
        CEGUI::WindowManager::getSingleton().destroyWindow(&box);
        CEGUI::WindowManager::getSingleton().cleanDeadPool();
    }
    state.counters["heap_per_line_B"] = perLine;
}
BENCHMARK(BM_ChatBoxHeapPerLine)->Apply(ChatHistorySizes)->Iterations(1);

// One hostile message of 10,239 bytes pushed into a box and drawn: laid out whole, drawn where
// in sight. The heap it costs per byte, over what the box costs with an ordinary line in its
// place (the view that shows either).
void BM_ChatBoxHostileMessageHeapPerByte(benchmark::State& state, bool lineFeeds)
{
    ScopedRichTextSystem system;
    const std::string message =
        lineFeeds ? "a" + std::string(10238, '\n') : std::string(10239, 'x');
    double perByte = 0.0;
    for (auto _ : state)
    {
        ZuGUI::CGameChatBox& box = MakeChatBox(system.Root(), 1);
        box.PushChatText(kChatLine);
        ScopedRichTextSystem::RenderFrame();
        const std::size_t before = HeapInUse();
        box.PushChatText(message);
        ScopedRichTextSystem::RenderFrame();
        perByte = (static_cast<double>(HeapInUse()) - static_cast<double>(before)) /
                  static_cast<double>(message.size());
        CEGUI::WindowManager::getSingleton().destroyWindow(&box);
        CEGUI::WindowManager::getSingleton().cleanDeadPool();
    }
    state.counters["heap_per_byte_B"] = perByte;
}
BENCHMARK_CAPTURE(BM_ChatBoxHostileMessageHeapPerByte, LineFeeds, true)->Iterations(1);
BENCHMARK_CAPTURE(BM_ChatBoxHostileMessageHeapPerByte, LongWord, false)->Iterations(1);

// The message's own parse and layout in a view of the box (the text changes every time, so
// that the view lays it out again).
void BM_ChatLineParseAndLayout(benchmark::State& state)
{
    ScopedRichTextSystem system;
    ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), 1);
    CEGUI::Window& view = *box.GetChatWindowByIndex(0);
    const CEGUI::String texts[] = {kChatLine, CEGUI::String(kChatLine) + " "};
    int which = 0;
    for (auto _ : state)
    {
        which ^= 1;
        view.setText(texts[which]);
    }
}
BENCHMARK(BM_ChatLineParseAndLayout)->Unit(benchmark::kMicrosecond);

// A 10 KB line from another player pushed through the box, as a script's PushChatText does:
// ordinary chat beside lines made to be slow, in both line break modes.
CEGUI::String PlayerLine(const std::string& kind)
{
    constexpr std::size_t kLength = 10 * 1024;
    std::string line;
    if (kind == "spaces")
        line = "a" + std::string(kLength - 3, ' ') + "!!";
    else if (kind == "word")
        line = std::string(kLength, 'x');
    else if (kind == "braces")
        while (line.size() < kLength)
            line += "{{I 1:[x]}} ";
    else
        while (line.size() < kLength)
            line += "{N Alice}: selling {I 0x1F:[Sword of Dawn]} for forty gold, whisper me ";
    return CEGUI::String(line.substr(0, kLength));
}

void BM_ChatBoxPushPlayerLine(benchmark::State& state, const char* kind, const char* lineBreak)
{
    ScopedRichTextSystem system;
    // Three views and two texts: each push changes its view's text, which is laid out again.
    ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), 3);
    box.setProperty("LineBreak", lineBreak);
    const CEGUI::String lines[] = {PlayerLine(kind), PlayerLine(kind) + "!"};
    int which = 0;
    for (auto _ : state)
    {
        which ^= 1;
        benchmark::DoNotOptimize(box.PushChatText(lines[which]));
    }
}
BENCHMARK_CAPTURE(BM_ChatBoxPushPlayerLine, Ordinary_Character, "ordinary", "Character")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChatBoxPushPlayerLine, Spaces_Character, "spaces", "Character")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChatBoxPushPlayerLine, Ordinary_Word, "ordinary", "Word")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChatBoxPushPlayerLine, Spaces_Word, "spaces", "Word")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChatBoxPushPlayerLine, LongWord_Word, "word", "Word")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChatBoxPushPlayerLine, Braces_Word, "braces", "Word")
    ->Unit(benchmark::kMillisecond);

void BM_ChatBoxMillionPushesMemory(benchmark::State& state)
{
    ScopedRichTextSystem system;
    ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), 200);
    double afterWarmUp = 0.0;
    for (auto _ : state)
    {
        for (int i = 0; i < 1000000; ++i)
        {
            box.PushChatText(kChatLine);
            if (i == 10000)
                afterWarmUp = ResidentMegabytes();
        }
    }
    state.counters["rss_after_1e4_MB"] = afterWarmUp;
    state.counters["rss_at_end_MB"] = ResidentMegabytes();
    state.counters["growth_MB"] = ResidentMegabytes() - afterWarmUp;
}
BENCHMARK(BM_ChatBoxMillionPushesMemory)->Iterations(1)->Unit(benchmark::kSecond);
} // namespace
