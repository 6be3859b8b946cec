// CCreatureViewer ("ZuGame/CreatureViewer"): one game creature as an image that the client
// draws, as a map image or as an icon ("RenderOper"). The layout names the creature by a role
// word ("WhichOne") that the client resolves, or gives its id ("CellId"); the viewer watches
// the creature so that the client can refresh it, and its look frames the client's image and
// highlights it while "Picked".
#pragma once

#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

namespace ZuGUI
{
class CCreatureViewer : public SharedPropertyLayer<CCreatureViewer, ZuWindow>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    // The client's provider that serves this window type.
    static constexpr const char* ProviderName = "GameCreatureProvider";
    static const CEGUI::ShareProSet s_SharePros;

    // The image kinds that the viewer anchors differently.
    enum RenderOperation : int
    {
        RenderMap = 0,
        RenderIcon = 1,
    };

    using SharedPropertyLayer::SharedPropertyLayer;

    const CEGUI::String& GetWhichOne() const { return d_whichOne; }
    // Takes effect at the next update; requests none.
    void SetWhichOne(const CEGUI::String& whichOne) { d_whichOne = whichOne; }
    int GetRenderOper() const { return d_renderOperation; }
    // Moves the image anchor to suit a map image or an icon, and redraws.
    void SetRenderOper(int renderOperation);
    // HostTrees::kNoDirectId while the creature is named by "WhichOne".
    unsigned GetDirectId() const { return d_directId; }
    void SetDirectId(unsigned directId) { UpdateOnChange(d_directId, directId); }
    bool getPicked() const { return d_picked; }
    void setPicked(bool picked) { UpdateOnChange(d_picked, picked); }

protected:
    void UpdateImp() override;

private:
    // The creature id: the direct id, or the client's answer for the role word; -1 when the
    // client gives no creature or does not answer.
    int ResolveCreatureId() const;

    CEGUI::String d_whichOne;
    int d_renderOperation = RenderMap;
    unsigned d_directId = HostTrees::kNoDirectId;
    bool d_picked = false;
};

using CCreatureViewerFactory = ZuWindowFactory<CCreatureViewer>;
} // namespace ZuGUI

namespace CEGUI
{
// Draws the viewer's frame, background and "Picked" imagery, and the client's image of the
// creature over them.
class CCreatureViewerRenderer : public ZuGUI::GameRenderer<ZuGUI::CCreatureViewer>
{
public:
    static const String TypeName;

    explicit CCreatureViewerRenderer(const String& type);
    // Anchors the image for the viewer's render operation.
    void onAttach() override;

    // Anchors the client's image for the render operation: a map image stands on the bottom
    // edge left of the centre, an icon on the bottom edge at the centre; other operations keep
    // the anchor they have.
    void AnchorImageFor(int renderOperation);

protected:
    void RenderImagery() override;
    void UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params) override
    {
        PushTargetImage(params);
    }
};

using CCreatureViewerRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CCreatureViewerRenderer>;
} // namespace CEGUI
