#include "demo/HudScene.h"

#include "client/SampleGameClient.h"

#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"

#include <CEGUI/CEGUI.h>

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
    const std::size_t before = client.Calls().size();
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
