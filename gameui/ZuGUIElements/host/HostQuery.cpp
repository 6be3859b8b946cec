#include "ZuGUIElements/host/HostQuery.h"

#include "public/CodePage.h"

namespace ZuGUI
{
CEGUI::String HostTextToString(const char* ansiText)
{
    const std::string utf8 = AnsiToUtf8Text(ansiText);
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(utf8.c_str()));
}

CEGUI::String ReplyText(KeyValues& reply, const char* key, const char* defaultValue)
{
    return HostTextToString(reply.GetString(key, defaultValue));
}
} // namespace ZuGUI
