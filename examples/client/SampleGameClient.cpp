#include "client/SampleGameClient.h"

#include "client/SampleScripts.h"
#include "client/SampleWebControl.h"

#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/host/HostTrees.h"
#include "ZuGUIElements/host/WindowRecords.h"
#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/richtext/Utf8String.h"
#include "ZuGUIElements/web/HTMLWindow.h"
#include "ZuGUIElements/web/TrustedAddress.h"
#include "public/CodePage.h"
#include "public/KeyValues.h"

#include <CEGUI/CEGUI.h>

#include <algorithm>
#include <map>

namespace ZuDemo
{
namespace
{
std::string Quote(const char* text)
{
    return text ? "\"" + std::string(text) + "\"" : "null";
}

// A window by the name the module gives windows to a client: its name path.
std::string WindowText(const ZuGUI::ZuWindow* window)
{
    return window ? "'" + std::string(ZuGUI::HostWindowName(*window).c_str()) + "'" : "null";
}

std::string Describe(const KeyValues* tree)
{
    return tree ? tree->Describe() : "null";
}

std::string Arguments(std::initializer_list<std::string> parts)
{
    std::string joined;
    for (const std::string& part : parts)
        joined += (joined.empty() ? "" : " ") + part;
    return joined;
}
} // namespace

SampleGameClient::SampleGameClient(GameModel model)
    : m_model(std::move(model)), m_handlers(MakeModelRequestHandlers()),
      m_shiftHeld(
          []
          {
              CEGUI::System* system = CEGUI::System::getSingletonPtr();
              return system &&
                     (system->getDefaultGUIContext().getSystemKeys().get() & CEGUI::Shift) != 0;
          })
{
}

void SampleGameClient::SetRequestHandler(const std::string& requestName, RequestHandler handler)
{
    m_handlers[requestName] = std::move(handler);
}

void SampleGameClient::Record(const char* operation, const std::string& arguments)
{
    m_log.push_back(arguments.empty() ? operation : std::string(operation) + " " + arguments);
}

void SampleGameClient::SendCommand(KeyValues* command)
{
    // The host owns the command from here on; the sample game only logs it.
    const KeyValuesPtr owned(command);
    m_commandLog.push_back(Describe(command));
    Record("SendCommand", m_commandLog.back());
    if (!command)
        return;
    const std::string name = command->GetName();
    if (name == ZuGUI::HostTrees::kItemIconClick)
        LinkClickedItem(*command);
    if (name == ZuGUI::HostTrees::kCmdClick &&
        command->GetInt(ZuGUI::HostTrees::kCmdOpcode, -1) == ZuGUI::TextBlocks::kHttpCommand)
        FollowWebLink(*command);
}

void SampleGameClient::FollowWebLink(KeyValues& click)
{
    const std::string target = click.GetString(ZuGUI::HostTrees::kCmdContent, "");
    if (click.GetInt(ZuGUI::HostTrees::kCmdTrusted, 0) != 1)
    {
        Record("RefuseWebLink", Quote(target.c_str()));
        // The message is in the system code page; the click tree's texts are UTF-8.
        const std::string shown = Utf8ToAnsi(target.c_str(), "");
        ZuGUI::ShowDangerousAddressMessage(*this, shown.c_str());
        return;
    }
    const ZuGUI::CHTMLWindow::OpenWindows& webWindows = ZuGUI::CHTMLWindow::s_all;
    if (webWindows.empty())
    {
        Record("OpenWebLink", Quote(target.c_str()) + " no web window");
        return;
    }
    const std::string address = ZuGUI::WebLinkAddress(target);
    Record("OpenWebLink", Quote(address.c_str()));
    webWindows.begin()->second->SetUrl(ZuGUI::StringFromUtf8(address.c_str()));
}

void SampleGameClient::LinkClickedItem(KeyValues& click)
{
    if (!m_chatInput || !m_shiftHeld || !m_shiftHeld())
        return;
    const std::optional<int> cellId =
        m_model.CellAt(click.GetString("PackageName", ""), click.GetInt("PackageId", 0),
                       click.GetInt("PackageIndex", -1));
    const Item* item = cellId ? m_model.FindItem(*cellId) : nullptr;
    if (!item)
        return;
    m_chatInput->setProperty("PushId", std::to_string(item->cellId));
    m_chatInput->setProperty("PushText", CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(
                                             ("[" + ItemName(*item) + "]").c_str())));
    Record("LinkItem", std::to_string(item->cellId));
}

std::string SampleGameClient::ChatItemText(int cellId) const
{
    const Item* item = m_model.FindItem(cellId);
    return item ? "{I " + std::to_string(cellId) + ":[" + ItemName(*item) + "]}" : "";
}

bool SampleGameClient::Query(KeyValues* request, KeyValues* reply)
{
    const std::string requestText = Describe(request);
    const bool answered = request && reply && Answer(*request, *reply);
    Record("Query", requestText + " -> " + (answered ? reply->Describe() : "no answer"));
    return answered;
}

bool SampleGameClient::Answer(KeyValues& request, KeyValues& reply)
{
    const auto handler = m_handlers.find(request.GetName());
    return handler != m_handlers.end() && handler->second(m_model, request, reply);
}

void SampleGameClient::CallScript(const char* function, int argument)
{
    Record("CallScript", Arguments({Quote(function), std::to_string(argument)}));
}

void SampleGameClient::RegisterWindow(ZuGUI::ZuWindow* window)
{
    Record("RegisterWindow", WindowText(window));
    m_windows.insert(window);
}

void SampleGameClient::UnregisterWindow(ZuGUI::ZuWindow* window)
{
    Record("UnregisterWindow", WindowText(window));
    m_windows.erase(window);
}

void SampleGameClient::SetScripts(SampleScripts* scripts)
{
    m_scripts = scripts;
    if (m_scripts)
        m_scripts->Open(m_scriptModuleOpen);
}

void SampleGameClient::RegisterScriptModule(ZuGUI::ScriptModuleOpenFunction open)
{
    Record("RegisterScriptModule", open ? "open" : "null");
    m_scriptModuleOpen = open;
    if (m_scripts)
        m_scripts->Open(open);
}

void SampleGameClient::SubscribeProvider(ZuGUI::ZuWindow* window, const char* provider)
{
    Record("SubscribeProvider", Arguments({WindowText(window), Quote(provider)}));
    m_subscriptions.emplace(window, provider ? provider : "");
}

void SampleGameClient::UnsubscribeProvider(ZuGUI::ZuWindow* window, const char* provider)
{
    Record("UnsubscribeProvider", Arguments({WindowText(window), Quote(provider)}));
    m_subscriptions.erase({window, provider ? provider : ""});
}

void SampleGameClient::WatchObject(ZuGUI::ZuWindow* window, int objectId)
{
    Record("WatchObject", Arguments({WindowText(window), std::to_string(objectId)}));
    m_watches.emplace(window, objectId);
}

void SampleGameClient::UnwatchObject(ZuGUI::ZuWindow* window, int objectId)
{
    Record("UnwatchObject", Arguments({WindowText(window), std::to_string(objectId)}));
    m_watches.erase({window, objectId});
}

const char* SampleGameClient::GetLocalizedText(const char* key)
{
    Record("GetLocalizedText", Quote(key));
    // The game's texts are in the system code page; these are ASCII.
    static const std::map<std::string, std::string> texts = {
        {"sys_error_dangerous_url1", "The address "},
        {"sys_error_dangerous_url2", " is not a page of the game, so it was not opened."},
        {"error", "Error"},
    };
    const auto found = texts.find(key ? key : "");
    return found != texts.end() ? found->second.c_str() : "";
}

const char* SampleGameClient::CallScriptRetString(const char* function, int argument)
{
    Record("CallScriptRetString", Arguments({Quote(function), std::to_string(argument)}));
    m_returnedText = function && std::string(function) == "gFn_make_chat_item_text"
                         ? ChatItemText(argument)
                         : "";
    return m_returnedText.c_str();
}

const char* SampleGameClient::GetFontName(int purpose)
{
    Record("GetFontName", std::to_string(purpose));
    return nullptr;
}

void SampleGameClient::CallScriptIntStr(const char* function, int argument, const char* text)
{
    Record("CallScriptIntStr", Arguments({Quote(function), std::to_string(argument), Quote(text)}));
}

void SampleGameClient::PlayUISound(int x, int y, const char* sound)
{
    Record("PlayUISound", Arguments({std::to_string(x), std::to_string(y), Quote(sound)}));
}

void SampleGameClient::NotifyWindowDestroyed(const char* windowName)
{
    Record("NotifyWindowDestroyed", Quote(windowName));
}

const float* SampleGameClient::GetUITime()
{
    // Asked every frame by the timed widgets; not logged to keep the log readable.
    return &m_uiTime;
}

int SampleGameClient::CallScriptRetInt(const char* function, int argument)
{
    Record("CallScriptRetInt", Arguments({Quote(function), std::to_string(argument)}));
    // "item_color" is the only such script: the colour of an item's name in chat links.
    if (!function || std::string(function) != "item_color")
        return 0;
    const Item* item = m_model.FindItem(argument);
    return item ? static_cast<int>(item->nameColour) : 0;
}

void SampleGameClient::ChangeCursor(int cursor, bool enable)
{
    Record("ChangeCursor", Arguments({std::to_string(cursor), enable ? "true" : "false"}));
}

void SampleGameClient::ReportCmdTextPos(const char* text, const char* window, int tag, int x, int y)
{
    Record("ReportCmdTextPos", Arguments({Quote(text), Quote(window), std::to_string(tag),
                                          std::to_string(x), std::to_string(y)}));
}

ZuGUI::InterfaceFactoryFunction SampleGameClient::GetInterfaceFactory(int which)
{
    Record("GetInterfaceFactory", std::to_string(which));
    return &SampleWebControl::MakeInterface;
}

ZuGUI::HWND* SampleGameClient::GetMainWindowHandle()
{
    Record("GetMainWindowHandle");
    return &m_mainWindow;
}

void SampleGameClient::SetEmbeddedBrowserActive(bool active)
{
    Record("SetEmbeddedBrowserActive", active ? "true" : "false");
}

bool SampleGameClient::AdjustWebRect(ZuGUI::RECT* rect, int which)
{
    // A page is kept inside the game's window; one with nothing left inside is hidden.
    if (!rect)
        return false;
    rect->left = std::max(rect->left, 0L);
    rect->top = std::max(rect->top, 0L);
    if (const CEGUI::System* system = CEGUI::System::getSingletonPtr())
    {
        const CEGUI::Sizef display = system->getRenderer()->getDisplaySize();
        rect->right = std::min(rect->right, static_cast<long>(display.d_width));
        rect->bottom = std::min(rect->bottom, static_cast<long>(display.d_height));
    }
    const bool visible = rect->right > rect->left && rect->bottom > rect->top;
    Record("AdjustWebRect", Arguments({std::to_string(rect->left), std::to_string(rect->top),
                                       std::to_string(rect->right), std::to_string(rect->bottom),
                                       std::to_string(which)}) +
                                (visible ? "" : " hidden"));
    return visible;
}
} // namespace ZuDemo
