// A scene of the demo: the sidebar (what the module registered and what the game client got)
// beside one scene layout, as the GUI context's root. Each scene scripts what happens over its
// frames. Destroying a scene destroys its windows at once, so that the module's windows leave
// the host while it is still bound.
#pragma once

#include <CEGUI/InputEvent.h>
#include <CEGUI/Vector.h>

#include <functional>
#include <memory>
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
class SampleGameClient;

class DemoScene
{
public:
    virtual ~DemoScene();
    DemoScene(const DemoScene&) = delete;
    DemoScene& operator=(const DemoScene&) = delete;

    const std::string& Name() const { return m_name; }
    // Frames that a hidden run draws before the screenshot.
    virtual int Frames() const = 0;
    // Runs the scene's script before frame `frame` (from 1) is drawn, `seconds` into the scene.
    virtual void BeforeFrame(int frame, float seconds, SampleGameClient& client) = 0;
    // What the scene did, for the demo's output.
    const std::vector<std::string>& Report() const { return m_report; }

protected:
    // Throws CEGUI::Exception when a layout cannot be loaded.
    DemoScene(CEGUI::GUIContext& context, std::string name, const char* layout);

    CEGUI::Window& Child(const CEGUI::String& path) const;
    CEGUI::GUIContext& Context() const { return m_context; }
    void AddToReport(std::string line) { m_report.push_back(std::move(line)); }

    // Through CEGUI's input injection, as a player would.
    void Click(const CEGUI::String& path, CEGUI::MouseButton button);
    void ClickAt(const CEGUI::Vector2f& point, CEGUI::MouseButton button);
    // Throws std::logic_error when `path` is no rich text view.
    ZuGUI::CGameMultiLine& View(const CEGUI::String& path) const;
    using BlockTest = std::function<bool(const ZuGUI::ITextBlock&)>;
    // The screen point a little inside the first block of `view` that passes `test`; throws
    // std::logic_error when none does.
    CEGUI::Vector2f PointOnBlock(const ZuGUI::CGameMultiLine& view, const BlockTest& test) const;
    // The point on the command text `text` of the view at `viewPath`.
    CEGUI::Vector2f PointOnCommand(const CEGUI::String& viewPath, const CEGUI::String& text) const;
    // The pointer of a hidden run has no screen to stay on: gives it the whole display.
    void FreePointer();

    // Shows the commands, script calls, sounds and web window calls among lines of the game
    // client's log in the sidebar, long values shortened and the "_KeyVal_Cmd_" prefix of command
    // keys left out.
    void ShowHostLog(const std::vector<std::string>& lines);
    // Shows what the client received since the scene's script began.
    void ShowHostLogSince(std::size_t firstLine, const SampleGameClient& client);

private:
    void DestroyWindows();

    CEGUI::GUIContext& m_context;
    std::string m_name;
    CEGUI::Window* m_root = nullptr;
    std::vector<std::string> m_report;
};

// The demo's scenes, in the order in which a run shows them.
std::vector<std::string> DemoSceneNames();
// Throws std::invalid_argument for an unknown name.
std::unique_ptr<DemoScene> MakeDemoScene(const std::string& name, CEGUI::GUIContext& context);
} // namespace ZuDemo
