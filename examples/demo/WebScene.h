// The web scene: a web window in a movable frame points the sample web control at a trusted
// page, the frame is moved and the page follows it, and a navigation to an address whose
// real host is not trusted is refused with the game's message box (printed here). The
// address check's verdicts on a few addresses are listed beside it. Below, a rich text view
// holds a trusted and an untrusted web link: both are pressed (the sample client opens the
// first in the web window and refuses the second with the game's message), and the pointer
// then rests on the trusted one, whose tool tip shows its real target.
#pragma once

#include "demo/DemoScene.h"

#include <cstddef>
#include <string>
#include <vector>

namespace ZuDemo
{
class WebScene : public DemoScene
{
public:
    explicit WebScene(CEGUI::GUIContext& context);
    ~WebScene() override;

    int Frames() const override { return 20; }
    void BeforeFrame(int frame, float seconds, SampleGameClient& client) override;

private:
    void ListVerdicts();
    void Navigate(const char* address);
    void MoveBrowser();
    void PressWebLinks();
    // Reports what the control and the message boxes were told since the last frame.
    void ShowControlJournal();
    void ShowWebHostCalls(const SampleGameClient& client);
    // Whether the page lies exactly over the web window's inner area.
    void ReportPagePlace();

    // The scene's page is the run's only web control: its journal is shown from the start.
    std::size_t m_journalShown = 0;
    std::vector<std::string> m_statusLines;
};
} // namespace ZuDemo
