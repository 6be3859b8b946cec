// The chat scene: the sample game's script (demo.lua) pushes its chat feed into the chat box
// over the frames, lists the folder that holds the skin in a striped list and opens the skin
// folder from it, and reads sizes back from the module's script interface. The player's turn is
// scripted too: a line is typed into the chat input, a bag item is Shift-clicked into it (the game
// client links it), and the line is sent with Enter, encoded by the client's script, into the chat
// box. A stack split is typed past its maximum. The scene reports every line pushed, sent and
// expired.
#pragma once

#include "demo/DemoScene.h"

#include <set>
#include <string>
#include <vector>

namespace ZuDemo
{
class ChatScene : public DemoScene
{
public:
    explicit ChatScene(CEGUI::GUIContext& context);
    ~ChatScene() override;

    // Long enough for the feed to wrap the ring and for three lines to expire after it.
    int Frames() const override { return 60; }
    void BeforeFrame(int frame, float seconds, SampleGameClient& client) override;

private:
    void PushArrivedLines(float seconds);
    // Has the script list the skin's parent folder, then open the skin folder by the location
    // that its listed entry gave; once the player typed, it reads sizes back.
    void ListSkinParentFolder();
    void OpenSkinFolder();
    void ShowScriptSizes();
    void ReportScriptResult(const std::vector<std::string>& lines);
    // Types a line with an item link into the chat input, and a stack split past its maximum.
    void PlayPlayerTurn();
    void Type(const CEGUI::String& text);
    void Send();
    // Pushes the chat input's line, as the game's script does when Enter is pressed.
    void OnLineAccepted();
    void PushForgedLine();
    void PushPlayerLine(const std::string& prefix, const std::string& message, const char* report);
    void ReportExpiredLines();
    // How many lines were pushed, replaced in the full ring and expired, and how many show.
    void ShowStatus();

    SampleGameClient* m_client = nullptr;
    // The views that showed a line at the last frame.
    std::set<CEGUI::Window*> m_shown;
    std::size_t m_firstHostLine = 0;
    int m_pushed = 0;
    int m_expired = 0;
    bool m_sent = false;
    bool m_sizesShown = false;
};
} // namespace ZuDemo
