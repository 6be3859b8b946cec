#include "SampleLook.h"
#include "support/QuadGeometry.h"

#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/gamewidgets/PercentBar.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/platform/Localize.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::SizeIs;
using ZuGUI::CPercentBar;
using ZuTest::Quad;
using ZuTest::RecordingHost;
using ZuTest::WindowQuads;

// The quads of a drawn bar of the test look, in drawing order.
enum QuadIndex
{
    kBackground,
    kLights,
    kHighLights,
    kFrame,
    kFirstDivider,
};

// "BroadProgressArea" of the test look, in window pixels.
const CEGUI::Rectf kBroadArea(10, 5, 190, 25);

class PercentBarTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("PercentBarTest");
        m_host.ReplyWith("GameCreatureProvider",
                         [](KeyValues& reply) { reply.SetInt("CreatureId", 1); });
        m_host.ReplyWith("GameObjectProperty", [this](KeyValues& reply)
                         { reply.SetString("PropertyStringValue", m_answer.c_str()); });
    }

    void TearDown() override
    {
        ZuGUI::SetLocalizer(nullptr);
        CeguiTest::TearDown();
    }

    CPercentBar& CreateBar(const char* type = "ZuTest/PercentBar")
    {
        auto& bar = static_cast<CPercentBar&>(CreateChild(type, "HP", 10, 10, 200, 30));
        bar.setProperty("WhichOne", "Player");
        bar.setProperty("WhichProperty", "HPRatio");
        bar.subscribeEvent(CPercentBar::EventPercentChanged,
                           [this](const CEGUI::EventArgs&) { ++m_percentChanges; });
        return bar;
    }

    // A bar that shows the host's answer `answer`, drawn.
    CPercentBar& CreateAnsweredBar(const std::string& answer, const char* caption = "HP")
    {
        m_answer = answer;
        CPercentBar& bar = CreateBar();
        bar.setProperty("Tooltips2", caption);
        RenderFrame();
        return bar;
    }

    static float LitWidth(CEGUI::Window& bar)
    {
        return WindowQuads(bar).at(kLights).rect.getWidth();
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
    std::string m_answer = "0.25";
    int m_percentChanges = 0;
};

TEST_F(PercentBarTest, NewBarShowsHalfFullUntilTheHostAnswers)
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    CPercentBar& bar = CreateBar();
    RenderFrame();
    EXPECT_FLOAT_EQ(0.5f, bar.GetPercent());
    EXPECT_FLOAT_EQ(90, LitWidth(bar));

    // "Value" declares the initial half: a layout leaves it out, and keeps an empty bar.
    std::ostringstream fresh;
    CEGUI::WindowManager::getSingleton().writeLayoutToStream(bar, fresh);
    EXPECT_THAT(fresh.str(), Not(HasSubstr("name=\"Value\"")));
    bar.setProperty("Value", "0");
    std::ostringstream empty;
    CEGUI::WindowManager::getSingleton().writeLayoutToStream(bar, empty);
    EXPECT_THAT(empty.str(), HasSubstr("name=\"Value\" value=\"0\""));
}

TEST_F(PercentBarTest, AnswerFillsTheBarAndCaptionsThePercentage)
{
    CPercentBar& bar = CreateBar();
    bar.setProperty("Tooltips2", "HP");
    m_host.ClearCalls();
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre("Query(GameCreatureProvider{WhichOne=\"Player\"})",
                            ZuTest::WatchLine("WatchObject", bar, 1),
                            "Query(GameObjectProperty{ObjectId=1 WhichProperty=\"HPRatio\"})"));
    EXPECT_FLOAT_EQ(0.25f, bar.GetPercent());
    EXPECT_EQ("HP 25.00 %", bar.getTooltipText());

    const std::vector<Quad> quads = WindowQuads(bar);
    ASSERT_THAT(quads, SizeIs(4));
    EXPECT_EQ(CEGUI::Rectf(0, 0, 200, 30), quads[kBackground].rect);
    EXPECT_EQ(CEGUI::Rectf(10, 5, 55, 25), quads[kLights].rect);
    EXPECT_EQ(quads[kLights].rect, quads[kHighLights].rect);
    EXPECT_EQ(CEGUI::Rectf(0, 0, 200, 30), quads[kFrame].rect);
}

TEST_F(PercentBarTest, AnswersBeyondTheRangeAreClampedButShownAsGiven)
{
    CPercentBar& bar = CreateAnsweredBar("1.5");
    EXPECT_FLOAT_EQ(1.0f, bar.GetPercent());
    EXPECT_EQ("HP 150.00 %", bar.getTooltipText());
    EXPECT_FLOAT_EQ(180, LitWidth(bar));

    m_answer = "-0.5";
    bar.requestUpdate();
    RenderFrame();
    EXPECT_FLOAT_EQ(0.0f, bar.GetPercent());
    EXPECT_EQ("HP -50.00 %", bar.getTooltipText());
    EXPECT_THAT(WindowQuads(bar), SizeIs(2)) << "nothing lit: background and frame only";

    m_answer = "plenty";
    bar.requestUpdate();
    RenderFrame();
    EXPECT_EQ("HP 0.00 %", bar.getTooltipText());

    // Without a caption there is no tool tip, whatever the value.
    m_answer = "0.75";
    bar.setProperty("Tooltips2", "");
    bar.requestUpdate();
    RenderFrame();
    EXPECT_FLOAT_EQ(0.75f, bar.GetPercent());
    EXPECT_EQ("", bar.getTooltipText());
}

TEST_F(PercentBarTest, UnansweredPropertyQueryChangesNothing)
{
    CPercentBar& bar = CreateAnsweredBar("0.25");
    m_host.SetReply("GameObjectProperty", [](KeyValues&, KeyValues&) { return false; });
    bar.requestUpdate();
    RenderFrame();
    EXPECT_FLOAT_EQ(0.25f, bar.GetPercent());
    EXPECT_EQ("HP 25.00 %", bar.getTooltipText());
}

TEST_F(PercentBarTest, ValueIsClampedAndOnlyChangesFireTheEvent)
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    CPercentBar& bar = CreateBar();
    bar.setProperty("Value", "0.5");
    EXPECT_EQ(0, m_percentChanges);

    bar.setProperty("Value", "-3");
    EXPECT_EQ("0", bar.getProperty("Value"));
    bar.setProperty("Value", "7");
    EXPECT_EQ("1", bar.getProperty("Value"));
    bar.setProperty("Value", "12");
    EXPECT_EQ(2, m_percentChanges);
}

TEST_F(PercentBarTest, DividersSplitTheAreaIntoSegments)
{
    CPercentBar& bar = CreateAnsweredBar("1");
    bar.setProperty("Divide", "4");
    RenderFrame();
    const std::vector<Quad> quads = WindowQuads(bar);
    ASSERT_THAT(quads, SizeIs(kFirstDivider + 3));
    for (int i = 0; i < 3; ++i)
    {
        const float left = kBroadArea.left() + kBroadArea.getWidth() * (i + 1) / 4;
        EXPECT_EQ(CEGUI::Rectf(left, kBroadArea.top(), left + 2, kBroadArea.bottom()),
                  quads[kFirstDivider + i].rect)
            << "divider " << i;
        EXPECT_EQ(CEGUI::Colour(1, 1, 1, 1), quads[kFirstDivider + i].colour);
    }

    bar.setProperty("Divide", "1");
    RenderFrame();
    EXPECT_THAT(WindowQuads(bar), SizeIs(kFirstDivider));
}

TEST_F(PercentBarTest, AbsurdDivisionDrawsAtMostOneDividerPerPixel)
{
    CPercentBar& bar = CreateAnsweredBar("1");
    bar.setProperty("Divide", "2000000000");
    RenderFrame();
    EXPECT_THAT(WindowQuads(bar), SizeIs(kFirstDivider + 179));

    bar.setProperty("Divide", "-4");
    RenderFrame();
    EXPECT_THAT(WindowQuads(bar), SizeIs(kFirstDivider));
}

TEST_F(PercentBarTest, LightColourTintsOnlyTheLights)
{
    CPercentBar& bar = CreateAnsweredBar("0.5");
    std::vector<Quad> quads = WindowQuads(bar);
    EXPECT_EQ(CEGUI::Colour(0, 1, 0, 1), quads[kLights].colour) << "the look's own colour";
    EXPECT_EQ(CEGUI::Colour(1, 1, 1, 1), quads[kHighLights].colour);

    bar.setProperty("LightColour", "FFFF0000");
    RenderFrame();
    EXPECT_EQ(CEGUI::Colour(1, 0, 0, 1), WindowQuads(bar)[kLights].colour);
}

TEST_F(PercentBarTest, LookWithoutPropertiesLightsWhiteWithoutDividers)
{
    m_answer = "0.5";
    CPercentBar& bar = CreateBar("ZuTest/PlainPercentBar");
    RenderFrame();
    const std::vector<Quad> quads = WindowQuads(bar);
    ASSERT_THAT(quads, SizeIs(1)) << "the plain look has the lights only";
    EXPECT_EQ(CEGUI::Colour(1, 1, 1, 1), quads[0].colour);
    EXPECT_EQ(CEGUI::Rectf(0, 0, 100, 30), quads[0].rect);
}

TEST_F(PercentBarTest, StylePrefixesTheImageryAndTheArea)
{
    CPercentBar& bar = CreateAnsweredBar("0.5");
    EXPECT_EQ("Broad", bar.getProperty("Style"));
    bar.setProperty("Style", "Slim");
    RenderFrame();
    const std::vector<Quad> quads = WindowQuads(bar);
    ASSERT_THAT(quads, SizeIs(4));
    EXPECT_EQ(CEGUI::Rectf(20, 10, 70, 14), quads[kLights].rect);

    // A style that the look lacks draws the unprefixed background only.
    bar.setProperty("Style", "Missing");
    RenderFrame();
    EXPECT_THAT(WindowQuads(bar), SizeIs(1));
}

TEST_F(PercentBarTest, CaptionKeysAreStoredLocalised)
{
    CPercentBar& bar = CreateBar();
    bar.setProperty("Tooltips2", "#hp_caption");
    EXPECT_EQ("#hp_caption", bar.getProperty("Tooltips2")) << "the default shows keys as written";

    struct : ZuGUI::ILocalizer
    {
        CEGUI::String Localize(const CEGUI::String& key) const override
        {
            return CEGUI::String("Hit points (") + key + ")";
        }
    } captions;
    ZuGUI::SetLocalizer(&captions);
    bar.setProperty("Tooltips2", "#hp_caption");
    EXPECT_EQ("Hit points (#hp_caption)", bar.getProperty("Tooltips2"));
    bar.setProperty("Tooltips2", "HP #1");
    EXPECT_EQ("HP #1", bar.getProperty("Tooltips2"));

    RenderFrame();
    EXPECT_EQ("HP #1 25.00 %", bar.getTooltipText());
}

TEST_F(PercentBarTest, SampleLookHasBothStylesAndTheLookProperties)
{
    const CEGUI::WidgetLookFeel& look =
        ZuTest::SampleLook("ZuLook.PercentBar.looknfeel", "ZuLook/PercentBar");
    EXPECT_THAT(ZuTest::MissingStateImagery(look, {"BackGround", "BroadLights", "BroadHighLights",
                                                   "BroadFrame", "SlimLights", "SlimHighLights",
                                                   "SlimFrame", "Divider"}),
                ::testing::IsEmpty());
    EXPECT_TRUE(look.isNamedAreaDefined("BroadProgressArea"));
    EXPECT_TRUE(look.isNamedAreaDefined("SlimProgressArea"));

    CPercentBar& bar = CreateAnsweredBar("0.5");
    bar.setLookNFeel("ZuLook/PercentBar");
    bar.setProperty("Divide", "4");
    RenderFrame();
    const std::vector<Quad> broad = WindowQuads(bar);
    ASSERT_FALSE(broad.empty());
    EXPECT_THAT(broad,
                ::testing::Contains(::testing::Field(&Quad::colour, CEGUI::Colour(0xFFD23C32))))
        << "the lights";
    bar.setProperty("Style", "Slim");
    RenderFrame();
    EXPECT_FALSE(WindowQuads(bar).empty());
}

} // namespace
