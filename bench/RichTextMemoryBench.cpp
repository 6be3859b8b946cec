// Memory of rich text: the heap bytes (glibc's count of bytes in use) that a laid-out document
// holds per character of its markup, for a message of line feeds, for ordinary chat text and
// for the worst case, and what a chat box of 50 messages of line feeds holds in all, views and
// CEGUI windows included, before and after a frame draws it.
#include "RichTextBenchView.h"
#include "RichTextSystem.h"

#include "ZuGUIElements/richtext/ParserManager.h"
#include "ZuGUIElements/richtext/document/TextDocument.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <vector>

namespace
{
using ZuBench::BenchCegui;
using ZuBench::BenchView;

constexpr float kLayoutWidth = 200.0f;
constexpr std::size_t kLineFeeds = 10239;
constexpr unsigned kMessages = 50;
constexpr int kDocuments = 32;

// A message of words around a run of line feeds, as a flood in the chat writes it.
CEGUI::String LineFeedMessage()
{
    return "{N Mallory}: up" + CEGUI::String(kLineFeeds, '\n') + "down";
}

CEGUI::String OrdinaryMessage()
{
    CEGUI::String text;
    while (text.length() < kLineFeeds)
        text += "{N Alice}: {T gold:has found something rare in the ruins beneath the old keep} "
                "{I 0x1F:[Sword of the Morning Dawn]} and will trade it for gold, ";
    return text;
}

std::size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

// The heap that a document laid out from `markup` keeps, per character of the markup.
void DocumentBytesPerCharacter(benchmark::State& state, const CEGUI::String& markup,
                               float width = kLayoutWidth)
{
    const BenchCegui cegui;
    BenchView view(cegui.Font(), markup);
    auto& parsers = ZuGUI::TextParser::CSimpleParserManager::Instance();
    // The font makes its glyphs' images the first time that they are asked for.
    ZuGUI::TextParser::FormatDocument(parsers, *ZuGUI::TextParser::MakeDoc(parsers), view, width);
    double bytes = 0.0;
    for (auto _ : state)
    {
        // Several documents: the allocator keeps a few freed blocks of each size aside, which
        // it hands out again without counting them.
        std::vector<ZuGUI::TextParser::DocPtr> docs;
        const std::size_t before = HeapInUse();
        for (int i = 0; i < kDocuments; ++i)
        {
            docs.push_back(ZuGUI::TextParser::MakeDoc(parsers));
            ZuGUI::TextParser::FormatDocument(parsers, *docs.back(), view, width);
            // A second layout, as a resize makes: lines kept for reuse count as well.
            ZuGUI::TextParser::FormatDocument(parsers, *docs.back(), view, width + 0.5f);
        }
        bytes = (static_cast<double>(HeapInUse()) - static_cast<double>(before)) / kDocuments;
    }
    state.counters["doc_bytes"] = bytes;
    state.counters["bytes_per_char"] = bytes / static_cast<double>(markup.length());
}

void BM_DocumentBytesPerCharacterLineFeeds(benchmark::State& state)
{
    DocumentBytesPerCharacter(state, LineFeedMessage());
}
BENCHMARK(BM_DocumentBytesPerCharacterLineFeeds)->Iterations(1);

void BM_DocumentBytesPerCharacterOrdinary(benchmark::State& state)
{
    DocumentBytesPerCharacter(state, OrdinaryMessage());
}
BENCHMARK(BM_DocumentBytesPerCharacterOrdinary)->Iterations(1);

// The ordinary message with its words in Arabic, letter for letter: the document keeps its
// display forms and levels too, and a line holds a block per direction.
CEGUI::String ArabicMessage()
{
    const CEGUI::String line =
        "{N Alice}: {T gold:" +
        ZuBench::InScript("has found something rare in the ruins beneath the old keep", 0x0628,
                          19) +
        "} {I 0x1F:[Sword of the Morning Dawn]} " +
        ZuBench::InScript("and will trade it for 40 gold, ", 0x0628, 19);
    CEGUI::String text;
    while (text.length() < kLineFeeds)
        text += line;
    return text;
}

void BM_DocumentBytesPerCharacterArabic(benchmark::State& state)
{
    DocumentBytesPerCharacter(state, ArabicMessage());
}
BENCHMARK(BM_DocumentBytesPerCharacterArabic)->Iterations(1);

// The worst case: a view one character wide, a line and a block per character.
void BM_DocumentBytesPerCharacterOneCharacterPerLine(benchmark::State& state)
{
    const BenchCegui cegui;
    DocumentBytesPerCharacter(state, CEGUI::String(kLineFeeds, 'x'),
                              cegui.Font().getTextExtent("x") + 1.0f);
}
BENCHMARK(BM_DocumentBytesPerCharacterOneCharacterPerLine)->Iterations(1);

// Documents without a window, one per ordinary 60-character chat line, laid out in one shared
// look: the heap that each holds, its markup included, and the time to make and lay one out.
void BM_TextDocumentPerChatLine(benchmark::State& state)
{
    constexpr int kLines = 1000;
    const BenchCegui cegui;
    // The game client of a view without a window.
    BenchView clientView(cegui.Font(), "");
    ZuGUI::IRichTextClient& client = clientView.GetClient();
    auto look = std::make_shared<ZuGUI::RichText::TextLook>();
    look->font = &cegui.Font();
    look->commandFont = &cegui.Font();
    const CEGUI::String line("{N Alice}: selling {I 0x1F:[Sword of Dawn]} for 40 gold, pst");
    double bytes = 0.0;
    for (auto _ : state)
    {
        std::vector<std::unique_ptr<ZuGUI::RichText::CTextDocument>> documents;
        documents.reserve(kLines);
        const std::size_t before = HeapInUse();
        for (int i = 0; i < kLines; ++i)
        {
            documents.push_back(
                std::make_unique<ZuGUI::RichText::CTextDocument>(line, look, client));
            documents.back()->LayOut(kLayoutWidth);
        }
        bytes = (static_cast<double>(HeapInUse()) - static_cast<double>(before)) / kLines;
    }
    state.counters["bytes_per_document"] = bytes;
    state.counters["markup_chars"] = static_cast<double>(line.length());
}
BENCHMARK(BM_TextDocumentPerChatLine)->Unit(benchmark::kMillisecond);

// 50 messages of line feeds pushed into a chat box: the heap that the box holds afterwards,
// of which the markup itself (four bytes a character in each view's window text) is a part;
// with `drawn`, after a frame has drawn the box too.
void ChatBoxLineFeedMessagesMemory(benchmark::State& state, bool drawn)
{
    ZuBench::ScopedRichTextSystem system;
    const CEGUI::String message = LineFeedMessage();
    double megabytes = 0.0;
    for (auto _ : state)
    {
        const std::size_t before = HeapInUse();
        CEGUI::Window* pane =
            CEGUI::WindowManager::getSingleton().createWindow(ZuBench::kChatBoxType, "Flood");
        pane->setSize(CEGUI::USize(CEGUI::UDim(0, 335), CEGUI::UDim(0, 240)));
        system.Root().addChild(pane);
        auto& box = static_cast<ZuGUI::CGameChatBox&>(*pane);
        box.SetChatCapacity(kMessages);
        for (unsigned i = 0; i < kMessages; ++i)
            box.PushChatText(message);
        if (drawn)
            system.RenderFrame();
        megabytes = static_cast<double>(HeapInUse() - before) / 1.0e6;
        CEGUI::WindowManager::getSingleton().destroyWindow(pane);
        CEGUI::WindowManager::getSingleton().cleanDeadPool();
    }
    state.counters["heap_MB"] = megabytes;
    state.counters["markup_MB"] =
        static_cast<double>(message.length() * sizeof(CEGUI::utf32) * kMessages) / 1.0e6;
}

void BM_ChatBoxLineFeedMessagesMemory(benchmark::State& state)
{
    ChatBoxLineFeedMessagesMemory(state, false);
}
BENCHMARK(BM_ChatBoxLineFeedMessagesMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ChatBoxLineFeedMessagesMemoryDrawn(benchmark::State& state)
{
    ChatBoxLineFeedMessagesMemory(state, true);
}
BENCHMARK(BM_ChatBoxLineFeedMessagesMemoryDrawn)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace
