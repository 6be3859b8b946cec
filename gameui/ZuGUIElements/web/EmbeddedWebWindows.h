// The set of open embedded web windows, which the host reaches through the module manager:
// is any open, keep them all in place, close them all. A web window adds itself once its
// web control exists and removes itself when its destruction starts.
#pragma once

namespace CEGUI
{
class Window;
}

namespace ZuGUI
{
class IEmbeddedWebWindow
{
public:
    // The CEGUI window that hosts the control.
    virtual CEGUI::Window& HostWindow() = 0;
    // Moves the web control over the window's current screen rectangle.
    virtual void SyncronizeWebCtrlRect() = 0;

protected:
    ~IEmbeddedWebWindow() = default;
};

namespace EmbeddedWebWindows
{
void Add(IEmbeddedWebWindow& window);
void Remove(IEmbeddedWebWindow& window);

bool IsHTMLWindowOpened();
// Re-synchronises every open web window, in the order in which they were opened.
void SyncronizeAll();
// Operation 0 destroys every open web window through CEGUI's window manager; any other
// operation does nothing. `a` and `b` are not used.
void ManipulateImbeddedIEWindow(int operation, int a, int b);
} // namespace EmbeddedWebWindows
} // namespace ZuGUI
