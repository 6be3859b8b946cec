#include "ZuGUIElements/textwidgets/RichTextHostClient.h"

#include "ZuGUIElements/host/HostCommands.h"
#include "ZuGUIElements/host/HostQuery.h"
#include "ZuGUIElements/host/HostTrees.h"
#include "ZuGUIElements/host/SharedRenderProxyIds.h"
#include "ZuGUIElements/platform/PictureSource.h"
#include "ZuGUIElements/richtext/TextBlocks.h"
#include "ZuGUIElements/web/TrustedAddress.h"
#include "public/CodePage.h"

namespace ZuGUI
{
namespace
{
void CallItemScript(const char* function, int itemId)
{
    if (IZuGUI* host = GetHost())
        host->CallScript(function, itemId);
}
} // namespace

CEGUI::argb_t HostRichTextClient::ItemColour(int itemId)
{
    IZuGUI* host = GetHost();
    return host ? static_cast<CEGUI::argb_t>(
                      host->CallScriptRetInt(HostTrees::kScriptItemColor, itemId))
                : 0;
}

bool HostItemClient::TracksItemRefs() const
{
    return GetHost() != nullptr;
}

void HostItemClient::AddItemRef(int itemId)
{
    CallItemScript(HostTrees::kScriptChatItemAddRef, itemId);
}

void HostItemClient::ReleaseItemRef(int itemId)
{
    CallItemScript(HostTrees::kScriptChatItemReleaseRef, itemId);
}

void HostRichTextClient::CommandPressed(const CommandPress& press)
{
    const bool sent = SendHostCommand(
        HostTrees::kCmdClick,
        [&](KeyValues& click)
        {
            click.SetString(HostTrees::kCmdContent, press.command.c_str());
            click.SetString(HostTrees::kCmdText, press.text.c_str());
            click.SetString(HostTrees::kCmdWholeText, m_view.GetViewText().c_str());
            click.SetInt(HostTrees::kCmdOpcode, press.kind);
            click.SetString(HostTrees::kCmdMouseButtonType, MouseButtonTypeText(press.button));
            if (press.kind == TextBlocks::kHttpCommand)
                click.SetInt(HostTrees::kCmdTrusted,
                             IsTrustedWebLink(press.command.c_str()) ? 1 : 0);
        });
    // The command's handler may have unset the client.
    IZuGUI* host = sent ? GetHost() : nullptr;
    if (host)
        host->CallScriptIntStr(HostTrees::kScriptGuideCmdTextOnClick, press.kind,
                               Utf8ToAnsi(press.command.c_str(), ""));
}

void HostRichTextClient::EmotePressed(int emoteNumber, CEGUI::MouseButton button)
{
    // The content and text keys carry their own names: an emote has neither.
    SendHostCommand(HostTrees::kCmdClick,
                    [&](KeyValues& click)
                    {
                        click.SetInt(HostTrees::kCmdOpcode, TextBlocks::kEmote);
                        click.SetString(HostTrees::kCmdMouseButtonType,
                                        MouseButtonTypeText(button));
                        click.SetInt(HostTrees::kCmdPicIdx, emoteNumber);
                        click.SetString(HostTrees::kCmdContent, HostTrees::kCmdContent);
                        click.SetString(HostTrees::kCmdText, HostTrees::kCmdText);
                    });
}

void HostRichTextClient::ShowCommandCursor()
{
    if (IZuGUI* host = GetHost())
        host->ChangeCursor(0, true);
}

void HostRichTextClient::CommandTextDrawn(const CEGUI::String& command, int kind,
                                          const CEGUI::Vector2f& centre)
{
    if (IZuGUI* host = GetHost())
        host->ReportCmdTextPos(Utf8ToAnsi(command.c_str(), ""), m_view.GetViewName().c_str(), kind,
                               static_cast<int>(centre.d_x), static_cast<int>(centre.d_y));
}

unsigned HostRichTextClient::PictureProxyId()
{
    return SharedRenderProxyId(SharedRenderProxy::Picture);
}

CEGUI::Sizef HostRichTextClient::PictureSize(std::uint16_t set, std::uint16_t index)
{
    return GetPictureSize(set, index);
}

void HostRichTextClient::ForgetPictureProxyId()
{
    ForgetSharedRenderProxyIds();
}
} // namespace ZuGUI
