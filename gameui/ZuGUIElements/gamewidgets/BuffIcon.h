// CBuffIcon ("ZuGame/BuffIcon"): one buff, chosen by its position in the client's buff list
// ("BuffIndex") or given directly by object id ("CellId"), drawn as the client's icon of the
// buff with the buff's tool tip. It has no click behaviour. Changing either property resolves
// the buff at once, not at the next draw.
#pragma once

#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/module/FactoryTemplates.h"
#include "ZuGUIElements/module/HostTrees.h"

namespace ZuGUI
{
namespace GameBuffIconProperties
{
struct BuffIndex;
struct DirectId;
} // namespace GameBuffIconProperties

class CBuffIcon : public SharedPropertyLayer<CBuffIcon, ZuWindow>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static GameBuffIconProperties::BuffIndex s_buffIndex;
    static GameBuffIconProperties::DirectId s_DirectId;
    struct SharePropertySet : CEGUI::ShareProSet
    {
        SharePropertySet();
    };
    static const SharePropertySet s_SharePros;

    CBuffIcon(const CEGUI::String& type, const CEGUI::String& name);

    unsigned GetBuffIndex() const { return d_buffIndex; }
    void SetBuffIndex(unsigned buffIndex);
    // HostTrees::kNoDirectId while the buff is chosen by index.
    unsigned GetDirectId() const { return d_directId; }
    void SetDirectId(unsigned directId);
    // The buff object the icon is bound to; 0 for none.
    unsigned GetTargetId() const { return d_targetId; }

protected:
    void UpdateImp() override;
    void SetTargetId(unsigned targetId) { d_targetId = targetId; }
    // Shows the client's tool tip of the bound buff; no answer clears it.
    void RequestTooltip();

private:
    // The buff id: the direct id, or the client's answer for the buff index. -1 means no
    // change; an unanswered request gives 0 (nothing shown).
    int ResolveBuffId() const;
    // Binds `buffId`, moves the watch to it and refreshes the tool tip.
    void BindTarget(unsigned buffId);

    unsigned d_buffIndex = 0;
    unsigned d_directId = HostTrees::kNoDirectId;
    unsigned d_targetId = 0;
};

using CBuffIconFactory = ZuWindowFactory<CBuffIcon>;

namespace GameBuffIconProperties
{
struct BuffIndex
    : WidgetProperty<CBuffIcon, UnsignedText, &CBuffIcon::GetBuffIndex, &CBuffIcon::SetBuffIndex>
{
    BuffIndex();
};

// "CellId"
struct DirectId
    : WidgetProperty<CBuffIcon, UnsignedText, &CBuffIcon::GetDirectId, &CBuffIcon::SetDirectId>
{
    DirectId();
};
} // namespace GameBuffIconProperties
} // namespace ZuGUI

namespace CEGUI
{
// Asks the client for the icon of the bound buff; the look adds no imagery of its own.
class CBuffIconRenderer : public ZuGUI::ZuRenderer
{
public:
    static const String TypeName;

    explicit CBuffIconRenderer(const String& type);

protected:
    void RequestTextureParams() override {}
    void UpdateTextureParamsImp(std::vector<ZuGUI::tagTexture_Param>& params) override;
};

using CBuffIconRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CBuffIconRenderer>;
} // namespace CEGUI
