#include "support/RecordingHost.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

#include <sstream>

namespace ZuTest
{
std::string Quote(const char* text)
{
    return text ? "\"" + std::string(text) + "\"" : "null";
}

namespace
{
std::string Join(std::initializer_list<std::string> parts)
{
    std::string joined;
    for (const std::string& part : parts)
        joined += (joined.empty() ? "" : ", ") + part;
    return joined;
}

std::string WindowText(const ZuGUI::ZuWindow* window)
{
    std::ostringstream text;
    text << "window@" << static_cast<const void*>(window);
    return text.str();
}
} // namespace

std::string WatchLine(const char* operation, const ZuGUI::ZuWindow& window, int id)
{
    return std::string(operation) + "(" + WindowText(&window) + ", " + std::to_string(id) + ")";
}

std::vector<std::string> RecordingHost::WatchLines() const
{
    std::vector<std::string> lines;
    for (const HostCall& call : m_calls)
    {
        if (call.operation == "WatchObject" || call.operation == "UnwatchObject")
            lines.push_back(call.ToString());
    }
    return lines;
}

void RecordingHost::SetReply(const std::string& requestName, ReplyFunction reply)
{
    m_replies[requestName] = std::move(reply);
}

void RecordingHost::ReplyWith(const std::string& requestName,
                              std::function<void(KeyValues& reply)> fill)
{
    SetReply(requestName,
             [fill = std::move(fill)](KeyValues&, KeyValues& reply)
             {
                 fill(reply);
                 return true;
             });
}

std::vector<std::string> RecordingHost::CallLines(const std::string& operation) const
{
    std::vector<std::string> lines;
    for (const HostCall& call : m_calls)
    {
        if (operation.empty() || call.operation == operation)
            lines.push_back(call.ToString());
    }
    return lines;
}

void RecordingHost::Record(const char* operation, std::string arguments,
                           const ZuGUI::ZuWindow* window)
{
    m_calls.push_back(HostCall{operation, std::move(arguments), window});
    if (onCall)
        onCall(m_calls.back());
}

const char* RecordingHost::Lookup(const std::map<std::string, std::string>& texts, const char* key)
{
    const auto found = texts.find(key ? key : "");
    return found != texts.end() ? found->second.c_str() : nullptr;
}

void RecordingHost::SendCommand(KeyValues* command)
{
    Record("SendCommand", command ? command->Describe() : "null");
    m_commands.emplace_back(command);
}

bool RecordingHost::Query(KeyValues* request, KeyValues* reply)
{
    Record("Query", request ? request->Describe() : "null");
    if (!request || !reply)
        return false;
    const auto found = m_replies.find(request->GetName());
    return found != m_replies.end() && found->second(*request, *reply);
}

void RecordingHost::CallScript(const char* function, int argument)
{
    Record("CallScript", Join({Quote(function), std::to_string(argument)}));
}

void RecordingHost::RegisterWindow(ZuGUI::ZuWindow* window)
{
    Record("RegisterWindow", WindowText(window), window);
}

void RecordingHost::UnregisterWindow(ZuGUI::ZuWindow* window)
{
    Record("UnregisterWindow", WindowText(window), window);
}

void RecordingHost::RegisterScriptModule(ZuGUI::ScriptModuleOpenFunction open)
{
    Record("RegisterScriptModule", open ? "open" : "null");
    m_scriptModules.push_back(open);
}

void RecordingHost::SubscribeProvider(ZuGUI::ZuWindow* window, const char* provider)
{
    Record("SubscribeProvider", Join({WindowText(window), Quote(provider)}), window);
}

void RecordingHost::UnsubscribeProvider(ZuGUI::ZuWindow* window, const char* provider)
{
    Record("UnsubscribeProvider", Join({WindowText(window), Quote(provider)}), window);
}

void RecordingHost::WatchObject(ZuGUI::ZuWindow* window, int objectId)
{
    Record("WatchObject", Join({WindowText(window), std::to_string(objectId)}), window);
}

void RecordingHost::UnwatchObject(ZuGUI::ZuWindow* window, int objectId)
{
    Record("UnwatchObject", Join({WindowText(window), std::to_string(objectId)}), window);
}

const char* RecordingHost::GetLocalizedText(const char* key)
{
    Record("GetLocalizedText", Quote(key));
    return Lookup(localizedTexts, key);
}

const char* RecordingHost::CallScriptRetString(const char* function, int argument)
{
    Record("CallScriptRetString", Join({Quote(function), std::to_string(argument)}));
    const std::string withArgument =
        std::string(function ? function : "") + ":" + std::to_string(argument);
    if (scriptStrings.count(withArgument))
        return Lookup(scriptStrings, withArgument.c_str());
    return Lookup(scriptStrings, function);
}

const char* RecordingHost::GetFontName(int purpose)
{
    Record("GetFontName", std::to_string(purpose));
    const auto found = fontNames.find(purpose);
    return found != fontNames.end() ? found->second.c_str() : nullptr;
}

void RecordingHost::CallScriptIntStr(const char* function, int argument, const char* text)
{
    Record("CallScriptIntStr", Join({Quote(function), std::to_string(argument), Quote(text)}));
}

void RecordingHost::PlayUISound(int x, int y, const char* sound)
{
    Record("PlayUISound", Join({std::to_string(x), std::to_string(y), Quote(sound)}));
}

void RecordingHost::NotifyWindowDestroyed(const char* windowName)
{
    Record("NotifyWindowDestroyed", Quote(windowName));
}

const float* RecordingHost::GetUITime()
{
    Record("GetUITime", "");
    return &uiTime;
}

int RecordingHost::CallScriptRetInt(const char* function, int argument)
{
    Record("CallScriptRetInt", Join({Quote(function), std::to_string(argument)}));
    const auto found = scriptInts.find(function ? function : "");
    return found != scriptInts.end() ? found->second : 0;
}

void RecordingHost::ChangeCursor(int cursor, bool enable)
{
    Record("ChangeCursor", Join({std::to_string(cursor), enable ? "true" : "false"}));
}

void RecordingHost::ReportCmdTextPos(const char* text, const char* window, int tag, int x, int y)
{
    Record("ReportCmdTextPos", Join({Quote(text), Quote(window), std::to_string(tag),
                                     std::to_string(x), std::to_string(y)}));
}

ZuGUI::InterfaceFactoryFunction RecordingHost::GetInterfaceFactory(int which)
{
    Record("GetInterfaceFactory", std::to_string(which));
    return interfaceFactory;
}

ZuGUI::HWND* RecordingHost::GetMainWindowHandle()
{
    Record("GetMainWindowHandle", "");
    return &mainWindow;
}

void RecordingHost::SetEmbeddedBrowserActive(bool active)
{
    Record("SetEmbeddedBrowserActive", active ? "true" : "false");
}

bool RecordingHost::AdjustWebRect(ZuGUI::RECT* rect, int which)
{
    Record("AdjustWebRect",
           Join({rect ? std::to_string(rect->left) + " " + std::to_string(rect->top) + " " +
                            std::to_string(rect->right) + " " + std::to_string(rect->bottom)
                      : "null",
                 std::to_string(which)}));
    return rect && adjustWebRect ? adjustWebRect(*rect) : true;
}

ScopedHost::ScopedHost(ZuGUI::IZuGUI* host)
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(host);
}

ScopedHost::~ScopedHost()
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
}

int RecordingHost::CountScriptCalls(const char* function) const
{
    const std::string prefix = std::string("CallScript(\"") + function + "\"";
    int count = 0;
    for (const std::string& line : CallLines("CallScript"))
        count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}
} // namespace ZuTest
