#include "ZuGUIElements/gamewidgets/GuideBox.h"

#include "ZuGUIElements/module/WindowRecords.h"

namespace CEGUI
{
const String GuideBoxRenderer::TypeName("ZuGame/GuideBox");
const String GuideBoxRenderer::s_stateImagePropertyName("StateImage");

void GuideBoxRenderer::RenderImagery()
{
    if (d_window->isPropertyPresent(s_stateImagePropertyName))
        RenderStateImagery(d_window->getProperty(s_stateImagePropertyName));
    else
        ZuGUI::LogOncePerWindow(*d_window, "look \"" + d_window->getLookNFeel() +
                                               "\" has no \"StateImage\" property: the guide "
                                               "box draws no background");
    GameMultiLineRenderer::RenderImagery();
}
} // namespace CEGUI
