#include "ZuGUIElements/base/LookImagery.h"

#include "ZuGUIElements/host/WindowRecords.h"

#include <CEGUI/falagard/WidgetLookFeel.h>
#include <CEGUI/falagard/WidgetLookManager.h>

namespace ZuGUI
{
namespace LookImagery
{
namespace
{
LookReadObserver g_lookReadObserver = nullptr;

const CEGUI::WidgetLookFeel* LookOf(const CEGUI::Window& window)
{
    const CEGUI::String& look = window.getLookNFeel();
    if (look.empty())
        return nullptr;
    CEGUI::WidgetLookManager& looks = CEGUI::WidgetLookManager::getSingleton();
    return looks.isWidgetLookAvailable(look) ? &looks.getWidgetLook(look) : nullptr;
}

// The look's own pieces are checked first; the inherited ones only when that fails.
const CEGUI::StateImagery* StateImageryOf(const CEGUI::Window& window, const CEGUI::String& name)
{
    NotifyLookRead(window, LookElement::StateImagery, name);
    const CEGUI::WidgetLookFeel* look = LookOf(window);
    if (!look)
    {
        LogOncePerWindow(window, "no look \"" + window.getLookNFeel() +
                                     "\" is loaded: its renderer draws no look imagery");
        return nullptr;
    }
    if (!look->isStateImageryPresent(name) && !look->getStateImageryNames(true).count(name))
    {
        LogOncePerWindow(window, "look \"" + window.getLookNFeel() + "\" has no state imagery \"" +
                                     name + "\": not drawn");
        return nullptr;
    }
    return &look->getStateImagery(name);
}
} // namespace

void SetLookReadObserver(LookReadObserver observer)
{
    g_lookReadObserver = observer;
}

void NotifyLookRead(const CEGUI::Window& window, LookElement kind, const CEGUI::String& name)
{
    if (g_lookReadObserver)
        g_lookReadObserver(window, kind, name);
}

bool HasLook(const CEGUI::Window& window)
{
    return LookOf(window) != nullptr;
}

void RenderStateImagery(CEGUI::Window& window, const CEGUI::String& name)
{
    if (const CEGUI::StateImagery* imagery = StateImageryOf(window, name))
        imagery->render(window);
}

void RenderStateImageryIn(CEGUI::Window& window, const CEGUI::String& name,
                          const CEGUI::Rectf& area, const CEGUI::ColourRect* colours,
                          const CEGUI::Rectf* clipper)
{
    if (const CEGUI::StateImagery* imagery = StateImageryOf(window, name))
        imagery->render(window, area, colours, clipper);
}

std::optional<CEGUI::Rectf> NamedAreaRect(const CEGUI::Window& window, const CEGUI::String& name)
{
    NotifyLookRead(window, LookElement::NamedArea, name);
    const CEGUI::WidgetLookFeel* look = LookOf(window);
    if (!look || (!look->isNamedAreaDefined(name) && !look->getNamedAreaNames(true).count(name)))
        return std::nullopt;
    return look->getNamedArea(name).getArea().getPixelRect(window);
}
} // namespace LookImagery
} // namespace ZuGUI
