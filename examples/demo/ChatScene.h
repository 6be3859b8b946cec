// The chat scene: the sample game's script (demo.lua) pushes its chat feed into the chat box
// over the frames, lists the folder that holds the skin in a striped list and opens the skin
// folder from it, and reads sizes back from the module's script interface. The player's turn is
// scripted too: a line is typed into the chat input, a bag item is Shift-clicked into it (the game
// client links it), and the line is sent with Enter, encoded by the client's script, into the chat
// box. Two more messages arrive; the player drags over them (the selection shows behind their
// text), copies them with Ctrl+C, pastes them into the chat input with Ctrl+V, which links the
// copied item again, and sends them. A stack split is typed past its maximum. The scene reports
// every line pushed, sent and expired, and the selected text.
// Once the copy is sent, the player starts an Arabic reply, still in the chat input at the end.
#pragma once

#include "demo/DemoScene.h"

#include <map>
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
    // Fills the world chat with a long history and shows it scrolled back to an old line.
    void FeedWorldHistory();
    // Has the script list the skin's parent folder, then open the skin folder by the location
    // that its listed entry gave; once the player typed, it reads sizes back.
    void ListSkinParentFolder();
    void OpenSkinFolder();
    void ShowScriptSizes();
    void ReportScriptResult(const std::vector<std::string>& lines);
    // Types a line with an item link into the chat input, and a stack split past its maximum.
    void PlayPlayerTurn();
    void Type(const CEGUI::String& text);
    // Types an Arabic reply into the chat input, left unsent.
    void TypeDraft();
    void Send();
    void PressKey(CEGUI::Key::Scan key);
    // Presses `key`, whose letter is `letter`, with Control held.
    void PressWithControl(CEGUI::Key::Scan key, char letter);
    // Pushes two messages, one with an item link, for the player to copy at the next frame.
    void PushMessagesToCopy();
    // Drags over those two messages, copies them with Ctrl+C, pastes them into the chat input
    // with Ctrl+V and sends them with Enter.
    void CopyMessagesIntoInput();
    // The chat box's selected text, a line feed shown as "\n".
    std::string SelectedText() const;
    // Pushes the chat input's line, as the game's script does when Enter is pressed.
    void OnLineAccepted();
    void PushForgedLine();
    void PushPlayerLine(const std::string& prefix, const std::string& message, const char* report);
    void ReportExpiredLines();
    // How many lines were pushed, replaced in the full ring and expired, and how many show.
    void ShowStatus();

    SampleGameClient* m_client = nullptr;
    // The views that showed a line at the last frame.
    std::map<CEGUI::Window*, std::string> m_shown;
    std::size_t m_firstHostLine = 0;
    int m_pushed = 0;
    int m_expired = 0;
    bool m_sent = false;
    bool m_copyPushed = false;
    bool m_copyPasted = false;
    bool m_sizesShown = false;
};
} // namespace ZuDemo
