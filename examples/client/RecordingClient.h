// A game client that writes down every call the module makes of it, then answers as the client
// `Served` it is made over does: the sample game's call log and the tests' recording host are
// this one recorder over different clients. A call is recorded as its operation and its
// arguments as text ("CallScript" with "\"item_color\", 42"); a query, and the web rectangle
// a client adjusts, also with what the client answered.
#pragma once

#include "ZuGUIElements/host/IZuGUI.h"
#include "public/KeyValues.h"

#include <functional>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ZuDemo
{
struct ClientCall
{
    std::string operation;
    std::string arguments;
    // What the client answered, where the record keeps it (queries, web rectangles).
    std::string answer;
    // The window argument of the window operations, null for the others.
    const ZuGUI::ZuWindow* window = nullptr;

    // "Operation(arguments)".
    std::string ToString() const { return operation + "(" + arguments + ")"; }
    // The same, and " -> answer" where there is one.
    std::string ToLogLine() const
    {
        return answer.empty() ? ToString() : ToString() + " -> " + answer;
    }
};

namespace CallText
{
// A text argument in quotes; null as null.
inline std::string Quote(const char* text)
{
    return text ? "\"" + std::string(text) + "\"" : "null";
}

inline std::string Join(std::initializer_list<std::string> parts)
{
    std::string joined;
    for (const std::string& part : parts)
        joined += (joined.empty() ? "" : ", ") + part;
    return joined;
}

inline std::string Window(const ZuGUI::ZuWindow* window)
{
    std::ostringstream text;
    text << "window@" << static_cast<const void*>(window);
    return text.str();
}

inline std::string Tree(const KeyValues* tree)
{
    return tree ? tree->Describe() : "null";
}

inline std::string Rect(const ZuGUI::RECT* rect)
{
    return rect ? std::to_string(rect->left) + " " + std::to_string(rect->top) + " " +
                      std::to_string(rect->right) + " " + std::to_string(rect->bottom)
                : "null";
}
} // namespace CallText

template <class Served>
class RecordingClient : public Served
{
public:
    using Served::Served;

    // Told of every call as it is recorded, to interleave the client's calls with other records.
    std::function<void(const ClientCall&)> onCall;
    // Whether the clock, which timed widgets ask for at every frame, is recorded too.
    bool recordsClock = true;

    const std::vector<ClientCall>& Calls() const { return m_calls; }
    // The calls as "Operation(arguments)", optionally only those of one operation.
    std::vector<std::string> CallLines(const std::string& operation = "") const
    {
        std::vector<std::string> lines;
        for (const ClientCall& call : m_calls)
        {
            if (operation.empty() || call.operation == operation)
                lines.push_back(call.ToString());
        }
        return lines;
    }
    void ClearCalls() { m_calls.clear(); }
    // Adds a record of the client's own (a link it followed, an item it linked).
    void Note(const char* operation, std::string arguments)
    {
        Record(operation, std::move(arguments));
    }

    void SendCommand(KeyValues* command) override
    {
        Record("SendCommand", CallText::Tree(command));
        Served::SendCommand(command);
    }
    bool Query(KeyValues* request, KeyValues* reply) override
    {
        Record("Query", CallText::Tree(request));
        const std::size_t index = m_calls.size() - 1;
        const bool answered = Served::Query(request, reply);
        // The client may have recorded more meanwhile: the query's record is found again.
        m_calls[index].answer = answered && reply ? reply->Describe() : "no answer";
        return answered;
    }
    void CallScript(const char* function, int argument) override
    {
        Record("CallScript", CallText::Join({CallText::Quote(function), std::to_string(argument)}));
        Served::CallScript(function, argument);
    }
    void RegisterWindow(ZuGUI::ZuWindow* window) override
    {
        Record("RegisterWindow", CallText::Window(window), window);
        Served::RegisterWindow(window);
    }
    void UnregisterWindow(ZuGUI::ZuWindow* window) override
    {
        Record("UnregisterWindow", CallText::Window(window), window);
        Served::UnregisterWindow(window);
    }
    void RegisterScriptModule(ZuGUI::ScriptModuleOpenFunction open) override
    {
        Record("RegisterScriptModule", open ? "open" : "null");
        Served::RegisterScriptModule(open);
    }
    void SubscribeProvider(ZuGUI::ZuWindow* window, const char* provider) override
    {
        Record("SubscribeProvider",
               CallText::Join({CallText::Window(window), CallText::Quote(provider)}), window);
        Served::SubscribeProvider(window, provider);
    }
    void UnsubscribeProvider(ZuGUI::ZuWindow* window, const char* provider) override
    {
        Record("UnsubscribeProvider",
               CallText::Join({CallText::Window(window), CallText::Quote(provider)}), window);
        Served::UnsubscribeProvider(window, provider);
    }
    void WatchObject(ZuGUI::ZuWindow* window, int objectId) override
    {
        Record("WatchObject", CallText::Join({CallText::Window(window), std::to_string(objectId)}),
               window);
        Served::WatchObject(window, objectId);
    }
    void UnwatchObject(ZuGUI::ZuWindow* window, int objectId) override
    {
        Record("UnwatchObject",
               CallText::Join({CallText::Window(window), std::to_string(objectId)}), window);
        Served::UnwatchObject(window, objectId);
    }
    const char* GetLocalizedText(const char* key) override
    {
        Record("GetLocalizedText", CallText::Quote(key));
        return Served::GetLocalizedText(key);
    }
    const char* CallScriptRetString(const char* function, int argument) override
    {
        Record("CallScriptRetString",
               CallText::Join({CallText::Quote(function), std::to_string(argument)}));
        return Served::CallScriptRetString(function, argument);
    }
    const char* GetFontName(int purpose) override
    {
        Record("GetFontName", std::to_string(purpose));
        return Served::GetFontName(purpose);
    }
    void CallScriptIntStr(const char* function, int argument, const char* text) override
    {
        Record("CallScriptIntStr",
               CallText::Join(
                   {CallText::Quote(function), std::to_string(argument), CallText::Quote(text)}));
        Served::CallScriptIntStr(function, argument, text);
    }
    void PlayUISound(int x, int y, const char* sound) override
    {
        Record("PlayUISound",
               CallText::Join({std::to_string(x), std::to_string(y), CallText::Quote(sound)}));
        Served::PlayUISound(x, y, sound);
    }
    void NotifyWindowDestroyed(const char* windowName) override
    {
        Record("NotifyWindowDestroyed", CallText::Quote(windowName));
        Served::NotifyWindowDestroyed(windowName);
    }
    const float* GetUITime() override
    {
        if (recordsClock)
            Record("GetUITime", "");
        return Served::GetUITime();
    }
    int CallScriptRetInt(const char* function, int argument) override
    {
        Record("CallScriptRetInt",
               CallText::Join({CallText::Quote(function), std::to_string(argument)}));
        return Served::CallScriptRetInt(function, argument);
    }
    void ChangeCursor(int cursor, bool enable) override
    {
        Record("ChangeCursor", CallText::Join({std::to_string(cursor), enable ? "true" : "false"}));
        Served::ChangeCursor(cursor, enable);
    }
    void ReportCmdTextPos(const char* text, const char* window, int tag, int x, int y) override
    {
        Record("ReportCmdTextPos",
               CallText::Join({CallText::Quote(text), CallText::Quote(window), std::to_string(tag),
                               std::to_string(x), std::to_string(y)}));
        Served::ReportCmdTextPos(text, window, tag, x, y);
    }
    ZuGUI::InterfaceFactoryFunction GetInterfaceFactory(int which) override
    {
        Record("GetInterfaceFactory", std::to_string(which));
        return Served::GetInterfaceFactory(which);
    }
    ZuGUI::HWND* GetMainWindowHandle() override
    {
        Record("GetMainWindowHandle", "");
        return Served::GetMainWindowHandle();
    }
    void SetEmbeddedBrowserActive(bool active) override
    {
        Record("SetEmbeddedBrowserActive", active ? "true" : "false");
        Served::SetEmbeddedBrowserActive(active);
    }
    bool AdjustWebRect(ZuGUI::RECT* rect, int which) override
    {
        Record("AdjustWebRect", CallText::Join({CallText::Rect(rect), std::to_string(which)}));
        const std::size_t index = m_calls.size() - 1;
        const bool visible = Served::AdjustWebRect(rect, which);
        m_calls[index].answer = CallText::Rect(rect) + (visible ? " visible" : " hidden");
        return visible;
    }

private:
    void Record(const char* operation, std::string arguments,
                const ZuGUI::ZuWindow* window = nullptr)
    {
        m_calls.push_back(ClientCall{operation, std::move(arguments), "", window});
        if (onCall)
            onCall(m_calls.back());
    }

    std::vector<ClientCall> m_calls;
};
} // namespace ZuDemo
