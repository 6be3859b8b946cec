// Cost of selected text. Drawing a view of 50 chat lines with every line selected (one
// rectangle behind each line's selected blocks) is set beside drawing it without a selection.
// A drag over a chat box of 100 messages moves the selection's end between two messages and
// draws the box per iteration; the counter "relayouts" counts the views whose text was laid out
// again meanwhile (their blocks made anew), which a selection must never cause.
#include "RichTextSystem.h"

#include "ZuGUIElements/richtext/RichTextDoc.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
using ZuBench::ScopedRichTextSystem;

const char* const kChatLine =
    "{CN [Trade]} {N Alice}: selling {I 0x1F:[Sword of Dawn]} for 40 gold, whisper me";

void BM_GameMultiLineDraw(benchmark::State& state, bool selected)
{
    ScopedRichTextSystem system;
    auto* view = static_cast<ZuGUI::CGameMultiLine*>(
        CEGUI::WindowManager::getSingleton().createWindow(ZuBench::kViewType, "Chat"));
    system.Root().addChild(view);
    view->setSize(CEGUI::USize(CEGUI::UDim(0, 320), CEGUI::UDim(0, 240)));
    view->setCmdFontName(ZuBench::kFont);
    view->setTextSelectable(true);
    CEGUI::String text;
    for (int i = 0; i < 50; ++i)
        text += CEGUI::String(kChatLine) + "\n";
    view->setText(text);
    if (selected)
        view->GetSelectionGroup().SelectAll();
    for (auto _ : state)
    {
        view->invalidate();
        CEGUI::System::getSingleton().renderAllGUIContexts();
    }
    state.counters["selected_chars"] = static_cast<double>(view->getSelectedText().length());
}
BENCHMARK_CAPTURE(BM_GameMultiLineDraw, NoSelection, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GameMultiLineDraw, AllSelected, true)->Unit(benchmark::kMicrosecond);

// The first block of each shown message's document: a view laid out again has new blocks.
std::vector<const void*> FirstBlocks(ZuGUI::CGameChatBox& box)
{
    std::vector<const void*> blocks;
    for (const ZuGUI::TextSelectionGroup::ShownMessage& shown : box.ShownMessages())
    {
        const auto& doc =
            dynamic_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*shown.view->QueryDoc());
        blocks.push_back(doc.GetLines().front()->GetBlocks().front().get());
    }
    return blocks;
}

// The shown messages whose views lie wholly inside the box.
std::vector<CEGUI::Rectf> VisibleViews(ZuGUI::CGameChatBox& box)
{
    const CEGUI::Rectf inside = box.getUnclippedOuterRect().get();
    std::vector<CEGUI::Rectf> visible;
    for (const ZuGUI::TextSelectionGroup::ShownMessage& shown : box.ShownMessages())
    {
        const CEGUI::Rectf rect = shown.view->getUnclippedOuterRect().get();
        if (inside.top() <= rect.top() && rect.bottom() <= inside.bottom())
            visible.push_back(rect);
    }
    return visible;
}

void BM_ChatBoxDragOverMessages(benchmark::State& state)
{
    ScopedRichTextSystem system;
    auto* box = static_cast<ZuGUI::CGameChatBox*>(
        CEGUI::WindowManager::getSingleton().createWindow(ZuBench::kChatBoxType, "Chat"));
    system.Root().addChild(box);
    box->setSize(CEGUI::USize(CEGUI::UDim(0, 320), CEGUI::UDim(0, 700)));
    box->SetChatCapacity(100);
    box->setTextSelectable(true);
    for (int i = 0; i < 100; ++i)
        box->PushChatText(kChatLine);
    // Drawn once, as a game shows the box before the player drags over it.
    CEGUI::System::getSingleton().renderAllGUIContexts();
    const std::vector<CEGUI::Rectf> visible = VisibleViews(*box);
    const CEGUI::Rectf& first = visible.front();
    const CEGUI::Rectf& last = visible.back();
    const std::vector<const void*> before = FirstBlocks(*box);

    // The box's selection takes the gestures of a drag that its views pass on; each frame of
    // the drag moves the selection's end to another message and draws the box.
    ZuGUI::TextSelectionGroup& selection = box->GetSelection();
    selection.SelectFrom(CEGUI::Vector2f(first.left() + 2, first.top() + 6));
    bool toLast = false;
    for (auto _ : state)
    {
        toLast = !toLast;
        selection.ExtendTo(toLast ? CEGUI::Vector2f(last.left() + 200, last.top() + 6)
                                  : CEGUI::Vector2f(first.left() + 100, first.top() + 30));
        CEGUI::System::getSingleton().renderAllGUIContexts();
    }
    selection.ExtendTo(CEGUI::Vector2f(last.left() + 200, last.top() + 6));

    const std::vector<const void*> after = FirstBlocks(*box);
    int relayouts = 0;
    for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
        relayouts += before[i] != after[i] ? 1 : 0;
    state.counters["messages"] = static_cast<double>(before.size());
    state.counters["dragged_over"] = static_cast<double>(visible.size());
    state.counters["relayouts"] = relayouts;
    state.counters["selected_chars"] = static_cast<double>(box->getSelectedText().length());
}
BENCHMARK(BM_ChatBoxDragOverMessages)->Unit(benchmark::kMicrosecond);
} // namespace
