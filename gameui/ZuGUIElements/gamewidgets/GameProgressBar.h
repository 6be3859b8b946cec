// GameProgressBar ("ZuGame/GameProgressBar"): a progress bar that runs by itself. It holds a
// current value, a maximum and a speed in value units per second; once per frame of the game
// client it moves the current value by speed × frame time until the bar is full (speed above
// 0) or empty (speed below 0), and then fires "AdvancedToOne" or "AdvancedToZero". Scripts set
// the maximum, the start value and the speed and wait for the event. It can print its window
// text centred over the bar.
#pragma once

#include "ZuGUIElements/base/ModuleRenderer.h"
#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/host/ClientFrameGuard.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/WindowRenderer.h>
#include <CEGUI/widgets/ProgressBar.h>

namespace ZuGUI
{
class GameProgressBar : public SharedPropertyLayer<GameProgressBar, CEGUI::ProgressBar>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::String EventAdvancedToOne;
    static const CEGUI::String EventAdvancedToZero;
    static const CEGUI::ShareProSet s_SharePros;

    using SharedPropertyLayer::SharedPropertyLayer;

    // Each ignores NaN. A new maximum or current value updates the shown progress,
    // |current / max| (0 while max is 0).
    void setMaxVal(float maxValue);
    // Fires "AdvancedToOne" when the value lands at or past the maximum while running up, and
    // "AdvancedToZero" when it lands at or below 0 while running down.
    void setCurrVal(float currentValue);
    void setSpeed(float speed);
    void setNeedPrintText(bool needText) { RedrawOnChange(this, d_needText, needText); }
    float getMaxVal() const { return d_maxValue; }
    float getCurrVal() const { return d_currentValue; }
    float getSpeed() const { return d_speed; }
    bool getNeedPrintText() const { return d_needText; }

protected:
    // The frame step, run at most once per frame of the client (by its UI time).
    void updateSelf(float elapsed) override;
    // Tells the client the window's name.
    void onDestructionStarted(CEGUI::WindowEventArgs& e) override;

    void syncronizeProgress();
    virtual void OnAdvancedToOne(CEGUI::WindowEventArgs& e);
    virtual void OnAdvancedToZero(CEGUI::WindowEventArgs& e);

private:
    // True once the bar has reached the end it runs towards: it then stops until its speed or
    // value changes.
    bool AtRunningEnd() const;
    void Advance(float elapsed);

    float d_maxValue = 0.0f;
    float d_currentValue = 0.0f;
    float d_speed = 0.0f;
    bool d_needText = true;
    ClientFrameGuard d_frameGuard;
};

using GameProgressBarFactory = ZuWindowFactory<GameProgressBar>;
} // namespace ZuGUI

namespace CEGUI
{
// Draws the progress bar: "BackGround", "Lights" (in the look's "LightColour") and
// "HighLights" filled to the progress within "ProgressArea", "Frame", and the window text
// centred over the area (in the look's "TextColour").
class GameProgressBarRenderer : public ZuGUI::ModuleRenderer<WindowRenderer>
{
public:
    static const String TypeName;

    explicit GameProgressBarRenderer(const String& type);

protected:
    void RenderImagery() override;

private:
    void RenderText(const Rectf& area) const;
};

using GameProgressBarRendererWRFactory = ZuGUI::ZuWindowRendererFactory<GameProgressBarRenderer>;
} // namespace CEGUI
