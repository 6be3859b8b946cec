#include "client/TextColours.h"

#include "ZuGUIElements/richtext/ColorPropertyManager.h"

namespace ZuDemo
{
void RegisterTextColours()
{
    auto& colours = ZuGUI::TextParser::CColorPropertyManager::Instance();
    for (const TextColourName& colour : kTextColourNames)
        colours.RegisterColorByString(colour.name, colour.textColour, colour.secondColour);
    colours.SetClickColorByString(kCommandColour, kHoverHighlightColour, kHoverTextColour);
}
} // namespace ZuDemo
