// CGamePushButton ("ZuGame/GamePushButton"): CEGUI's push button that asks the game client to
// play its "SoundName" at the button's centre when it is clicked.
#pragma once

#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/widgets/PushButton.h>

namespace ZuGUI
{
class CGamePushButton : public SharedPropertyLayer<CGamePushButton, CEGUI::PushButton>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::ShareProSet s_SharePros;

    using SharedPropertyLayer::SharedPropertyLayer;

    const CEGUI::String& getSoundName() const { return d_soundName; }
    // An empty name plays nothing.
    void setSoundName(const CEGUI::String& soundName) { d_soundName = soundName; }

protected:
    void onClicked(CEGUI::WindowEventArgs& e) override;

private:
    CEGUI::String d_soundName{"interface.button"};
};

using CGamePushButtonFactory = ZuWindowFactory<CGamePushButton>;
} // namespace ZuGUI
