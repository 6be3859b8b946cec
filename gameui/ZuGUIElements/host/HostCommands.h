// Building command trees for the game client.
#pragma once

#include "ZuGUIElements/host/ClientLink.h"
#include "ZuGUIElements/host/HostTrees.h"
#include "public/KeyValues.h"

#include <CEGUI/InputEvent.h>

#include <utility>

namespace ZuGUI
{
// Builds the command `commandName` with the keys that `fillCommand(KeyValues&)` sets and hands
// it to the client, which owns it from then on. With no client nothing is built; returns
// whether the command was sent.
template <typename FillCommand>
bool SendHostCommand(const char* commandName, FillCommand&& fillCommand)
{
    IZuGUI* host = GetHost();
    if (!host)
        return false;
    KeyValuesPtr command = MakeKeyValues(commandName);
    std::forward<FillCommand>(fillCommand)(*command);
    host->SendCommand(command.release());
    return true;
}

// The "_KeyVal_Cmd_MouseButton_Type" value of a mouse button: left, right, or "" for others.
inline const char* MouseButtonTypeText(CEGUI::MouseButton button)
{
    switch (button)
    {
    case CEGUI::LeftButton:
        return HostTrees::kMouseButtonLeft;
    case CEGUI::RightButton:
        return HostTrees::kMouseButtonRight;
    default:
        return "";
    }
}
} // namespace ZuGUI
