// What the module does with a player's text, at sizes where a quadratic cost shows: the chat
// line filter over ordinary text and over braces that open nothing, and a paste of a copy with
// many item links into the chat input followed by its encoding. Each cost should grow as its
// input does: ten times the input, ten times the time.
#include "RichTextSystem.h"

#include "ZuGUIElements/textwidgets/CopiedText.h"
#include "public/MarkupText.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
std::string Repeated(const std::string& unit, std::size_t length)
{
    std::string text;
    text.reserve(length + unit.size());
    while (text.size() < length)
        text += unit;
    text.resize(length);
    return text;
}

void FilterMessage(benchmark::State& state, const std::string& unit)
{
    const std::string message = Repeated(unit, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(KeepMarkupTags(message));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * message.size()));
}

void BM_KeepMarkupTagsOrdinary(benchmark::State& state)
{
    FilterMessage(state, "wts {I 1001:[Iron Sword]} cheap, pst {E 3} ");
}
BENCHMARK(BM_KeepMarkupTagsOrdinary)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Braces that open nothing: no space, hence no tag name, after any of them.
void BM_KeepMarkupTagsUnopenedBraces(benchmark::State& state)
{
    FilterMessage(state, "{a");
}
BENCHMARK(BM_KeepMarkupTagsUnopenedBraces)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

// A copy of `links` item links, each between words, as a chat box's select-all copies it.
ZuGUI::CopiedText CopyWithLinks(std::size_t links)
{
    ZuGUI::CopiedText copy;
    std::vector<CEGUI::utf32> text;
    for (std::size_t i = 0; i < links; ++i)
    {
        for (const char c : std::string("buy "))
            text.push_back(static_cast<CEGUI::utf32>(c));
        copy.links.push_back({static_cast<std::uint32_t>(1000 + i), text.size(), 7});
        for (const char c : std::string("[Sword]"))
            text.push_back(static_cast<CEGUI::utf32>(c));
    }
    copy.text = MarkupText::MakeText<CEGUI::String>(text);
    return copy;
}

void BM_ChatInputPasteLinksAndEncode(benchmark::State& state)
{
    ZuBench::ScopedRichTextSystem system;
    const ZuGUI::CopiedText copy = CopyWithLinks(static_cast<std::size_t>(state.range(0)));
    auto* input = static_cast<ZuGUI::CChatEditBox*>(
        CEGUI::WindowManager::getSingleton().createWindow(ZuBench::kChatInputType, "Input"));
    system.Root().addChild(input);
    input->setMaxTextLength(copy.text.length() + 1);
    std::size_t encoded = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        input->setText("");
        ZuGUI::CopyRichText(copy);
        state.ResumeTiming();
        input->PasteToSelection();
        encoded = input->getEncodedText().length();
    }
    state.counters["links"] = static_cast<double>(copy.links.size());
    state.counters["encoded_chars"] = static_cast<double>(encoded);
    state.counters["links_encoded"] = input->getEncodedLogNum();
}
// 800 links of 11 characters stay below the clipboard's 10,240 bytes.
BENCHMARK(BM_ChatInputPasteLinksAndEncode)->Arg(80)->Arg(800)->Unit(benchmark::kMillisecond);
} // namespace
