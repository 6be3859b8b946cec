// The sample game client: the module's host over the in-memory game model. The game
// (SampleGame) answers queries through a table of request handlers and the "item_color" script
// function from the model, owns the commands it is sent, keeps the windows, provider
// subscriptions and watches the module registers; a pressed web link opens in the first open
// web window when the module trusts its target, and is refused with the game's message
// otherwise. The client (SampleGameClient) is the game under the recorder that the tests use
// too (client/RecordingClient.h), so that a run of the demo shows what the host received.
#pragma once

#include "ZuGUIElements/host/IZuGUI.h"
#include "client/GameModel.h"
#include "client/ModelRequests.h"
#include "client/RecordingClient.h"

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace CEGUI
{
class Window;
}

namespace ZuDemo
{
class SampleScripts;

class SampleGame : public ZuGUI::IZuGUI
{
public:
    explicit SampleGame(GameModel model = GameModel::MakeSample());
    SampleGame(const SampleGame&) = delete;
    SampleGame& operator=(const SampleGame&) = delete;
    virtual ~SampleGame() = default;

    const GameModel& Model() const { return m_model; }
    // Adds or replaces the handler of one request name.
    void SetRequestHandler(const std::string& requestName, RequestHandler handler);

    // Moves the UI clock on; the demo calls it once per frame with the frame's time.
    void AdvanceUITime(float seconds) { m_uiTime += seconds; }

    // The chat input that a bag item clicked with Shift is linked into ("PushId", then
    // "PushText" with the item's name, as the game's script does); null for none.
    void SetChatLinkTarget(CEGUI::Window* chatInput) { m_chatInput = chatInput; }
    // The client's UI scripts (null for none): the module's binding is opened on their state
    // whenever the module hands it over, before or after.
    void SetScripts(SampleScripts* scripts);
    SampleScripts* Scripts() const { return m_scripts; }
    // Whether Shift is held; by default the GUI's state of the key.
    void SetShiftHeld(std::function<bool()> shiftHeld) { m_shiftHeld = std::move(shiftHeld); }

    // Forgets the command trees received so far.
    void ClearCommandLog() { m_commandLog.clear(); }
    // Every command tree received, described, in order.
    const std::vector<std::string>& CommandLog() const { return m_commandLog; }

    const std::set<ZuGUI::ZuWindow*>& Windows() const { return m_windows; }
    const std::set<std::pair<ZuGUI::ZuWindow*, std::string>>& Subscriptions() const
    {
        return m_subscriptions;
    }
    const std::set<std::pair<ZuGUI::ZuWindow*, int>>& Watches() const { return m_watches; }
    // The open function of the module's script binding, null until the module hands it over.
    ZuGUI::ScriptModuleOpenFunction ScriptModuleOpen() const { return m_scriptModuleOpen; }

    void SendCommand(KeyValues* command) override;
    bool Query(KeyValues* request, KeyValues* reply) override;
    void RegisterWindow(ZuGUI::ZuWindow* window) override;
    void UnregisterWindow(ZuGUI::ZuWindow* window) override;
    void RegisterScriptModule(ZuGUI::ScriptModuleOpenFunction open) override;
    void SubscribeProvider(ZuGUI::ZuWindow* window, const char* provider) override;
    void UnsubscribeProvider(ZuGUI::ZuWindow* window, const char* provider) override;
    void WatchObject(ZuGUI::ZuWindow* window, int objectId) override;
    void UnwatchObject(ZuGUI::ZuWindow* window, int objectId) override;
    const char* GetLocalizedText(const char* key) override;
    const char* CallScriptRetString(const char* function, int argument) override;
    const float* GetUITime() override;
    int CallScriptRetInt(const char* function, int argument) override;
    ZuGUI::InterfaceFactoryFunction GetInterfaceFactory(int which) override;
    ZuGUI::HWND* GetMainWindowHandle() override;
    bool AdjustWebRect(ZuGUI::RECT* rect, int which) override;

protected:
    // What the game did on its own (a link followed or refused, an item linked), for its log.
    virtual void Note(const char* operation, std::string arguments) = 0;

private:
    bool Answer(KeyValues& request, KeyValues& reply);
    // A click on a bag slot with Shift held links the slot's item into the chat input.
    void LinkClickedItem(KeyValues& click);
    // A trusted web link opens in the first open web window (by name); an untrusted one, or a
    // click without the module's verdict, gets the game's refusal message.
    void FollowWebLink(KeyValues& click);
    // The chat markup of an item link, as the game's "gFn_make_chat_item_text" makes it.
    std::string ChatItemText(int cellId) const;
    GameModel m_model;
    RequestHandlers m_handlers;
    std::vector<std::string> m_commandLog;
    std::set<ZuGUI::ZuWindow*> m_windows;
    std::set<std::pair<ZuGUI::ZuWindow*, std::string>> m_subscriptions;
    std::set<std::pair<ZuGUI::ZuWindow*, int>> m_watches;
    ZuGUI::ScriptModuleOpenFunction m_scriptModuleOpen = nullptr;
    float m_uiTime = 0.0f;
    CEGUI::Window* m_chatInput = nullptr;
    SampleScripts* m_scripts = nullptr;
    std::function<bool()> m_shiftHeld;
    // Texts returned to the module stay valid until the next call that returns one.
    std::string m_returnedText;
    ZuGUI::HWND m_mainWindow = nullptr;
};
class SampleGameClient : public RecordingClient<SampleGame>
{
public:
    explicit SampleGameClient(GameModel model = GameModel::MakeSample());

    // One line per call received and per thing the game did, in order:
    // "Operation(arguments)", with " -> answer" where the record has one.
    std::vector<std::string> Log() const;
    // Forgets the calls and the command trees received so far: a long session clears them
    // now and then, as both grow with every call.
    void ClearLog()
    {
        ClearCalls();
        ClearCommandLog();
    }

protected:
    void Note(const char* operation, std::string arguments) override
    {
        RecordingClient::Note(operation, std::move(arguments));
    }
};
} // namespace ZuDemo
