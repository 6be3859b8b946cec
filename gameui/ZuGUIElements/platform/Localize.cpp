#include "ZuGUIElements/platform/Localize.h"

namespace ZuGUI
{
namespace
{
ILocalizer* g_localizer = nullptr;
} // namespace

ILocalizer* GetLocalizer()
{
    return g_localizer;
}

void SetLocalizer(ILocalizer* localizer)
{
    g_localizer = localizer;
}

bool IsLocalizationKey(const CEGUI::String& text)
{
    return !text.empty() && text[0] == '#';
}

CEGUI::String LocalizeString(const CEGUI::String& text)
{
    return g_localizer && IsLocalizationKey(text) ? g_localizer->Localize(text) : text;
}
} // namespace ZuGUI
