#include "demo/HudScene.h"

#include "client/SampleGameClient.h"

#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"

#include <CEGUI/CEGUI.h>

#include <stdexcept>

namespace ZuDemo
{
namespace
{
const char* const kCastBar = "GameFrame/SkillsPanel/CastBar";
const char* const kBag = "GameFrame/BagPanel/";
const char* const kChat = "GameFrame/RichTextPanel/ChatView";
const char* const kChatLog = "GameFrame/RichTextPanel/ChatLogView";
} // namespace

HudScene::HudScene(CEGUI::GUIContext& context) : DemoScene(context, "hud", "DemoHud.layout")
{
    KeepCasting();
}

void HudScene::BeforeFrame(int frame, float, SampleGameClient& client)
{
    if (frame != 2)
        return;
    const std::size_t before = client.Log().size();
    PlayScriptedClicks();
    ShowHostLogSince(before, client);
}

// A finished cast starts the next one, so that a long-running demo keeps the bar moving.
void HudScene::KeepCasting()
{
    Child(kCastBar).subscribeEvent(
        "AdvancedToOne",
        CEGUI::Event::Subscriber(
            [](const CEGUI::EventArgs& args)
            {
                static_cast<const CEGUI::WindowEventArgs&>(args).window->setProperty("CurValue",
                                                                                     "0");
                return true;
            }));
}

ZuGUI::CGameMultiLine& HudScene::View(const CEGUI::String& path) const
{
    auto* view = dynamic_cast<ZuGUI::CGameMultiLine*>(&Child(path));
    if (!view)
        throw std::logic_error("DemoHud.layout: " + std::string(path.c_str()) +
                               " is not a rich text view");
    return *view;
}

CEGUI::Vector2f HudScene::PointOnBlock(const ZuGUI::CGameMultiLine& view,
                                       const BlockTest& test) const
{
    const auto& doc = dynamic_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*view.QueryDoc());
    for (const auto& line : doc.GetLines())
    {
        for (const auto& block : line->GetBlocks())
        {
            if (!test(*block))
                continue;
            const CEGUI::Rectf area = block->GetArea();
            return view.DocumentToScreen(area.d_min + CEGUI::Vector2f(4.0f, area.getHeight() / 2));
        }
    }
    throw std::logic_error("DemoHud.layout: no such text in " +
                           std::string(view.getName().c_str()));
}

CEGUI::Vector2f HudScene::PointOnCommand(const CEGUI::String& viewPath,
                                         const CEGUI::String& text) const
{
    const ZuGUI::CGameMultiLine& view = View(viewPath);
    return PointOnBlock(view,
                        [&](const ZuGUI::ITextBlock& block)
                        {
                            return dynamic_cast<const ZuGUI::TextBlocks::CCmdText*>(&block) &&
                                   block.GetText(view) == text;
                        });
}

void HudScene::PlayScriptedClicks()
{
    FreePointer();
    Click(CEGUI::String(kBag) + "Slot0", CEGUI::LeftButton);
    Click(CEGUI::String(kBag) + "Slot1", CEGUI::RightButton);
    Click(CEGUI::String(kBag) + "Slot3", CEGUI::MiddleButton);
    Click(CEGUI::String(kBag) + "Equip0", CEGUI::LeftButton);

    ClickAt(PointOnCommand(kChat, "Alice"), CEGUI::LeftButton);
    ClickAt(PointOnCommand(kChat, "[Iron Sword]"), CEGUI::RightButton);
    ClickAt(PointOnBlock(View(kChat), [](const ZuGUI::ITextBlock& block)
                         { return dynamic_cast<const ZuGUI::TextBlocks::CEmoteBlock*>(&block); }),
            CEGUI::LeftButton);

    const CEGUI::Rectf chatLog = View(kChatLog).getUnclippedOuterRect().get();
    Context().injectMousePosition(chatLog.d_min.d_x + 20, chatLog.d_min.d_y + 20);
    Context().injectMouseWheelChange(-10);

    const CEGUI::Vector2f hovered = PointOnCommand(kChat, "join the hunt");
    Context().injectMousePosition(hovered.d_x, hovered.d_y);
}
} // namespace ZuDemo
