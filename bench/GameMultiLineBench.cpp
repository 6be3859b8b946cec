// Cost of laying a rich text view out again when its width changes: a view of the sample skin
// holding 50 chat-like lines (names, coloured stretches, item links, plain text) is resized by
// one pixel per iteration, which lays the whole parsed text out again (broken by characters,
// and between words; nothing is parsed again) and sizes the scroll bars, as a chat window
// being dragged wider does. Side by side with one text extent pass over each of its lines' visible
// text, which bounds what any layout of that text costs.
#include "RichTextSystem.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
using ZuBench::kFont;
constexpr int kChatLines = 50;

// Chat lines as a game writes them: a channel, a speaker, coloured text, item links.
CEGUI::String ChatText()
{
    const char* const lines[] = {
        "{CN [Trade]} {N Alice}: selling {I 0x1F:[Sword of the Morning Dawn]} for 40 gold, "
        "whisper me",
        "{N Bram}: {T gold:anyone up for the ruins beneath the old keep? we need a healer}",
        "{T grey:You receive loot:} {I 1002:[Minor Healing Potion]} x5",
        "{CN [Guild]} {N Cira}: raid starts at nine, bring {I 1003:[Wolf Pelt]} for the "
        "quartermaster and do not be late this time",
        "{Npc npc_7:Old Tom} says: the wolves have grown bold since the last frost",
    };
    CEGUI::String text;
    for (int i = 0; i < kChatLines; ++i)
        text += CEGUI::String(lines[i % 5]) + "\n";
    return text;
}

void BM_GameMultiLineRelayoutOnWidthChange(benchmark::State& state,
                                           ZuGUI::TextParser::LineBreakMode mode)
{
    ZuBench::ScopedRichTextSystem system;
    auto* view = static_cast<ZuGUI::CGameMultiLine*>(
        CEGUI::WindowManager::getSingleton().createWindow(ZuBench::kViewType, "Chat"));
    system.Root().addChild(view);
    view->setSize(CEGUI::USize(CEGUI::UDim(0, 320), CEGUI::UDim(0, 240)));
    view->setCmdFontName(kFont);
    view->setLineBreak(mode);
    view->setText(ChatText());

    float width = 320.0f;
    for (auto _ : state)
    {
        width = width == 320.0f ? 321.0f : 320.0f;
        view->setWidth(CEGUI::UDim(0, width));
        benchmark::DoNotOptimize(view->getDocHeight());
    }
    state.counters["lines"] = view->QueryDoc()->GetHeight() / view->getFont()->getLineSpacing();
    state.counters["markup_chars"] = static_cast<double>(view->getText().length());
}
BENCHMARK_CAPTURE(BM_GameMultiLineRelayoutOnWidthChange, Character,
                  ZuGUI::TextParser::LineBreakMode::Character)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GameMultiLineRelayoutOnWidthChange, Word,
                  ZuGUI::TextParser::LineBreakMode::Word)
    ->Unit(benchmark::kMicrosecond);

// The visible text of the chat lines, one string per line, as the view's document reads it back.
std::vector<CEGUI::String> VisibleLines(ZuBench::ScopedRichTextSystem& system)
{
    auto* view = static_cast<ZuGUI::CGameMultiLine*>(
        CEGUI::WindowManager::getSingleton().createWindow(ZuBench::kViewType, "Lines"));
    system.Root().addChild(view);
    view->setSize(CEGUI::USize(CEGUI::UDim(0, 100000), CEGUI::UDim(0, 240)));
    view->setText(ChatText());
    const CEGUI::String text = view->QueryDoc()->GetText(*view);
    std::vector<CEGUI::String> lines;
    for (CEGUI::String::size_type first = 0; first < text.length();)
    {
        const CEGUI::String::size_type lineFeed = text.find('\n', first);
        const CEGUI::String::size_type end =
            lineFeed == CEGUI::String::npos ? text.length() : lineFeed;
        lines.push_back(text.substr(first, end - first));
        first = end + 1;
    }
    CEGUI::WindowManager::getSingleton().destroyWindow(view);
    return lines;
}

void BM_GameMultiLineTextExtent(benchmark::State& state)
{
    ZuBench::ScopedRichTextSystem system;
    const std::vector<CEGUI::String> lines = VisibleLines(system);
    const CEGUI::Font& font = CEGUI::FontManager::getSingleton().get(kFont);
    CEGUI::String::size_type chars = 0;
    for (const CEGUI::String& line : lines)
        chars += line.length();
    for (auto _ : state)
    {
        for (const CEGUI::String& line : lines)
            benchmark::DoNotOptimize(font.getTextExtent(line));
    }
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["chars"] = static_cast<double>(chars);
}
BENCHMARK(BM_GameMultiLineTextExtent)->Unit(benchmark::kMicrosecond);
} // namespace
