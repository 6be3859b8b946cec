#include "demo/ChatScene.h"

#include "client/SampleGameClient.h"

#include "ZuGUIElements/textwidgets/GameChatBox.h"

#include <CEGUI/CEGUI.h>

#include <algorithm>
#include <string>

namespace ZuDemo
{
namespace
{
const char* const kChatBox = "GameFrame/ChatPanel/ChatBox";
const char* const kChatStatus = "GameFrame/ChatPanel/ChatStatus";
} // namespace

ChatScene::ChatScene(CEGUI::GUIContext& context) : DemoScene(context, "chat", "DemoChat.layout") {}

void ChatScene::BeforeFrame(int frame, float seconds, SampleGameClient& client)
{
    if (frame == 1)
        m_firstHostLine = client.Log().size();
    ReportExpiredLines();
    CEGUI::Window& box = Child(kChatBox);
    for (const std::string& line : m_feed.TakeArrived(seconds))
    {
        box.setProperty("PushChat",
                        CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(line.c_str())));
        AddToReport("pushed: " + line);
        ++m_pushed;
    }
    ShowStatus();
    // The item links of the pushed lines tell the client about their items.
    ShowHostLogSince(m_firstHostLine, client);
}

void ChatScene::ShowStatus()
{
    const int shown = static_cast<int>(m_shown.size());
    const int replaced = m_pushed - m_expired - shown;
    Child(kChatStatus)
        .setText("pushed " + std::to_string(m_pushed) + ", replaced in the ring " +
                 std::to_string(std::max(replaced, 0)) + ", expired " + std::to_string(m_expired) +
                 ", shown " + std::to_string(shown));
}

void ChatScene::ReportExpiredLines()
{
    auto& box = static_cast<ZuGUI::CGameChatBox&>(Child(kChatBox));
    std::set<CEGUI::Window*> shown;
    for (unsigned index = 0; index < box.GetCurChatSize(); ++index)
    {
        CEGUI::Window* view = box.GetChatWindowByIndex(index);
        if (!view->isVisible())
            continue;
        shown.insert(view);
    }
    for (CEGUI::Window* view : m_shown)
    {
        if (shown.count(view))
            continue;
        AddToReport("expired: " + std::string(view->getText().c_str()));
        ++m_expired;
    }
    m_shown = std::move(shown);
}
} // namespace ZuDemo
