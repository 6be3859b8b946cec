#include "ZuGUIElements/web/EmbeddedWebWindows.h"

#include <CEGUI/WindowManager.h>

#include <algorithm>
#include <vector>

namespace ZuGUI
{
namespace EmbeddedWebWindows
{
namespace
{
std::vector<IEmbeddedWebWindow*>& OpenWindows()
{
    static std::vector<IEmbeddedWebWindow*> windows;
    return windows;
}
} // namespace

void Add(IEmbeddedWebWindow& window)
{
    std::vector<IEmbeddedWebWindow*>& windows = OpenWindows();
    if (std::find(windows.begin(), windows.end(), &window) == windows.end())
        windows.push_back(&window);
}

void Remove(IEmbeddedWebWindow& window)
{
    std::vector<IEmbeddedWebWindow*>& windows = OpenWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), &window), windows.end());
}

bool IsHTMLWindowOpened()
{
    return !OpenWindows().empty();
}

void SyncronizeAll()
{
    // A copy, so that a window closing during its synchronisation cannot break the walk.
    const std::vector<IEmbeddedWebWindow*> windows = OpenWindows();
    for (IEmbeddedWebWindow* window : windows)
        window->SyncronizeWebCtrlRect();
}

void ManipulateImbeddedIEWindow(int operation, int, int)
{
    if (operation != 0)
        return;
    const std::vector<IEmbeddedWebWindow*> windows = OpenWindows();
    for (IEmbeddedWebWindow* window : windows)
        CEGUI::WindowManager::getSingleton().destroyWindow(&window->HostWindow());
}
} // namespace EmbeddedWebWindows
} // namespace ZuGUI
