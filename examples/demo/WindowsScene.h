// The windows scene: a push button is clicked (the client is asked for its sound), a decorated
// window is dragged by injected pointer moves, a thinking frame window counts its "Think"
// events, and the pointer then rests on the bag's sword, whose rich tool tip and the compare
// tip of the equipped sword show by the screenshot.
#pragma once

#include "demo/DemoScene.h"

namespace ZuDemo
{
class WindowsScene : public DemoScene
{
public:
    explicit WindowsScene(CEGUI::GUIContext& context);
    ~WindowsScene() override;

    // Long enough for the tool tip to appear and fade in.
    int Frames() const override { return 25; }
    void BeforeFrame(int frame, float seconds, SampleGameClient& client) override;

private:
    void DragMapNote();
    void CountThoughts();
    void RestOnSword();

    int m_thoughts = 0;
};
} // namespace ZuDemo
