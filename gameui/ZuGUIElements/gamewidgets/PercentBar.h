// CPercentBar ("ZuGame/PercentBar"): a gauge of a creature property that the client gives as a
// ratio, such as the hit points left. It is a value text that reads the client's answer as a
// number: it fills a lit area from the left in proportion to the value (0 to 1), can split the
// bar into equal segments with dividers, and shows a tool tip of a caption ("Tooltips2")
// followed by the percentage.
#pragma once

#include "ZuGUIElements/gamewidgets/GameValueText.h"

namespace ZuGUI
{
class CPercentBar : public SharedPropertyLayer<CPercentBar, CGameValueText>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::String EventPercentChanged;
    static const CEGUI::ShareProSet s_SharePros;

    using SharedPropertyLayer::SharedPropertyLayer;

    // Stores `percent` clamped to [0, 1]; a change redraws and fires "PercentChanged".
    void SetPercent(float percent);
    float GetPercent() const { return d_value; }
    // The caption put before the percentage in the tool tip.
    void SetTooltip2(const CEGUI::String& caption) { d_tooltipCaption = caption; }
    const CEGUI::String& getTooltip2() const { return d_tooltipCaption; }

protected:
    // Reads the client's answer as the bar's value and shows it in the tool tip.
    void RequestText() override;
    virtual void OnPercentChange(CEGUI::WindowEventArgs& e);

private:
    // The caption followed by `ratio` as a percentage, or "" without a caption.
    CEGUI::String PercentTooltip(float ratio) const;

    float d_value = 0.5f;
    CEGUI::String d_tooltipCaption;
};

using CPercentBarFactory = ZuWindowFactory<CPercentBar>;
} // namespace ZuGUI

namespace CEGUI
{
// Draws the percent bar with the look's imagery of its style: style + "Lights" and
// style + "HighLights" fill style + "ProgressArea" up to the value, style + "Frame" frames it,
// and "Divider" strips split it into the look's "Divide" segments.
class CPercentBarRenderer : public ZuGUI::GameRenderer<ZuGUI::CPercentBar>
{
public:
    static const String TypeName;
    static const String s_DividePropertyName;
    static const String s_LightColourPropertyName;

    explicit CPercentBarRenderer(const String& type);

    const String& GetStyle() const { return d_style; }
    // Stores the style and redraws.
    void SetStyle(const String& style);
    // The look's number of segments; 0 (no dividers) when it has none.
    int GetDivide() const;
    // The look's colour of the lit part; opaque white when it has none.
    Colour GetLightColour() const;

protected:
    void RenderImagery() override;

private:
    // Splits `area` into `segments` equal parts with 2-pixel "Divider" strips.
    void RenderDividers(const Rectf& area, int segments) const;

    String d_style;
};

using CPercentBarRendererWRFactory = ZuGUI::ZuWindowRendererFactory<CPercentBarRenderer>;
} // namespace CEGUI
