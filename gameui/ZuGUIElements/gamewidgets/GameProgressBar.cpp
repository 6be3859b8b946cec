#include "ZuGUIElements/gamewidgets/GameProgressBar.h"

#include "ZuGUIElements/gamewidgets/GaugeImagery.h"
#include "ZuGUIElements/host/WindowRecords.h"
#include "ZuGUIElements/host/ClientLink.h"

#include <CEGUI/ColourRect.h>
#include <CEGUI/Font.h>

#include <cmath>

namespace ZuGUI
{
namespace
{
} // namespace

const CEGUI::String GameProgressBar::WidgetTypeName("ZuGame/GameProgressBar");
const CEGUI::String GameProgressBar::EventNamespace("GameProgressBar");
const CEGUI::String GameProgressBar::EventAdvancedToOne("AdvancedToOne");
const CEGUI::String GameProgressBar::EventAdvancedToZero("AdvancedToZero");

const CEGUI::ShareProSet GameProgressBar::s_SharePros{
    WidgetProperty<&GameProgressBar::getMaxVal, &GameProgressBar::setMaxVal>(
        "MaxValue",
        "Property to get/set the setting for max value of the GameProgressBar.  Value is a "
        "number.",
        "0"),
    WidgetProperty<&GameProgressBar::getCurrVal, &GameProgressBar::setCurrVal>(
        "CurValue",
        "Property to get/set the setting for current value of the GameProgressBar.  Value is a "
        "number.",
        "0"),
    WidgetProperty<&GameProgressBar::getSpeed, &GameProgressBar::setSpeed>(
        "Speed",
        "Property to get/set the setting for speed of the GameProgressBar.  Value is a number.",
        "0"),
    WidgetProperty<&GameProgressBar::getNeedPrintText, &GameProgressBar::setNeedPrintText>(
        "NeedText",
        "Property to get/set if this GameProgressBar need print text.  Value is a boolean.",
        "True"),
};

void GameProgressBar::syncronizeProgress()
{
    float ratio = d_maxValue != 0.0f ? d_currentValue / d_maxValue : 0.0f;
    if (std::isnan(ratio)) // infinity over infinity
        ratio = 0.0f;
    setProgress(std::fabs(ratio));
}

void GameProgressBar::setMaxVal(float maxValue)
{
    if (std::isnan(maxValue) || maxValue == d_maxValue)
        return;
    d_maxValue = maxValue;
    syncronizeProgress();
}

void GameProgressBar::setCurrVal(float currentValue)
{
    if (std::isnan(currentValue) || currentValue == d_currentValue)
        return;
    d_currentValue = currentValue;
    syncronizeProgress();
    CEGUI::WindowEventArgs args(this);
    if (d_currentValue >= d_maxValue && d_speed > 0.0f)
        OnAdvancedToOne(args);
    else if (d_currentValue <= 0.0f && d_speed < 0.0f)
        OnAdvancedToZero(args);
}

void GameProgressBar::setSpeed(float speed)
{
    if (!std::isnan(speed))
        d_speed = speed;
}

void GameProgressBar::OnAdvancedToOne(CEGUI::WindowEventArgs& e)
{
    fireEvent(EventAdvancedToOne, e, EventNamespace);
}

void GameProgressBar::OnAdvancedToZero(CEGUI::WindowEventArgs& e)
{
    fireEvent(EventAdvancedToZero, e, EventNamespace);
}

bool GameProgressBar::AtRunningEnd() const
{
    // A falling bar stops at a current value of 0 or below, not at a progress of 0: the
    // progress is the absolute ratio, which grows again below 0.
    return (d_speed > 0.0f && getProgress() >= 1.0f) || (d_speed < 0.0f && d_currentValue <= 0.0f);
}

void GameProgressBar::Advance(float elapsed)
{
    float next = d_currentValue + d_speed * elapsed;
    // A falling bar lands on 0, so that it shows empty once it is done.
    if (d_speed < 0.0f && next < 0.0f)
        next = 0.0f;
    setCurrVal(next);
}

void GameProgressBar::updateSelf(float elapsed)
{
    // CEGUI's own progress bar update is not wanted: the bar runs only here, once per client
    // frame (the first update only records the client's time).
    if (d_frameGuard.Next(elapsed) != ClientFrameGuard::Frame::New || d_speed == 0.0f ||
        AtRunningEnd())
        return;
    Advance(elapsed);
}

void GameProgressBar::onDestructionStarted(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onDestructionStarted(e);
    NotifyClientOfDestruction(*this);
}
} // namespace ZuGUI

namespace CEGUI
{
const String GameProgressBarRenderer::TypeName("ZuGame/GameProgressBarRenderer");

GameProgressBarRenderer::GameProgressBarRenderer(const String& type)
    : ModuleRenderer(type, "ProgressBar")
{
}

void GameProgressBarRenderer::RenderImagery()
{
    const auto* bar = static_cast<const ProgressBar*>(d_window);
    const std::optional<Rectf> area = ZuGUI::GaugeImagery::RenderGauge(
        *d_window, "", bar->getProgress(), ZuGUI::GaugeImagery::LightColour(*d_window));
    const auto* gameBar = dynamic_cast<const ZuGUI::GameProgressBar*>(d_window);
    if (area && gameBar && gameBar->getNeedPrintText())
        RenderText(*area);
}

void GameProgressBarRenderer::RenderText(const Rectf& area) const
{
    const Font* font = d_window->getFont();
    const String& text = d_window->getTextVisual();
    if (!font || text.empty())
        return;
    // Drawn after the imagery, so in front of it.
    const Vector2f position(area.left() + (area.getWidth() - font->getTextExtent(text)) / 2.0f,
                            area.top() + (area.getHeight() - font->getFontHeight()) / 2.0f);
    font->drawText(d_window->getGeometryBuffer(), text, position, &area,
                   ColourRect(ZuGUI::GaugeImagery::TextColour(*d_window)));
}
} // namespace CEGUI
