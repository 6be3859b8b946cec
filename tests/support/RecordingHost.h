// A game client for tests: records every host call with its arguments, in order, answers
// Query from scripted replies per request name, and owns the trees handed to SendCommand.
#pragma once

#include "ZuGUIElements/host/IZuGUI.h"
#include "public/KeyValues.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace ZuTest
{
struct HostCall
{
    std::string operation;
    // The arguments as text: trees described (KeyValues::Describe), strings quoted.
    std::string arguments;
    // The window argument of the window operations, null for the others.
    const ZuGUI::ZuWindow* window = nullptr;

    std::string ToString() const { return operation + "(" + arguments + ")"; }
};

class RecordingHost : public ZuGUI::IZuGUI
{
public:
    // Fills `reply` for `request`; false means the host has no answer.
    using ReplyFunction = std::function<bool(KeyValues& request, KeyValues& reply)>;

    RecordingHost() = default;
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;
    virtual ~RecordingHost() = default;

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
    // Told of every call as it is recorded, to interleave the host's calls with other records.
    std::function<void(const HostCall&)> onCall;

    const std::vector<HostCall>& Calls() const { return m_calls; }
    // The calls as "Operation(arguments)" lines, optionally only those of one operation.
    std::vector<std::string> CallLines(const std::string& operation = "") const;
    // How many times the script `function` was called with CallScript.
    int CountScriptCalls(const char* function) const;
    // The WatchObject and UnwatchObject lines, in order.
    std::vector<std::string> WatchLines() const;
    void ClearCalls() { m_calls.clear(); }
    // Trees handed over by SendCommand, owned by the host.
    const std::vector<KeyValuesPtr>& Commands() const { return m_commands; }
    // Open functions handed over by RegisterScriptModule.
    const std::vector<ZuGUI::ScriptModuleOpenFunction>& ScriptModules() const
    {
        return m_scriptModules;
    }

    void SendCommand(KeyValues* command) override;
    bool Query(KeyValues* request, KeyValues* reply) override;
    void CallScript(const char* function, int argument) override;
    void RegisterWindow(ZuGUI::ZuWindow* window) override;
    void UnregisterWindow(ZuGUI::ZuWindow* window) override;
    void RegisterScriptModule(ZuGUI::ScriptModuleOpenFunction open) override;
    void SubscribeProvider(ZuGUI::ZuWindow* window, const char* provider) override;
    void UnsubscribeProvider(ZuGUI::ZuWindow* window, const char* provider) override;
    void WatchObject(ZuGUI::ZuWindow* window, int objectId) override;
    void UnwatchObject(ZuGUI::ZuWindow* window, int objectId) override;
    const char* GetLocalizedText(const char* key) override;
    const char* CallScriptRetString(const char* function, int argument) override;
    const char* GetFontName(int purpose) override;
    void CallScriptIntStr(const char* function, int argument, const char* text) override;
    void PlayUISound(int x, int y, const char* sound) override;
    void NotifyWindowDestroyed(const char* windowName) override;
    const float* GetUITime() override;
    int CallScriptRetInt(const char* function, int argument) override;
    void ChangeCursor(int cursor, bool enable) override;
    void ReportCmdTextPos(const char* text, const char* window, int tag, int x, int y) override;
    ZuGUI::InterfaceFactoryFunction GetInterfaceFactory(int which) override;
    ZuGUI::HWND* GetMainWindowHandle() override;
    void SetEmbeddedBrowserActive(bool active) override;
    bool AdjustWebRect(ZuGUI::RECT* rect, int which) override;

private:
    void Record(const char* operation, std::string arguments,
                const ZuGUI::ZuWindow* window = nullptr);
    static const char* Lookup(const std::map<std::string, std::string>& texts, const char* key);

    std::vector<HostCall> m_calls;
    std::map<std::string, ReplyFunction> m_replies;
    std::vector<KeyValuesPtr> m_commands;
    std::vector<ZuGUI::ScriptModuleOpenFunction> m_scriptModules;
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
