// A game client for tests: the recorder of the sample client (client/RecordingClient.h) over a
// client that answers from scripted replies per request name and scripted texts and numbers,
// and owns the trees handed to SendCommand.
#pragma once

#include "ZuGUIElements/host/IZuGUI.h"
#include "client/RecordingClient.h"
#include "public/KeyValues.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ZuTest
{
using HostCall = ZuDemo::ClientCall;

// Answers what a test scripts; every other call has the interface's default.
class ScriptedClient : public ZuGUI::IZuGUI
{
public:
    // Fills `reply` for `request`; false means the client has no answer.
    using ReplyFunction = std::function<bool(KeyValues& request, KeyValues& reply)>;

    ScriptedClient() = default;
    ScriptedClient(const ScriptedClient&) = delete;
    ScriptedClient& operator=(const ScriptedClient&) = delete;
    virtual ~ScriptedClient() = default;

    // Scripted answers. A request without a scripted reply gets false.
    void SetReply(const std::string& requestName, ReplyFunction reply);
    // Answers true with the keys that `fill` sets on the reply.
    void ReplyWith(const std::string& requestName, std::function<void(KeyValues& reply)> fill);

    std::map<std::string, std::string> localizedTexts;
    // Answers of CallScriptRetString by "function:argument", else by function.
    std::map<std::string, std::string> scriptStrings;
    std::map<std::string, int> scriptInts;
    std::map<int, std::string> fontNames;
    float uiTime = 0.0f;
    ZuGUI::HWND mainWindow = nullptr;
    ZuGUI::InterfaceFactoryFunction interfaceFactory = nullptr;
    std::function<bool(ZuGUI::RECT&)> adjustWebRect;

    // Trees handed over by SendCommand, owned by the client.
    const std::vector<KeyValuesPtr>& Commands() const { return m_commands; }
    // Open functions handed over by RegisterScriptModule.
    const std::vector<ZuGUI::ScriptModuleOpenFunction>& ScriptModules() const
    {
        return m_scriptModules;
    }

    void SendCommand(KeyValues* command) override;
    bool Query(KeyValues* request, KeyValues* reply) override;
    void RegisterScriptModule(ZuGUI::ScriptModuleOpenFunction open) override;
    const char* GetLocalizedText(const char* key) override;
    const char* CallScriptRetString(const char* function, int argument) override;
    const char* GetFontName(int purpose) override;
    const float* GetUITime() override { return &uiTime; }
    int CallScriptRetInt(const char* function, int argument) override;
    ZuGUI::InterfaceFactoryFunction GetInterfaceFactory(int) override { return interfaceFactory; }
    ZuGUI::HWND* GetMainWindowHandle() override { return &mainWindow; }
    bool AdjustWebRect(ZuGUI::RECT* rect, int which) override;

private:
    static const char* Lookup(const std::map<std::string, std::string>& texts, const char* key);

    std::map<std::string, ReplyFunction> m_replies;
    std::vector<KeyValuesPtr> m_commands;
    std::vector<ZuGUI::ScriptModuleOpenFunction> m_scriptModules;
};

class RecordingHost : public ZuDemo::RecordingClient<ScriptedClient>
{
public:
    // How many times the script `function` was called with CallScript.
    int CountScriptCalls(const char* function) const;
    // The WatchObject and UnwatchObject lines, in order.
    std::vector<std::string> WatchLines() const;
};

// Sets a host on the module for the lifetime of the guard, and clears it afterwards.
class ScopedHost
{
public:
    explicit ScopedHost(ZuGUI::IZuGUI* host);
    ~ScopedHost();
    ScopedHost(const ScopedHost&) = delete;
    ScopedHost& operator=(const ScopedHost&) = delete;
};

// Quotes a host text for call records; null is shown as null.
std::string Quote(const char* text);

// The call line of a watch operation ("WatchObject" or "UnwatchObject") of `window` for `id`.
std::string WatchLine(const char* operation, const ZuGUI::ZuWindow& window, int id);
} // namespace ZuTest
