#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"
#include "support/TestGameWindow.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/ZuToolTip.h"
#include "public/MarkupText.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <cmath>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ZuGUI::CZuToolTip;
using ZuTest::RecordingHost;

class ZuToolTipTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("ToolTipTest");
        ZuTest::RegisterTestGameTypes();
        m_host.uiTime = 10.0f;
        m_host.SetReply("GameObjectTooltip",
                        [](KeyValues& request, KeyValues& reply)
                        {
                            reply.SetString("GameObjectTooltipValue",
                                            ("{T gold:Equipped} item " +
                                             std::string(request.GetString("ObjectId")))
                                                .c_str());
                            return request.GetInt("ObjectId") != 404;
                        });
    }

    CZuToolTip& CreateTip()
    {
        auto& tip = static_cast<CZuToolTip&>(CreateChild("ZuTest/Tooltip", "Tip"));
        tip.setHoverTime(0.3f);
        return tip;
    }

    // A game window under the pointer whose tool tip compares with `compareId` (0: none).
    CEGUI::Window& CreateTarget(const char* name, unsigned compareId, float x = 100, float y = 100)
    {
        auto& target = static_cast<ZuTest::TestGameWindow&>(
            CreateChild(ZuTest::TestGameWindow::WidgetTypeName, name, x, y, 40, 40));
        target.setCompareId(compareId);
        return target;
    }

    void Point(CZuToolTip& tip, CEGUI::Window& target, const char* text)
    {
        const CEGUI::Rectf area = target.getUnclippedOuterRect().get();
        Context().injectMousePosition(area.left() + 5, area.top() + 5);
        target.setTooltipText(text);
        tip.setTargetWindow(&target);
    }

    // One frame of the client: its UI time moves on, then CEGUI's.
    void Frame(float seconds)
    {
        m_host.uiTime += seconds;
        Context().injectTimePulse(seconds);
    }

    std::vector<std::string> CompareQueries() const { return m_host.CallLines("Query"); }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
};

TEST_F(ZuToolTipTest, TheTipShowsRichTextSizedToItAndACompareTipBesideIt)
{
    CZuToolTip& tip = CreateTip();
    ASSERT_NE(nullptr, tip.GetTextView());
    EXPECT_EQ("TestRoot/Tip/__auto_multiline__", tip.GetTextView()->getNamePath());
    EXPECT_EQ("TestRoot/Tip/__auto_multiline2__", tip.GetCompareView()->getNamePath());
    EXPECT_EQ(CEGUI::Sizef(0, 0), tip.getTextSize_impl());

    CEGUI::Window& sword = CreateTarget("Sword", 1101);
    Point(tip, sword, "{T gold:Iron Sword}\nDamage 12-18");
    EXPECT_THAT(CompareQueries(),
                ElementsAre("Query(GameObjectTooltip{ObjectId=1101 GameObjectNeedCmpTxt=1})"));
    EXPECT_EQ(tip.GetTextView()->getDocSize(), tip.getTextSize_impl());
    EXPECT_TRUE(tip.GetCompareView()->isVisible());
    EXPECT_TRUE(tip.GetCompareView()->isDisabled());
    EXPECT_FALSE(tip.GetCompareView()->isClippedByParent());
    EXPECT_EQ("{T gold:Equipped} item 1101", tip.GetCompareView()->getText());
    // Fitted to its text and its look's frame, the view keeps the text on one line.
    const auto* compareDoc =
        static_cast<const ZuGUI::TextBlocks::CRichTextDoc*>(tip.GetCompareView()->QueryDoc());
    EXPECT_EQ(1u, compareDoc->GetLines().size());
    EXPECT_EQ("Equipped item 1101", compareDoc->GetLines().front()->GetText(*tip.GetCompareView()));

    // The total area holds both views.
    const CEGUI::Rectf total = tip.getTotalArea();
    const CEGUI::Rectf compare = tip.GetCompareView()->getUnclippedOuterRect().get();
    EXPECT_LE(total.left(), tip.getUnclippedOuterRect().get().left());
    EXPECT_GE(total.right(), compare.right());
    EXPECT_GE(total.bottom(), compare.bottom());

    // The same text again asks nothing.
    m_host.ClearCalls();
    tip.setText("{T gold:Iron Sword}\nDamage 12-18");
    EXPECT_THAT(CompareQueries(), IsEmpty());

    // A target that compares with nothing (id 0, which is not asked for) or whose compare text
    // has no answer hides it.
    for (unsigned compareId : {0u, 404u})
    {
        CEGUI::Window& other = CreateTarget(compareId ? "Unknown" : "Plain", compareId);
        Point(tip, other, compareId ? "unknown" : "plain");
        EXPECT_FALSE(tip.GetCompareView()->isVisible()) << compareId;
    }
    for (const std::string& query : CompareQueries())
        EXPECT_EQ(std::string::npos, query.find("ObjectId=0 ")) << query;
    CEGUI::Window& label = CreateChild("DefaultWindow", "Label", 100, 100, 40, 40);
    Point(tip, sword, "again");
    Point(tip, label, "no game window");
    EXPECT_FALSE(tip.GetCompareView()->isVisible());
}

TEST_F(ZuToolTipTest, TheCompareTipFollowsTheTargetAndItsCompareIdNotTheText)
{
    CZuToolTip& tip = CreateTip();
    const struct
    {
        const char* name;
        unsigned compareId;
        const char* shown; // the compare text, or "" when hidden
    } icons[] = {{"First", 42, "{T gold:Equipped} item 42"},
                 {"Second", 43, "{T gold:Equipped} item 43"},
                 {"Third", 0, ""}};
    for (const auto& icon : icons)
    {
        // Three icons of one item share its text.
        Point(tip, CreateTarget(icon.name, icon.compareId), "Iron Sword");
        Frame(0.02f);
        EXPECT_EQ(*icon.shown != '\0', tip.GetCompareView()->isVisible()) << icon.name;
        if (*icon.shown)
        {
            EXPECT_EQ(icon.shown, tip.GetCompareView()->getText()) << icon.name;
        }
    }
    // A compare id that changes under the pointer is followed too, and asked for once.
    auto& third = static_cast<ZuTest::TestGameWindow&>(*Root().getChild("Third"));
    third.setCompareId(44);
    m_host.ClearCalls();
    Frame(0.02f);
    Frame(0.02f);
    EXPECT_EQ("{T gold:Equipped} item 44", tip.GetCompareView()->getText());
    EXPECT_EQ(1u, CompareQueries().size());
}

TEST_F(ZuToolTipTest, AClientsOwnPlacementStandsUntilTheTargetChanges)
{
    CZuToolTip& tip = CreateTip();
    CEGUI::Window& sword = CreateTarget("Sword", 1101);
    Point(tip, sword, "Iron Sword");
    const CEGUI::UVector2 corner(CEGUI::UDim(0, 700), CEGUI::UDim(0, 500));
    tip.setPosition(corner);
    // A new text, a frame and CEGUI's own placement of the shown tip leave it there.
    tip.setText("Iron Sword\nDamage 12-18");
    Frame(0.5f);
    Frame(0.5f);
    tip.positionSelf();
    EXPECT_EQ(corner, tip.getPosition());

    CEGUI::Window& axe = CreateTarget("Axe", 0, 300, 300);
    Point(tip, axe, "Axe");
    EXPECT_NE(corner, tip.getPosition());
    EXPECT_LT(tip.getUnclippedOuterRect().get().left(), 400.0f);
}

TEST_F(ZuToolTipTest, LineBreakReachesBothViewsAndLaysTheTipOutAgain)
{
    CZuToolTip& tip = CreateTip();
    CEGUI::Window& sword = CreateTarget("Sword", 1101);
    Point(tip, sword,
          "Grants the wearer a slow recovery of health while resting beside a campfire at night");
    ZuGUI::CGameMultiLine& text = *tip.GetTextView();
    // Whether a line of the text view ends inside a word.
    const auto splitsAWord = [&]
    {
        const auto& lines =
            static_cast<const ZuGUI::TextBlocks::CRichTextDoc*>(text.QueryDoc())->GetLines();
        for (std::size_t i = 0; i + 1 < lines.size(); ++i)
        {
            const CEGUI::String line = lines[i]->GetText(text);
            if (!line.empty() && line[line.length() - 1] != ' ')
                return true;
        }
        return false;
    };
    ASSERT_TRUE(splitsAWord());

    tip.setProperty("LineBreak", "Word");
    EXPECT_EQ("Word", tip.getProperty("LineBreak"));
    EXPECT_EQ(ZuGUI::TextParser::LineBreakMode::Word, text.GetLineBreak());
    EXPECT_EQ(ZuGUI::TextParser::LineBreakMode::Word, tip.GetCompareView()->GetLineBreak());
    EXPECT_FALSE(splitsAWord());
    EXPECT_EQ(text.getDocSize(), tip.getTextSize_impl());
}

TEST_F(ZuToolTipTest, NearTheDisplaysEdgesBothViewsStayOnIt)
{
    CZuToolTip& tip = CreateTip();
    struct Place
    {
        float x;
        float y;
    };
    for (const Place& place : {Place{100, 100}, Place{980, 100}, Place{100, 720}, Place{980, 720}})
    {
        SCOPED_TRACE(std::to_string(place.x) + "," + std::to_string(place.y));
        CEGUI::Window& target = CreateTarget("Edge", 1101, place.x, place.y);
        Point(tip, target, "{T gold:Iron Sword}\na long second line of the tool tip");
        const CEGUI::Rectf total = tip.getTotalArea();
        EXPECT_GE(total.left(), 0.0f);
        EXPECT_GE(total.top(), 0.0f);
        EXPECT_LE(total.right(), ZuTest::kDisplayWidth);
        EXPECT_LE(total.bottom(), ZuTest::kDisplayHeight);
        tip.setTargetWindow(nullptr);
        CEGUI::WindowManager::getSingleton().destroyWindow(&target);
    }
}

TEST_F(ZuToolTipTest, TheTipsTimingRunsOncePerClientFrame)
{
    CZuToolTip& tip = CreateTip();
    int shown = 0;
    tip.subscribeEvent(CEGUI::Tooltip::EventTooltipActive, CEGUI::Event::Subscriber(
                                                               [&](const CEGUI::EventArgs&)
                                                               {
                                                                   ++shown;
                                                                   return true;
                                                               }));
    CEGUI::Window& sword = CreateTarget("Sword", 0);
    Point(tip, sword, "Iron Sword");
    Frame(0.1f); // only takes the client's time
    // Ten updates within one client frame count as one.
    for (int i = 0; i < 10; ++i)
        Context().injectTimePulse(0.1f);
    EXPECT_EQ(0, shown);
    Frame(0.1f);
    Frame(0.1f);
    Frame(0.1f);
    EXPECT_EQ(1, shown);

    // A client clock that ticks in whole milliseconds, at 60 frames a second: a 0.4 s hover
    // takes about 24 frames.
    tip.setTargetWindow(nullptr);
    Frame(0.1f);
    tip.setHoverTime(0.4f);
    Point(tip, sword, "Iron Sword");
    const float start = m_host.uiTime;
    int frames = 0;
    for (; shown == 1 && frames < 60; ++frames)
    {
        m_host.uiTime = start + std::floor((frames + 1) * 1000.0f / 60.0f) / 1000.0f;
        Context().injectTimePulse(1.0f / 60.0f);
    }
    EXPECT_EQ(2, shown);
    EXPECT_LE(frames, 26);
    shown = 1;

    // Without a client the timing runs at every update, and no destruction is reported.
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    tip.setTargetWindow(nullptr);
    Context().injectTimePulse(0.1f);
    Point(tip, sword, "Iron Sword");
    for (int i = 0; i < 4; ++i)
        Context().injectTimePulse(0.1f);
    EXPECT_EQ(2, shown);
}

TEST_F(ZuToolTipTest, DestructionIsReportedByNamePath)
{
    CZuToolTip& tip = CreateTip();
    m_host.ClearCalls();
    CEGUI::WindowManager::getSingleton().destroyWindow(&tip);
    EXPECT_THAT(m_host.CallLines("NotifyWindowDestroyed"),
                ElementsAre("NotifyWindowDestroyed(\"TestRoot/Tip\")"));
}
TEST_F(ZuToolTipTest, AWebLinksTargetShowsInTheTipExactlyAsWritten)
{
    const CEGUI::String target = "www.portal.example{E @evil.example/}[colour='FFFF0000']\\x";
    const struct
    {
        const char* tooltipType;
        CEGUI::String tooltipText; // the view's tool tip text while the link is hovered
    } cases[] = {
        {"ZuTest/Tooltip", MarkupText::Escape(target)},
        {"TaharezLook/Tooltip", "www.portal.example{E @evil.example/}\\[colour='FFFF0000']\\\\x"},
        {"", target},
    };
    for (const auto& check : cases)
    {
        SCOPED_TRACE(check.tooltipType);
        auto& view = static_cast<ZuGUI::CGameMultiLine&>(
            CreateChild("ZuLook/GameMultiLine", "View", 100, 100, 300, 100));
        view.setText("{H " + MarkupText::Escape(target) + ":portal}");
        view.setTooltipType(check.tooltipType);
        const auto& doc = static_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*view.QueryDoc());
        const CEGUI::Rectf link = doc.GetLines().front()->GetBlocks().front()->GetArea();
        const CEGUI::Vector2f point =
            view.DocumentToScreen(link.getPosition() + CEGUI::Vector2f(3, 3));
        Context().injectMousePosition(point.d_x, point.d_y);
        EXPECT_EQ(check.tooltipText, view.getTooltipText());
        if (auto* tip = dynamic_cast<CZuToolTip*>(view.getTooltip()))
        {
            tip->setTargetWindow(&view);
            EXPECT_EQ(target, tip->GetTextView()->getPlainText());
        }
        Context().injectMousePosition(0, 0);
        CEGUI::WindowManager::getSingleton().destroyWindow(&view);
    }
}
TEST_F(ZuToolTipTest, TheTextDirectionReachesTheTextAndTheCompareView)
{
    CZuToolTip& tip = CreateTip();
    tip.setProperty("TextDirection", "RightToLeft");
    EXPECT_EQ("RightToLeft", tip.getProperty("TextDirection"));
    EXPECT_EQ("RightToLeft", tip.GetTextView()->getProperty("TextDirection"));
    EXPECT_EQ("RightToLeft", tip.GetCompareView()->getProperty("TextDirection"));
}
} // namespace
