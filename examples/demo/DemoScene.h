// The demo's screen: the demo layout as the GUI context's root, with the list of what the
// module registered, a cast bar that keeps casting, rich text views, and the scripted clicks
// whose effect on the game client the screen shows. Destroying the scene destroys its windows
// at once, so that the module's windows leave the host while it is still bound.
#pragma once

#include <CEGUI/InputEvent.h>
#include <CEGUI/Vector.h>

#include <functional>

#include <string>
#include <vector>

namespace CEGUI
{
class GUIContext;
class Window;
} // namespace CEGUI

namespace ZuGUI
{
class CGameMultiLine;
class ITextBlock;
} // namespace ZuGUI

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

    // Through CEGUI's input injection, as a player would: clicks the bag's first, second and
    // fourth slots with the left, right and middle buttons and the equipped sword; clicks a
    // name, an item link and an emote in the chat; scrolls the chat log to its end with the
    // wheel; and leaves the pointer over a command text, which is then drawn highlighted.
    void PlayScriptedClicks();
    // Shows the commands and script calls among lines of the game client's log on the
    // screen, long values shortened and the "_KeyVal_Cmd_" prefix of command keys left out.
    void ShowHostLog(const std::vector<std::string>& lines);

private:
    using BlockTest = std::function<bool(const ZuGUI::ITextBlock&)>;

    void DestroyWindows();
    void Click(const CEGUI::String& path, CEGUI::MouseButton button);
    void ClickAt(const CEGUI::Vector2f& point, CEGUI::MouseButton button);
    void KeepCasting();
    ZuGUI::CGameMultiLine& View(const CEGUI::String& path) const;
    // The screen point a little inside the first block of `view` that passes `test`.
    CEGUI::Vector2f PointOnBlock(const ZuGUI::CGameMultiLine& view, const BlockTest& test) const;
    CEGUI::Vector2f PointOnCommand(const CEGUI::String& viewPath, const CEGUI::String& text) const;

    CEGUI::GUIContext& m_context;
    CEGUI::Window* m_root = nullptr;
};
} // namespace ZuDemo
