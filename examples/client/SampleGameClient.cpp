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
using CallText::Quote;

SampleGame::SampleGame(GameModel model)
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

void SampleGame::SetRequestHandler(const std::string& requestName, RequestHandler handler)
{
    m_handlers[requestName] = std::move(handler);
}

void SampleGame::SendCommand(KeyValues* command)
{
    // The host owns the command from here on; the sample game only logs it.
    const KeyValuesPtr owned(command);
    m_commandLog.push_back(CallText::Tree(command));
    if (!command)
        return;
    const std::string name = command->GetName();
    if (name == ZuGUI::HostTrees::kItemIconClick)
        LinkClickedItem(*command);
    if (name == ZuGUI::HostTrees::kCmdClick &&
        command->GetInt(ZuGUI::HostTrees::kCmdOpcode, -1) == ZuGUI::TextBlocks::kHttpCommand)
        FollowWebLink(*command);
}

void SampleGame::FollowWebLink(KeyValues& click)
{
    const std::string target = click.GetString(ZuGUI::HostTrees::kCmdContent, "");
    if (click.GetInt(ZuGUI::HostTrees::kCmdTrusted, 0) != 1)
    {
        Note("RefuseWebLink", Quote(target.c_str()));
        // The message is in the system code page; the click tree's texts are UTF-8.
        const std::string shown = Utf8ToAnsi(target.c_str(), "");
        ZuGUI::ShowDangerousAddressMessage(*this, shown.c_str());
        return;
    }
    const ZuGUI::CHTMLWindow::OpenWindows& webWindows = ZuGUI::CHTMLWindow::s_all;
    if (webWindows.empty())
    {
        Note("OpenWebLink", Quote(target.c_str()) + " no web window");
        return;
    }
    const std::string address = ZuGUI::WebLinkAddress(target);
    Note("OpenWebLink", Quote(address.c_str()));
    webWindows.begin()->second->SetUrl(ZuGUI::StringFromUtf8(address.c_str()));
}

void SampleGame::LinkClickedItem(KeyValues& click)
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
    Note("LinkItem", std::to_string(item->cellId));
}

std::string SampleGame::ChatItemText(int cellId) const
{
    const Item* item = m_model.FindItem(cellId);
    return item ? "{I " + std::to_string(cellId) + ":[" + ItemName(*item) + "]}" : "";
}

bool SampleGame::Query(KeyValues* request, KeyValues* reply)
{
    return request && reply && Answer(*request, *reply);
}

bool SampleGame::Answer(KeyValues& request, KeyValues& reply)
{
    const auto handler = m_handlers.find(request.GetName());
    return handler != m_handlers.end() && handler->second(m_model, request, reply);
}

void SampleGame::RegisterWindow(ZuGUI::ZuWindow* window)
{
    m_windows.insert(window);
}

void SampleGame::UnregisterWindow(ZuGUI::ZuWindow* window)
{
    m_windows.erase(window);
}

void SampleGame::SetScripts(SampleScripts* scripts)
{
    m_scripts = scripts;
    if (m_scripts)
        m_scripts->Open(m_scriptModuleOpen);
}

void SampleGame::RegisterScriptModule(ZuGUI::ScriptModuleOpenFunction open)
{
    m_scriptModuleOpen = open;
    if (m_scripts)
        m_scripts->Open(open);
}

void SampleGame::SubscribeProvider(ZuGUI::ZuWindow* window, const char* provider)
{
    m_subscriptions.emplace(window, provider ? provider : "");
}

void SampleGame::UnsubscribeProvider(ZuGUI::ZuWindow* window, const char* provider)
{
    m_subscriptions.erase({window, provider ? provider : ""});
}

void SampleGame::WatchObject(ZuGUI::ZuWindow* window, int objectId)
{
    m_watches.emplace(window, objectId);
}

void SampleGame::UnwatchObject(ZuGUI::ZuWindow* window, int objectId)
{
    m_watches.erase({window, objectId});
}

const char* SampleGame::GetLocalizedText(const char* key)
{
    // The game's texts are in the system code page; these are ASCII.
    static const std::map<std::string, std::string> texts = {
        {"sys_error_dangerous_url1", "The address "},
        {"sys_error_dangerous_url2", " is not a page of the game, so it was not opened."},
        {"error", "Error"},
    };
    const auto found = texts.find(key ? key : "");
    return found != texts.end() ? found->second.c_str() : "";
}

const char* SampleGame::CallScriptRetString(const char* function, int argument)
{
    m_returnedText = function && std::string(function) == "gFn_make_chat_item_text"
                         ? ChatItemText(argument)
                         : "";
    return m_returnedText.c_str();
}

const float* SampleGame::GetUITime()
{
    // Asked every frame by the timed widgets; not logged to keep the log readable.
    return &m_uiTime;
}

int SampleGame::CallScriptRetInt(const char* function, int argument)
{
    // "item_color" is the only such script: the colour of an item's name in chat links.
    if (!function || std::string(function) != "item_color")
        return 0;
    const Item* item = m_model.FindItem(argument);
    return item ? static_cast<int>(item->nameColour) : 0;
}

ZuGUI::InterfaceFactoryFunction SampleGame::GetInterfaceFactory(int which)
{
    return &SampleWebControl::MakeInterface;
}

ZuGUI::HWND* SampleGame::GetMainWindowHandle()
{
    return &m_mainWindow;
}

bool SampleGame::AdjustWebRect(ZuGUI::RECT* rect, int)
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
    return rect->right > rect->left && rect->bottom > rect->top;
}

SampleGameClient::SampleGameClient(GameModel model) : RecordingClient(std::move(model))
{
    // Asked at every frame by the timed widgets: not logged, to keep the log readable.
    recordsClock = false;
}

std::vector<std::string> SampleGameClient::Log() const
{
    std::vector<std::string> lines;
    lines.reserve(Calls().size());
    for (const ClientCall& call : Calls())
        lines.push_back(call.ToLogLine());
    return lines;
}
} // namespace ZuDemo
