#include "ZuGUIElements/gamewidgets/GuideBox.h"

#include "ZuGUIElements/host/WindowRecords.h"

namespace CEGUI
{
const String GuideBoxRenderer::TypeName("ZuGame/GuideBox");
const String GuideBoxRenderer::s_stateImagePropertyName("StateImage");

void GuideBoxRenderer::RenderImagery()
{
    if (const std::optional<String> stateImage =
            ZuGUI::LookImagery::OptionalWindowProperty<String>(*d_window, s_stateImagePropertyName))
        RenderStateImagery(*stateImage);
    // Without a look the view's own drawing tells of it, once.
    else if (ZuGUI::LookImagery::HasLook(*d_window))
        ZuGUI::LogOncePerWindow(*d_window, "look \"" + d_window->getLookNFeel() +
                                               "\" has no \"StateImage\" property: the guide "
                                               "box draws no background");
    GameMultiLineRenderer::RenderImagery();
}
} // namespace CEGUI
