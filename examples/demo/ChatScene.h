// The chat scene: the sample game's chat feed arrives over the frames and is pushed into the
// chat box as a script would ("PushChat"). The scene reports every line pushed and every line
// that expired.
#pragma once

#include "client/ChatFeed.h"
#include "demo/DemoScene.h"

#include <set>

namespace ZuDemo
{
class ChatScene : public DemoScene
{
public:
    explicit ChatScene(CEGUI::GUIContext& context);

    // Long enough for the feed to wrap the ring and for three lines to expire after it.
    int Frames() const override { return 60; }
    void BeforeFrame(int frame, float seconds, SampleGameClient& client) override;

private:
    void ReportExpiredLines();
    // How many lines were pushed, replaced in the full ring and expired, and how many show.
    void ShowStatus();

    ChatFeed m_feed = ChatFeed::MakeSample();
    // The views that showed a line at the last frame.
    std::set<CEGUI::Window*> m_shown;
    std::size_t m_firstHostLine = 0;
    int m_pushed = 0;
    int m_expired = 0;
};
} // namespace ZuDemo
