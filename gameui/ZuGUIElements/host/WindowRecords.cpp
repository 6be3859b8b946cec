#include "ZuGUIElements/host/WindowRecords.h"

#include "ZuGUIElements/host/ClientLink.h"

#include <CEGUI/GlobalEventSet.h>
#include <CEGUI/Window.h>
#include <CEGUI/WindowManager.h>

#include <map>
#include <set>

namespace ZuGUI
{
namespace
{
class WindowRecords
{
public:
    static WindowRecords& Get()
    {
        static WindowRecords records;
        return records;
    }

    void Track()
    {
        // Each connection lapses with the event set of a CEGUI system that is shut down.
        if (!CEGUI::WindowManager::getSingletonPtr())
            return;
        if (!d_destructionStarted.isValid() || !d_destructionStarted->connected())
            d_destructionStarted = CEGUI::GlobalEventSet::getSingleton().subscribeEvent(
                CEGUI::Window::EventNamespace + "/" + CEGUI::Window::EventDestructionStarted,
                CEGUI::Event::Subscriber(&WindowRecords::OnDestructionStarted, this));
        if (!d_destroyed.isValid() || !d_destroyed->connected())
            d_destroyed = CEGUI::WindowManager::getSingleton().subscribeEvent(
                CEGUI::WindowManager::EventWindowDestroyed,
                CEGUI::Event::Subscriber(&WindowRecords::OnDestroyed, this));
    }

    CEGUI::String NameOf(const CEGUI::Window& window) const
    {
        const auto found = d_pathsAtDestruction.find(&window);
        return found != d_pathsAtDestruction.end() ? found->second : window.getNamePath();
    }

    bool FirstReport(const CEGUI::Window& window, const CEGUI::String& message)
    {
        return d_reported[&window].insert(message).second;
    }

private:
    // The tree is still whole when the destruction of its top window starts: its windows keep
    // the paths they have now while CEGUI takes the tree apart.
    bool OnDestructionStarted(const CEGUI::EventArgs& args)
    {
        RecordPaths(*static_cast<const CEGUI::WindowEventArgs&>(args).window);
        return false;
    }

    void RecordPaths(const CEGUI::Window& window)
    {
        d_pathsAtDestruction.emplace(&window, window.getNamePath());
        for (std::size_t i = 0; i < window.getChildCount(); ++i)
            RecordPaths(*window.getChildAtIdx(i));
    }

    bool OnDestroyed(const CEGUI::EventArgs& args)
    {
        const CEGUI::Window* window = static_cast<const CEGUI::WindowEventArgs&>(args).window;
        d_pathsAtDestruction.erase(window);
        d_reported.erase(window);
        return false;
    }

    CEGUI::Event::Connection d_destructionStarted;
    CEGUI::Event::Connection d_destroyed;
    std::map<const CEGUI::Window*, CEGUI::String> d_pathsAtDestruction;
    std::map<const CEGUI::Window*, std::set<CEGUI::String>> d_reported;
};
} // namespace

void TrackWindowDestruction()
{
    WindowRecords::Get().Track();
}

CEGUI::String HostWindowName(const CEGUI::Window& window)
{
    return WindowRecords::Get().NameOf(window);
}

void NotifyClientOfDestruction(const CEGUI::Window& window)
{
    if (IZuGUI* host = GetHost())
        host->NotifyWindowDestroyed(HostWindowName(window).c_str());
}

void LogOncePerWindow(const CEGUI::Window& window, const CEGUI::String& message,
                      CEGUI::LoggingLevel level)
{
    WindowRecords& records = WindowRecords::Get();
    records.Track();
    if (!records.FirstReport(window, message))
        return;
    if (CEGUI::Logger* logger = CEGUI::Logger::getSingletonPtr())
        logger->logEvent("ZuGUIElements: window '" + window.getNamePath() + "': " + message, level);
}
} // namespace ZuGUI
