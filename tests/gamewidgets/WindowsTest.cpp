#include "support/CeguiFixture.h"
#include "support/QuadGeometry.h"
#include "support/RecordingHost.h"
#include "support/TestLogger.h"

#include "ZuGUIElements/gamewidgets/GuideBox.h"
#include "ZuGUIElements/gamewidgets/ThinkableFrameWindow.h"
#include "ZuGUIElements/gamewidgets/ZuDecorateWindow.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ZuGUI::CZuDecorateWindow;
using ZuTest::RecordingHost;

class WindowsTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("WindowsTest");
    }

    void Press(float x, float y, CEGUI::MouseButton button)
    {
        Context().injectMousePosition(x, y);
        Context().injectMouseButtonDown(button);
    }

    RecordingHost m_host;
};

TEST_F(WindowsTest, APushButtonAsksForItsSoundAtItsCentre)
{
    ZuTest::ScopedHost scoped(&m_host);
    CEGUI::Window& button = CreateChild("ZuTest/GamePushButton", "Ok", 100, 50, 81, 31);
    EXPECT_EQ("interface.button", button.getProperty("SoundName"));
    for (const char* sound : {"interface.button", ""})
    {
        button.setProperty("SoundName", sound);
        Context().injectMousePosition(110, 60);
        Context().injectMouseButtonDown(CEGUI::LeftButton);
        Context().injectMouseButtonUp(CEGUI::LeftButton);
    }
    const CEGUI::Rectf inner = button.getUnclippedInnerRect().get();
    EXPECT_THAT(m_host.CallLines("PlayUISound"),
                ElementsAre("PlayUISound(" +
                            std::to_string(int((inner.left() + inner.right()) / 2)) + ", " +
                            std::to_string(int((inner.top() + inner.bottom()) / 2)) +
                            ", \"interface.button\")"));
}

TEST_F(WindowsTest, ADecoratedWindowIsDraggedByItselfWithThePointerKeptInside)
{
    CEGUI::Window& frame = CreateChild("DefaultWindow", "Frame", 100, 100, 600, 400);
    auto* window = static_cast<CZuDecorateWindow*>(
        CEGUI::WindowManager::getSingleton().createWindow("ZuGame/DecorateWindow", "Deco"));
    frame.addChild(window);
    window->setArea(CEGUI::URect(CEGUI::UDim(0, 50), CEGUI::UDim(0, 50), CEGUI::UDim(0, 250),
                                 CEGUI::UDim(0, 150)));
    CEGUI::Window* child =
        CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "Knob");
    window->addChild(child);
    child->setArea(
        CEGUI::URect(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0), CEGUI::UDim(0, 20), CEGUI::UDim(0, 20)));
    window->setProperty("DraggingEnabled", "True");
    CEGUI::MouseCursor& cursor = Context().getMouseCursor();
    const CEGUI::Rectf display = cursor.getConstraintArea();
    // A press that the window leaves unhandled goes on to its parent.
    window->setMouseInputPropagationEnabled(true);
    child->setMouseInputPropagationEnabled(true);
    std::vector<int> reachedParent;
    frame.subscribeEvent(CEGUI::Window::EventMouseButtonDown,
                         CEGUI::Event::Subscriber(
                             [&](const CEGUI::EventArgs& args)
                             {
                                 reachedParent.push_back(
                                     static_cast<const CEGUI::MouseEventArgs&>(args).button);
                                 return false;
                             }));

    Press(155, 155, CEGUI::LeftButton); // on the child
    EXPECT_FALSE(window->isDragging());
    Context().injectMouseButtonUp(CEGUI::LeftButton);
    Press(220, 200, CEGUI::RightButton);
    Context().injectMouseButtonUp(CEGUI::RightButton);
    EXPECT_THAT(reachedParent, ElementsAre(CEGUI::RightButton));

    Press(220, 200, CEGUI::LeftButton);
    ASSERT_TRUE(window->isDragging());
    // The pointer stays inside the root, the frame's parent.
    EXPECT_EQ(Root().getInnerRectClipper(), cursor.getConstraintArea());
    Context().injectMousePosition(260, 230);
    EXPECT_EQ(CEGUI::UVector2(CEGUI::UDim(0, 90), CEGUI::UDim(0, 80)), window->getPosition());
    // Turning dragging off ends the drag and gives the pointer its old area back.
    window->setDraggingEnabled(false);
    EXPECT_FALSE(window->isDragging());
    EXPECT_EQ(display, cursor.getConstraintArea());
    Context().injectMousePosition(300, 300);
    EXPECT_EQ(CEGUI::UVector2(CEGUI::UDim(0, 90), CEGUI::UDim(0, 80)), window->getPosition());
    Context().injectMouseButtonUp(CEGUI::LeftButton);
}

TEST_F(WindowsTest, ADraggedDecoratedWindowStaysInsideItsParent)
{
    CEGUI::Window& frame = CreateChild("DefaultWindow", "Frame", 100, 100, 600, 400);
    auto* window = static_cast<CZuDecorateWindow*>(
        CEGUI::WindowManager::getSingleton().createWindow("ZuGame/DecorateWindow", "Deco"));
    frame.addChild(window);
    window->setProperty("DraggingEnabled", "True");
    // Each press somewhere else, so that none is taken for a double click.
    const struct
    {
        float width, height; // of the window
        float fromX;         // where the pointer is pressed, at y 180
        float toX, toY;      // and where it is dragged
        float left, top;     // where the window ends, within the frame
    } cases[] = {
        {200, 100, 160, 1000, 700, 400, 300}, // past the right and bottom edges
        {200, 100, 200, 0, 0, 0, 0},          // past the left and top edges
        {200, 100, 240, 300, 230, 110, 100},  // inside: moved as far as the pointer
        {800, 100, 280, 0, 300, 0, 170},      // wider than the frame: its left edge stays inside
    };
    for (const auto& c : cases)
    {
        window->setArea(CEGUI::URect(CEGUI::UDim(0, 50), CEGUI::UDim(0, 50),
                                     CEGUI::UDim(0, 50 + c.width), CEGUI::UDim(0, 50 + c.height)));
        Press(c.fromX, 180, CEGUI::LeftButton);
        ASSERT_TRUE(window->isDragging()) << c.fromX;
        Context().injectMousePosition(c.toX, c.toY);
        Context().injectMouseButtonUp(CEGUI::LeftButton);
        EXPECT_EQ(CEGUI::UVector2(CEGUI::UDim(0, c.left), CEGUI::UDim(0, c.top)),
                  window->getPosition())
            << c.fromX;
    }
}

TEST_F(WindowsTest, AThinkingWindowThinksOnceItsCycleHasRunOut)
{
    auto& window =
        static_cast<ZuGUI::CThinkableFrameWindow&>(CreateChild("ZuTest/ThinkingFrame", "Thinker"));
    int thoughts = 0;
    window.subscribeEvent("Think", CEGUI::Event::Subscriber(
                                       [&](const CEGUI::EventArgs&)
                                       {
                                           ++thoughts;
                                           return true;
                                       }));
    for (int frame = 0; frame < 8; ++frame)
        Context().injectTimePulse(0.5f);
    EXPECT_EQ(0, thoughts) << "cycle 0 never thinks";

    window.setProperty("ThinkingCycle", "2");
    std::vector<int> thoughtsByFrame;
    for (int frame = 0; frame < 7; ++frame)
    {
        Context().injectTimePulse(0.5f);
        thoughtsByFrame.push_back(thoughts);
    }
    // 2.0 s have passed after four frames; from the fifth every frame thinks.
    EXPECT_THAT(thoughtsByFrame, ElementsAre(0, 0, 0, 0, 1, 2, 3));
    EXPECT_EQ("2", window.getProperty("ThinkingCycle"));
}

TEST_F(WindowsTest, AGuideBoxDrawsTheBackgroundItsLookNamesUnderItsText)
{
    auto quadColours = [](CEGUI::Window& window)
    {
        std::vector<CEGUI::argb_t> colours;
        for (const ZuTest::Quad& quad : ZuTest::WindowQuads(window))
            colours.push_back(quad.colour.getARGB());
        return colours;
    };
    CEGUI::Window& guide = CreateChild("ZuTest/GuideBox", "Guide", 10, 10, 200, 80);
    guide.setText("Follow the road north.");
    RenderFrame();
    ASSERT_FALSE(quadColours(guide).empty());
    EXPECT_EQ(0xFFE0C080u, quadColours(guide).front());
    guide.setProperty("StateImage", "Night");
    RenderFrame();
    EXPECT_EQ(0xFF102040u, quadColours(guide).front());

    // Without the property, or naming an imagery the look lacks: the text alone, one warning.
    ZuTest::TestLogger::Get().Clear();
    CEGUI::Window& plain = CreateChild("ZuTest/GuideBoxPlain", "Plain", 10, 100, 200, 80);
    plain.setText("Follow the road north.");
    guide.setProperty("StateImage", "Missing");
    for (int i = 0; i < 3; ++i)
    {
        plain.invalidate();
        guide.invalidate();
        RenderFrame();
    }
    EXPECT_EQ(quadColours(plain).size(), quadColours(guide).size());
    EXPECT_EQ(1, ZuTest::TestLogger::Get().Count(
                     "ZuGUIElements: window 'TestRoot/Plain': look \"ZuTest/GuideBoxPlain\" has "
                     "no \"StateImage\" property: the guide box draws no background"));
    EXPECT_EQ(1, ZuTest::TestLogger::Get().Count(
                     "ZuGUIElements: window 'TestRoot/Guide': look \"ZuTest/GuideBox\" has no "
                     "state imagery \"Missing\": not drawn"));
}
} // namespace
