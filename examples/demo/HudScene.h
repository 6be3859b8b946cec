// The HUD scene: the game widgets bound to the sample game, a cast bar that keeps casting, and
// rich text views. After the first frame, when every widget has resolved its object, it plays
// scripted clicks and shows what they sent the game client.
#pragma once

#include "demo/DemoScene.h"

namespace ZuDemo
{
class HudScene : public DemoScene
{
public:
    explicit HudScene(CEGUI::GUIContext& context);

    int Frames() const override { return 10; }
    void BeforeFrame(int frame, float seconds, SampleGameClient& client) override;

private:
    // Clicks the bag's first, second and fourth slots with the left, right and middle buttons
    // and the equipped sword; clicks a name, an item link and an emote in the chat; scrolls
    // the chat log to its end with the wheel; and leaves the pointer over a command text,
    // which is then drawn highlighted.
    void PlayScriptedClicks();
    void KeepCasting();
};
} // namespace ZuDemo
