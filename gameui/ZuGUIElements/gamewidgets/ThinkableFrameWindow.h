// CThinkableFrameWindow ("ZuGame/CThinkableFrameWindow"): CEGUI's frame window that raises
// "Think" for scripts once its "ThinkingCycle" has run out, and then at every frame until the
// cycle is set again; a cycle of 0 never thinks.
#pragma once

#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/widgets/FrameWindow.h>

namespace ZuGUI
{
class CThinkableFrameWindow : public SharedPropertyLayer<CThinkableFrameWindow, CEGUI::FrameWindow>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::String EventThink;
    static const CEGUI::ShareProSet s_SharePros;

    using SharedPropertyLayer::SharedPropertyLayer;

    float getThinkingCycle() const { return d_thinkingCycle; }
    // Starts the countdown again from `seconds`.
    void setThinkingCycle(float seconds);

protected:
    void updateSelf(float elapsed) override;
    virtual void onThink(CEGUI::WindowEventArgs& e);

private:
    float d_thinkingCycle = 0.0f;
    float d_timeLeft = 0.0f;
};

using CThinkableFrameWindowFactory = ZuWindowFactory<CThinkableFrameWindow>;
} // namespace ZuGUI
