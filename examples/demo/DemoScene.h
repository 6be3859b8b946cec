// The demo's screen: the demo layout as the GUI context's root, with the list of what the
// module registered, a cast bar that keeps casting, and the scripted clicks whose effect on
// the game client the screen shows. Destroying the scene destroys its windows at once, so
// that the module's windows leave the host while it is still bound.
#pragma once

#include <CEGUI/InputEvent.h>

#include <string>
#include <vector>

namespace CEGUI
{
class GUIContext;
class Window;
} // namespace CEGUI

namespace ZuDemo
{
class DemoScene
{
public:
    // Throws CEGUI::Exception when the layout cannot be loaded.
    explicit DemoScene(CEGUI::GUIContext& context);
    ~DemoScene();
    DemoScene(const DemoScene&) = delete;
    DemoScene& operator=(const DemoScene&) = delete;

    // Clicks the bag's first, second and fourth slots with the left, right and middle buttons
    // through CEGUI's input injection, as a player would.
    void PlayScriptedClicks();
    // Shows lines of the game client's log on the screen.
    void ShowHostLog(const std::vector<std::string>& lines);

private:
    void DestroyWindows();
    void Click(const CEGUI::String& path, CEGUI::MouseButton button);
    void KeepCasting();

    CEGUI::GUIContext& m_context;
    CEGUI::Window* m_root = nullptr;
};
} // namespace ZuDemo
