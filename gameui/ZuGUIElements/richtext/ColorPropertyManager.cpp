#include "ZuGUIElements/richtext/ColorPropertyManager.h"

#include "public/CodePage.h"

#include <CEGUI/PropertyHelper.h>

namespace ZuGUI
{
namespace TextParser
{
namespace
{
CEGUI::argb_t ColourFromText(const char* text)
{
    return CEGUI::PropertyHelper<CEGUI::Colour>::fromString(text ? text : "").getARGB();
}

// CEGUI's own UTF-8 decoding reads past the end of a truncated sequence, so the name is
// re-encoded first: invalid sequences become U+FFFD.
CEGUI::String NameFromUtf8(const char* name)
{
    const char* valid = ToMultiByte(ToWide(name, CP_UTF8), CP_UTF8);
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(valid));
}
} // namespace

void CColorPropertyManager::RegisterColorByString(const char* name, const char* textColour,
                                                  const char* secondColour)
{
    if (!name)
        return;
    m_namedColors[NameFromUtf8(name)] =
        ColorPair{ColourFromText(textColour), ColourFromText(secondColour)};
}

void CColorPropertyManager::SetClickColorByString(const char* commandColour,
                                                  const char* hoverHighlightColour,
                                                  const char* hoverTextColour)
{
    m_clickColors = ClickColors{ColourFromText(commandColour), ColourFromText(hoverHighlightColour),
                                ColourFromText(hoverTextColour)};
}

const ColorPair& CColorPropertyManager::GetColor(const CEGUI::String& name) const
{
    const auto found = m_namedColors.find(name);
    return found != m_namedColors.end() ? found->second : m_defaultPair;
}
} // namespace TextParser
} // namespace ZuGUI
