// Boots CEGUI for text (support/text/TextCegui.h) and the module over it once per test
// program, before its first test, with a logger that keeps the module's log lines.
#pragma once

#include "support/text/TextCegui.h"

#include <gtest/gtest.h>

#include <CEGUI/InputEvent.h>
#include <CEGUI/String.h>

namespace CEGUI
{
class GUIContext;
class Window;
} // namespace CEGUI

namespace ZuTest
{
// Loads the scheme `name` from the tests' data folder, once per test program.
void LoadTestScheme(const char* name);

// Process-wide CEGUI on the NullRenderer; shut down when the test program ends.
class CeguiSystem
{
public:
    static void Boot();
    static void Shutdown();
    static bool IsBooted();
};

// A test with a fresh root window (the display's size) in the default GUI context. Every
// window is destroyed and the host cleared after each test.
class CeguiTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CEGUI::GUIContext& Context() const;
    CEGUI::Window& Root() const { return *m_root; }

    // Creates a window of `type` as a child of the root, at `area` in pixels.
    CEGUI::Window& CreateChild(const CEGUI::String& type, const CEGUI::String& name, float x = 0,
                               float y = 0, float width = 100, float height = 100);
    // Draws every GUI context once, as a frame of the game would.
    void RenderFrame();
    // Types `text` into the active window, character by character.
    void Type(const CEGUI::String& text);
    // Presses and releases `key`.
    void Press(CEGUI::Key::Scan key);

private:
    CEGUI::Window* m_root = nullptr;
};
} // namespace ZuTest
