// Cost of a chat message. A push into a full chat box reuses the oldest view, lays one chat line
// out and moves every view up. It is set beside its floor: re-positioning the same number of
// stock windows in a stock scrollable pane (an arrangement that moves every view) plus the
// parse and layout of the same line in one view. A stock pane measures all its children and
// sizes its scroll bars again at every move of one of them; the chat box has it do that once
// per arrangement, and the batched floor does the same. A hostile message is pushed on its own.
// The last benchmark pushes a million messages into one box and reports the resident memory
// after the first ten thousand and at the end.
#include "RichTextSystem.h"

#include <CEGUI/widgets/ScrollablePane.h>
#include <CEGUI/widgets/ScrolledContainer.h>

#include <benchmark/benchmark.h>

#include <fstream>
#include <unistd.h>

namespace
{
using ZuBench::ScopedRichTextSystem;

// A one-line chat message with a name and an item link.
const char* const kChatLine =
    "{CN [Trade]} {N Alice}: selling {I 0x1F:[Sword of Dawn]} for 40 gold";

// The box's views are this wide: the pane's width less its scroll bar and the 15 pixels that
// the box keeps free.
constexpr float kBoxWidth = 320.0f;
constexpr float kBoxHeight = 240.0f;

CEGUI::Window& MakePane(CEGUI::Window& root, const CEGUI::String& type)
{
    CEGUI::Window* pane = CEGUI::WindowManager::getSingleton().createWindow(type, "Chat");
    pane->setSize(CEGUI::USize(CEGUI::UDim(0, kBoxWidth), CEGUI::UDim(0, kBoxHeight)));
    root.addChild(pane);
    return *pane;
}

ZuGUI::CGameChatBox& FullChatBox(CEGUI::Window& root, unsigned capacity)
{
    auto& box = static_cast<ZuGUI::CGameChatBox&>(MakePane(root, ZuBench::kChatBoxType));
    box.SetChatCapacity(capacity);
    for (unsigned i = 0; i < capacity; ++i)
        box.PushChatText(kChatLine);
    return box;
}

double ResidentMegabytes()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1.0e6;
}

void BM_ChatBoxPushIntoFullBox(benchmark::State& state)
{
    ScopedRichTextSystem system;
    ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), static_cast<unsigned>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(box.PushChatText(kChatLine));
    state.counters["views"] = static_cast<double>(box.GetCurChatSize());
}
BENCHMARK(BM_ChatBoxPushIntoFullBox)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);

// The floor of an arrangement: every window of a stock pane moves by one line, as every view
// of a full box does when its oldest view becomes its newest. The views are multi-line edit
// boxes with their scroll bars: the stock edit box is the floor, plain windows the window count.
// With `batched`, the pane measures once per arrangement, as the chat box makes it do.
void StockPaneRepositionAll(benchmark::State& state, const char* windowType, bool batched)
{
    ScopedRichTextSystem system;
    CEGUI::Window& pane = MakePane(system.Root(), "TaharezLook/ScrollablePane");
    const int count = static_cast<int>(state.range(0));
    std::vector<CEGUI::Window*> windows;
    for (int i = 0; i < count; ++i)
    {
        CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(
            windowType, "Line" + CEGUI::PropertyHelper<int>::toString(i));
        window->setWidth(CEGUI::UDim(1.0f, -15.0f));
        window->setHeight(CEGUI::UDim(0.0f, 20.0f));
        pane.addChild(window);
        windows.push_back(window);
    }
    auto& content = const_cast<CEGUI::ScrolledContainer&>(
        *static_cast<CEGUI::ScrollablePane&>(pane).getContentPane());
    int first = 0;
    for (auto _ : state)
    {
        first = (first + 1) % count;
        content.setMutedState(batched);
        content.setContentPaneAutoSized(!batched);
        for (int i = 0; i < count; ++i)
            windows[(first + i) % count]->setYPosition(CEGUI::UDim(0.0f, 15.0f * i));
        content.setMutedState(false);
        content.setContentPaneAutoSized(true);
    }
}

void BM_StockPaneRepositionAllEditBoxes(benchmark::State& state)
{
    StockPaneRepositionAll(state, "TaharezLook/MultiLineEditbox", false);
}
BENCHMARK(BM_StockPaneRepositionAllEditBoxes)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);

void BM_StockPaneRepositionAllEditBoxesBatched(benchmark::State& state)
{
    StockPaneRepositionAll(state, "TaharezLook/MultiLineEditbox", true);
}
BENCHMARK(BM_StockPaneRepositionAllEditBoxesBatched)
    ->Arg(100)
    ->Arg(500)
    ->Unit(benchmark::kMicrosecond);

void BM_StockPaneRepositionAllPlainWindows(benchmark::State& state)
{
    StockPaneRepositionAll(state, "DefaultWindow", false);
}
BENCHMARK(BM_StockPaneRepositionAllPlainWindows)->Arg(100)->Arg(500)->Unit(benchmark::kMicrosecond);

// The other part of the floor: the message's own parse and layout in a view of the box's views'
// width (the text changes every time, so that the view lays it out again).
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

// A hostile 10 KB message, a word and a run of spaces before punctuation, into a box that breaks
// lines between words (the view lays it out at its width, and again at its height).
void BM_ChatBoxPushSpaceRunMessage(benchmark::State& state)
{
    ScopedRichTextSystem system;
    ZuGUI::CGameChatBox& box = FullChatBox(system.Root(), 10);
    box.setLineBreak(ZuGUI::TextParser::LineBreakMode::Word);
    const CEGUI::String message = "a" + CEGUI::String(10 * 1024 - 3, ' ') + "!!";
    for (auto _ : state)
        benchmark::DoNotOptimize(box.PushChatText(message));
}
BENCHMARK(BM_ChatBoxPushSpaceRunMessage)->Unit(benchmark::kMicrosecond);

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
