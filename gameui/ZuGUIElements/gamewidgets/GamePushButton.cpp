#include "ZuGUIElements/gamewidgets/GamePushButton.h"

#include "ZuGUIElements/host/ClientLink.h"

namespace ZuGUI
{
const CEGUI::String CGamePushButton::WidgetTypeName("ZuGame/GamePushButton");
const CEGUI::String CGamePushButton::EventNamespace("GamePushButton");

const CEGUI::ShareProSet CGamePushButton::s_SharePros{
    WidgetProperty<&CGamePushButton::getSoundName, &CGamePushButton::setSoundName>(
        "SoundName", "Property to get/set the sound for ui .  Value is a string.",
        "interface.button"),
};

void CGamePushButton::onClicked(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onClicked(e);
    IZuGUI* host = GetHost();
    if (d_soundName.empty() || !host)
        return;
    const CEGUI::Rectf inner = getUnclippedInnerRect().get();
    host->PlayUISound(static_cast<int>((inner.left() + inner.right()) / 2.0f),
                      static_cast<int>((inner.top() + inner.bottom()) / 2.0f), d_soundName.c_str());
}
} // namespace ZuGUI
