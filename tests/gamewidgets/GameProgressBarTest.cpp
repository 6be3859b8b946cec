#include "SampleLook.h"
#include "support/QuadGeometry.h"

#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/gamewidgets/GameProgressBar.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;
using ZuGUI::GameProgressBar;
using ZuTest::Quad;
using ZuTest::RecordingHost;
using ZuTest::WindowQuads;

enum QuadIndex
{
    kBackground,
    kLights,
    kHighLights,
    kFrame,
    kFirstGlyph,
};

class GameProgressBarTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("GameProgressBarTest");
        m_host.uiTime = 100.0f;
    }

    // A bar with the given maximum, current value and speed; the first frame step, which only
    // records the host's time, has run.
    GameProgressBar& CreateRunningBar(const char* maxValue, const char* curValue, const char* speed)
    {
        auto& bar = static_cast<GameProgressBar&>(
            CreateChild("ZuTest/GameProgressBar", "Cast", 10, 10, 200, 20));
        bar.setProperty("MaxValue", maxValue);
        bar.setProperty("CurValue", curValue);
        bar.setProperty("Speed", speed);
        bar.subscribeEvent(GameProgressBar::EventAdvancedToOne,
                           [this](const CEGUI::EventArgs&) { ++m_toOne; });
        bar.subscribeEvent(GameProgressBar::EventAdvancedToZero,
                           [this](const CEGUI::EventArgs&) { ++m_toZero; });
        Frame(0.1f);
        return bar;
    }

    // One frame of the game: the host's UI time moves on, then CEGUI gets the same time.
    void Frame(float seconds)
    {
        m_host.uiTime += seconds;
        Context().injectTimePulse(seconds);
    }

    void Frames(int count, float seconds)
    {
        for (int i = 0; i < count; ++i)
            Frame(seconds);
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
    int m_toOne = 0;
    int m_toZero = 0;
};

TEST_F(GameProgressBarTest, TwoUpdatesInOneHostFrameAdvanceOnce)
{
    GameProgressBar& bar = CreateRunningBar("10", "0", "5");
    EXPECT_EQ(0.0f, bar.getCurrVal()) << "the first step only records the time";
    m_host.uiTime += 0.1f;
    Context().injectTimePulse(0.1f);
    Context().injectTimePulse(0.1f);
    EXPECT_FLOAT_EQ(0.5f, bar.getCurrVal());

    Frame(0.2f);
    EXPECT_FLOAT_EQ(1.5f, bar.getCurrVal());
    EXPECT_FLOAT_EQ(0.15f, bar.getProgress());
}

// A client clock of whole milliseconds at 60 frames a second moves 16 or 17 ms a frame while
// CEGUI is given 16.67 ms: every frame still advances the bar.
TEST_F(GameProgressBarTest, AClockOfWholeMillisecondsAdvancesEveryFrame)
{
    GameProgressBar& bar = CreateRunningBar("100", "0", "1");
    const float frame = 1.0f / 60.0f;
    for (int i = 1; i <= 60; ++i)
    {
        m_host.uiTime = 100.1f + (i * 1000 / 60) / 1000.0f;
        Context().injectTimePulse(frame);
    }
    EXPECT_NEAR(1.0f, bar.getCurrVal(), 0.001f) << "60 frames of 1/60 s at 1 per second";
}

TEST_F(GameProgressBarTest, RisingBarFiresAdvancedToOneOnceAndStops)
{
    GameProgressBar& bar = CreateRunningBar("10", "0", "5");
    Frames(21, 0.1f);
    EXPECT_GE(bar.getCurrVal(), 10.0f);
    EXPECT_LT(bar.getCurrVal(), 10.0f + 0.5f + 1e-4f);
    EXPECT_FLOAT_EQ(1.0f, bar.getProgress());
    EXPECT_EQ(1, m_toOne);

    const float reached = bar.getCurrVal();
    Frames(10, 0.1f);
    EXPECT_EQ(reached, bar.getCurrVal());
    EXPECT_EQ(1, m_toOne);
    EXPECT_EQ(0, m_toZero);
}

TEST_F(GameProgressBarTest, FallingBarStopsEmptyOnceItPassesZero)
{
    GameProgressBar& bar = CreateRunningBar("10", "10", "-2");
    // 0.3 s frames take 0.6 off: the 17th step would land at -0.2.
    Frames(16, 0.3f);
    EXPECT_GT(bar.getCurrVal(), 0.0f);
    EXPECT_EQ(0, m_toZero);

    Frame(0.3f);
    EXPECT_EQ(0.0f, bar.getCurrVal());
    EXPECT_EQ(0.0f, bar.getProgress());
    EXPECT_EQ(1, m_toZero);

    Frames(10, 0.3f);
    EXPECT_EQ(0.0f, bar.getCurrVal());
    EXPECT_EQ(0.0f, bar.getProgress()) << "the bar stays empty instead of refilling";
    EXPECT_EQ(1, m_toZero);

    // A new speed sets it going again.
    bar.setProperty("Speed", "2");
    Frame(0.5f);
    EXPECT_FLOAT_EQ(1.0f, bar.getCurrVal());
}

TEST_F(GameProgressBarTest, FallingBarBelowZeroByScriptStaysPut)
{
    GameProgressBar& bar = CreateRunningBar("10", "4", "-1");
    bar.setProperty("CurValue", "-5");
    EXPECT_EQ(1, m_toZero);
    EXPECT_FLOAT_EQ(0.5f, bar.getProgress()) << "a negative value shows as its absolute ratio";

    Frames(5, 0.1f);
    EXPECT_FLOAT_EQ(-5.0f, bar.getCurrVal());
    EXPECT_EQ(1, m_toZero);
}

TEST_F(GameProgressBarTest, SettingTheValueFiresTheEventOfTheRunningDirection)
{
    GameProgressBar& bar = CreateRunningBar("10", "0", "1");
    bar.setProperty("CurValue", "12");
    EXPECT_EQ(1, m_toOne);
    bar.setProperty("CurValue", "12");
    EXPECT_EQ(1, m_toOne) << "an equal value changes nothing";

    bar.setProperty("Speed", "0");
    bar.setProperty("CurValue", "15");
    bar.setProperty("CurValue", "-1");
    EXPECT_EQ(1, m_toOne);
    EXPECT_EQ(0, m_toZero);

    bar.setProperty("Speed", "-1");
    bar.setProperty("CurValue", "0");
    EXPECT_EQ(1, m_toZero);
}

TEST_F(GameProgressBarTest, ZeroMaximumShowsNothingAndNaNIsIgnored)
{
    GameProgressBar& bar = CreateRunningBar("0", "5", "0");
    EXPECT_EQ(0.0f, bar.getProgress());

    bar.setProperty("MaxValue", "10");
    bar.setProperty("CurValue", "nan");
    bar.setProperty("Speed", "nan");
    EXPECT_FLOAT_EQ(5.0f, bar.getCurrVal());
    EXPECT_EQ(0.0f, bar.getSpeed());
    EXPECT_FLOAT_EQ(0.5f, bar.getProgress());
}

TEST_F(GameProgressBarTest, DestructionIsReportedByNamePathAlsoWithItsParent)
{
    GameProgressBar& bar = CreateRunningBar("10", "0", "0");
    m_host.ClearCalls();
    CEGUI::WindowManager::getSingleton().destroyWindow(&bar);
    EXPECT_THAT(m_host.CallLines(), ElementsAre("NotifyWindowDestroyed(\"TestRoot/Cast\")"));

    // CEGUI detaches a child before it destroys it with its parent: the path is the one the
    // bar had when the panel's destruction began.
    CEGUI::Window& panel = CreateChild("DefaultWindow", "Panel");
    panel.addChild(&CreateRunningBar("10", "0", "0"));
    m_host.ClearCalls();
    CEGUI::WindowManager::getSingleton().destroyWindow(&panel);
    EXPECT_THAT(m_host.CallLines(), ElementsAre("NotifyWindowDestroyed(\"TestRoot/Panel/Cast\")"));
}

TEST_F(GameProgressBarTest, WithoutHostTheBarNeitherRunsNorReports)
{
    GameProgressBar& bar = CreateRunningBar("10", "0", "5");
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    Frames(3, 0.1f);
    EXPECT_EQ(0.0f, bar.getCurrVal());
    m_host.ClearCalls();
    CEGUI::WindowManager::getSingleton().destroyWindow(&bar);
    EXPECT_THAT(m_host.Calls(), IsEmpty());
}

TEST_F(GameProgressBarTest, RendererLightsTheProgressAndCentresTheText)
{
    GameProgressBar& bar = CreateRunningBar("10", "2.5", "0");
    bar.setText("Cast");
    RenderFrame();
    const std::vector<Quad> quads = WindowQuads(bar);
    ASSERT_THAT(quads, SizeIs(kFirstGlyph + 4));
    EXPECT_EQ(CEGUI::Rectf(0, 0, 200, 20), quads[kBackground].rect);
    EXPECT_EQ(CEGUI::Rectf(4, 2, 52, 18), quads[kLights].rect);
    EXPECT_EQ(CEGUI::Colour(0, 0, 1, 1), quads[kLights].colour);
    EXPECT_EQ(CEGUI::Colour(1, 1, 1, 1), quads[kHighLights].colour);

    // The glyphs are centred in the progress area and drawn in the text colour.
    const float textLeft = quads[kFirstGlyph].rect.left();
    const float textRight = quads.back().rect.right();
    EXPECT_NEAR(100.0f, (textLeft + textRight) / 2.0f, 2.0f);
    EXPECT_EQ(CEGUI::Colour(1, 0, 0, 1), quads[kFirstGlyph].colour);

    bar.setProperty("NeedText", "False");
    RenderFrame();
    EXPECT_THAT(WindowQuads(bar), SizeIs(kFirstGlyph));
}

TEST_F(GameProgressBarTest, SampleLookDrawsTheCastBarWithItsText)
{
    const CEGUI::WidgetLookFeel& look =
        ZuTest::SampleLook("ZuLook.GameProgressBar.looknfeel", "ZuLook/GameProgressBar");
    EXPECT_THAT(ZuTest::MissingStateImagery(look, {"BackGround", "Lights", "HighLights", "Frame"}),
                IsEmpty());
    EXPECT_TRUE(look.isNamedAreaDefined("ProgressArea"));

    GameProgressBar& bar = CreateRunningBar("10", "5", "0");
    bar.setLookNFeel("ZuLook/GameProgressBar");
    RenderFrame();
    const std::size_t withoutText = WindowQuads(bar).size();
    bar.setText("Fire Bolt");
    RenderFrame();
    EXPECT_EQ(withoutText + 8, WindowQuads(bar).size()) << "one quad per glyph of \"Fire Bolt\"";
}

} // namespace
