// Localisation of texts given in layouts: a text that begins with "#" is a localisation key,
// which the game client turns into the text to show. The client installs its own function;
// until it does, every text is shown as it is written (keys included), so that layouts work
// unchanged outside the game.
#pragma once

#include <CEGUI/String.h>

namespace ZuGUI
{
// Turns a text that begins with "#" into the text to show.
using LocalizeFunction = CEGUI::String (*)(const CEGUI::String& keyText);

// Installs the client's function; null restores the default (the text unchanged).
void SetLocalizeFunction(LocalizeFunction localize);

// True for a text that names a localisation key.
bool IsLocalizationKey(const CEGUI::String& text);

// The text to show for `text`: a "#" key through the installed function, any other text as it
// is.
CEGUI::String LocalizeString(const CEGUI::String& text);
} // namespace ZuGUI
