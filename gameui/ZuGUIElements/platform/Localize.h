// Localisation of texts given in layouts: a text that begins with "#" is a localisation key,
// which the game client turns into the text to show. The client installs its own localizer;
// until it does, every text is shown as it is written (keys included), so that layouts work
// unchanged outside the game.
#pragma once

#include <CEGUI/String.h>

namespace ZuGUI
{
class ILocalizer
{
public:
    // The text to show for `keyText`, a text that begins with "#".
    virtual CEGUI::String Localize(const CEGUI::String& keyText) const = 0;

protected:
    ~ILocalizer() = default;
};

// The installed localizer, or null.
ILocalizer* GetLocalizer();
// Installs the client's localizer; null restores the default (the text unchanged).
void SetLocalizer(ILocalizer* localizer);

// True for a text that names a localisation key.
bool IsLocalizationKey(const CEGUI::String& text);

// The text to show for `text`: a "#" key through the installed localizer, any other text as it
// is.
CEGUI::String LocalizeString(const CEGUI::String& text);
} // namespace ZuGUI
