// CBuffIcon ("ZuGame/BuffIcon"): one buff, chosen by its position in the client's buff list
// ("BuffIndex") or given directly by object id ("CellId"), drawn as the client's icon of the
// buff with the buff's tool tip. It has no click behaviour. Changing either property resolves
// the buff at once, not at the next draw.
#pragma once

#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

namespace ZuGUI
{
class CBuffIcon : public SharedPropertyLayer<CBuffIcon, ZuWindow>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    // The client's provider that serves this window type.
    static constexpr const char* ProviderName = "BuffMgr";
    static const CEGUI::ShareProSet s_SharePros;
    // The client draws a buff as an icon (the "RenderIcon" operation of game images).
    static constexpr int kRenderOperation = 1;

    using SharedPropertyLayer::SharedPropertyLayer;

    unsigned GetBuffIndex() const { return d_buffIndex; }
    void SetBuffIndex(unsigned buffIndex) { ResolveOnChange(d_buffIndex, buffIndex); }
    // HostTrees::kNoDirectId while the buff is chosen by index.
    unsigned GetDirectId() const { return d_directId; }
    void SetDirectId(unsigned directId) { ResolveOnChange(d_directId, directId); }
    static int GetRenderOper() { return kRenderOperation; }

protected:
    void UpdateImp() override;
    // Shows the client's tool tip of the bound buff; no answer clears it.
    void RequestTooltip();

private:
    void ResolveOnChange(unsigned& field, unsigned value);
    // The buff id: the direct id, or the client's answer for the buff index. -1 means no
    // change; an unanswered request gives 0 (nothing shown).
    int ResolveBuffId() const;

    unsigned d_buffIndex = 0;
    unsigned d_directId = HostTrees::kNoDirectId;
};

using CBuffIconFactory = ZuWindowFactory<CBuffIcon>;
} // namespace ZuGUI

namespace CEGUI
{
// Asks the client for the icon of the bound buff; the look adds no imagery of its own.
class CBuffIconRenderer : public ZuGUI::GameRenderer<ZuGUI::CBuffIcon>
{
public:
    static const String TypeName;

    explicit CBuffIconRenderer(const String& type);

protected:
    void UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params) override
    {
        PushTargetImage(params);
    }
};

using CBuffIconRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CBuffIconRenderer>;
} // namespace CEGUI
