// GuideBox ("ZuGame/GuideBox"): the rich text view under its own window type, for guides and
// hints. Its renderer GuideBoxRenderer ("ZuGame/GuideBox") draws the look's state imagery that
// the window's "StateImage" property names under the rich text: one look serves several
// backgrounds.
#pragma once

#include "ZuGUIElements/base/WidgetAlias.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"

namespace ZuGUI
{
inline constexpr char kGuideBoxTypeName[] = "ZuGame/GuideBox";
inline constexpr char kGuideBoxEventNamespace[] = "GuideBox";

using GuideBox = WidgetAlias<CGameMultiLine, kGuideBoxTypeName, kGuideBoxEventNamespace>;

using GuideBoxFactory = ZuWindowFactory<GuideBox>;
} // namespace ZuGUI

namespace CEGUI
{
class GuideBoxRenderer : public GameMultiLineRenderer
{
public:
    static const String TypeName;
    // The window property (a look property definition) that names the background imagery.
    static const String s_stateImagePropertyName;

    using GameMultiLineRenderer::GameMultiLineRenderer;

protected:
    // The background, then the rich text; a look without "StateImage", or one that lacks the
    // imagery it names, draws the text alone and is logged once for the window.
    void RenderImagery() override;
};

using GuideBoxRendererWRFactory = ZuGUI::ZuWindowRendererFactory<GuideBoxRenderer>;
} // namespace CEGUI
