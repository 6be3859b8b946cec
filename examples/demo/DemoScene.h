// The demo's screen: the demo layout as the GUI context's root, with the list of what the
// module registered. Destroying the scene destroys its windows at once, so that the module's
// windows leave the host while it is still bound.
#pragma once

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

private:
    void DestroyWindows();

    CEGUI::GUIContext& m_context;
    CEGUI::Window* m_root = nullptr;
};
} // namespace ZuDemo
