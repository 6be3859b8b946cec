#include "ZuGUIElements/platform/Localize.h"

namespace ZuGUI
{
namespace
{
CEGUI::String Unchanged(const CEGUI::String& text)
{
    return text;
}

LocalizeFunction g_localize = &Unchanged;
} // namespace

void SetLocalizeFunction(LocalizeFunction localize)
{
    g_localize = localize ? localize : &Unchanged;
}

bool IsLocalizationKey(const CEGUI::String& text)
{
    return !text.empty() && text[0] == '#';
}

CEGUI::String LocalizeString(const CEGUI::String& text)
{
    return IsLocalizationKey(text) ? g_localize(text) : text;
}
} // namespace ZuGUI
