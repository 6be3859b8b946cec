#include "ZuGUIElements/richtext/ColorPropertyManager.h"

#include "ZuGUIElements/richtext/Utf8String.h"

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

} // namespace

void CColorPropertyManager::RegisterColorByString(const char* name, const char* textColour,
                                                  const char* secondColour)
{
    if (!name)
        return;
    m_namedColors[StringFromUtf8(name)] =
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
