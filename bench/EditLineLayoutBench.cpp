// Cost of laying out an edit box's right-to-left line, which the chat input's renderer does at
// each redraw and each click or drag step: a chat line of Arabic, a name and numbers, and a
// pasted line of 10 K and of 100 K code points: the cost per code point stays the same.
#include "RichTextSystem.h"

#include "ZuGUIElements/textwidgets/EditLineLayout.h"

#include <benchmark/benchmark.h>

namespace
{
const char* const kChatLine = "سلام Bram! السعر 35 ذهبية للسيف، و 12 للدرع ";

void BM_EditLineLayout(benchmark::State& state)
{
    ZuBench::ScopedRichTextSystem system;
    const CEGUI::String line(reinterpret_cast<const CEGUI::utf8*>(kChatLine));
    CEGUI::String text;
    while (text.length() < static_cast<std::size_t>(state.range(0)))
        text += line;
    text = text.substr(0, static_cast<std::size_t>(state.range(0)));
    const CEGUI::Font& font = CEGUI::FontManager::getSingleton().get(ZuBench::kFont);
    ZuGUI::EditLineLayout layout;
    for (auto _ : state)
    {
        layout.Layout(text, font);
        benchmark::DoNotOptimize(layout.CaretX(text.length() / 2));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EditLineLayout)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
} // namespace
