#include "support/RecordingHost.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

namespace ZuTest
{
std::string Quote(const char* text)
{
    return ZuDemo::CallText::Quote(text);
}

std::string WatchLine(const char* operation, const ZuGUI::ZuWindow& window, int id)
{
    return ZuDemo::ClientCall{
        operation, ZuDemo::CallText::Join({ZuDemo::CallText::Window(&window), std::to_string(id)})}
        .ToString();
}

void ScriptedClient::SetReply(const std::string& requestName, ReplyFunction reply)
{
    m_replies[requestName] = std::move(reply);
}

void ScriptedClient::ReplyWith(const std::string& requestName,
                               std::function<void(KeyValues& reply)> fill)
{
    SetReply(requestName,
             [fill = std::move(fill)](KeyValues&, KeyValues& reply)
             {
                 fill(reply);
                 return true;
             });
}

const char* ScriptedClient::Lookup(const std::map<std::string, std::string>& texts, const char* key)
{
    const auto found = texts.find(key ? key : "");
    return found != texts.end() ? found->second.c_str() : nullptr;
}

void ScriptedClient::SendCommand(KeyValues* command)
{
    m_commands.emplace_back(command);
}

bool ScriptedClient::Query(KeyValues* request, KeyValues* reply)
{
    if (!request || !reply)
        return false;
    const auto found = m_replies.find(request->GetName());
    return found != m_replies.end() && found->second(*request, *reply);
}

void ScriptedClient::RegisterScriptModule(ZuGUI::ScriptModuleOpenFunction open)
{
    m_scriptModules.push_back(open);
}

const char* ScriptedClient::GetLocalizedText(const char* key)
{
    return Lookup(localizedTexts, key);
}

const char* ScriptedClient::CallScriptRetString(const char* function, int argument)
{
    const std::string withArgument =
        std::string(function ? function : "") + ":" + std::to_string(argument);
    if (scriptStrings.count(withArgument))
        return Lookup(scriptStrings, withArgument.c_str());
    return Lookup(scriptStrings, function);
}

const char* ScriptedClient::GetFontName(int purpose)
{
    const auto found = fontNames.find(purpose);
    return found != fontNames.end() ? found->second.c_str() : nullptr;
}

int ScriptedClient::CallScriptRetInt(const char* function, int)
{
    const auto found = scriptInts.find(function ? function : "");
    return found != scriptInts.end() ? found->second : 0;
}

bool ScriptedClient::AdjustWebRect(ZuGUI::RECT* rect, int)
{
    return rect && adjustWebRect ? adjustWebRect(*rect) : true;
}

int RecordingHost::CountScriptCalls(const char* function) const
{
    const std::string prefix = std::string("CallScript(\"") + function + "\"";
    int count = 0;
    for (const std::string& line : CallLines("CallScript"))
        count += line.rfind(prefix, 0) == 0 ? 1 : 0;
    return count;
}

std::vector<std::string> RecordingHost::WatchLines() const
{
    std::vector<std::string> lines;
    for (const HostCall& call : Calls())
    {
        if (call.operation == "WatchObject" || call.operation == "UnwatchObject")
            lines.push_back(call.ToString());
    }
    return lines;
}

ScopedHost::ScopedHost(ZuGUI::IZuGUI* host)
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(host);
}

ScopedHost::~ScopedHost()
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
}
} // namespace ZuTest
