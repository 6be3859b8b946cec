#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/host/HostTrees.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;
using ZuGUI::CGameChatBox;

class GameChatBoxTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("GameChatBoxTest");
        if (!CEGUI::FontManager::getSingleton().isDefined("DejaVuSans-8"))
            CEGUI::FontManager::getSingleton().createFromFile("DejaVuSans-8.font", "skin");
    }

    CGameChatBox& CreateBox(unsigned capacity, const char* life = "0", float height = 120)
    {
        auto& box = static_cast<CGameChatBox&>(
            CreateChild("ZuTest/GameChatBox", "Chat", 10, 10, 300, height));
        box.setProperty("ChatCapacity", CEGUI::PropertyHelper<CEGUI::uint>::toString(capacity));
        box.setProperty("MsgLife", life);
        return box;
    }

    static void Push(CGameChatBox& box, std::initializer_list<const char*> messages)
    {
        for (const char* message : messages)
            ASSERT_TRUE(box.PushChatText(message));
    }

    // Time passes for the GUI, as the game's frames pass it on.
    void Wait(float seconds, int frames = 1)
    {
        for (int i = 0; i < frames; ++i)
            Context().injectTimePulse(seconds / static_cast<float>(frames));
    }

    // The texts of the shown views, top to bottom.
    static std::vector<std::string> Shown(CGameChatBox& box)
    {
        std::vector<CEGUI::Window*> shown;
        for (unsigned i = 0; i < box.GetCurChatSize(); ++i)
        {
            CEGUI::Window* view = box.GetChatWindowByIndex(i);
            if (view->isVisible())
                shown.push_back(view);
        }
        std::sort(shown.begin(), shown.end(),
                  [](CEGUI::Window* a, CEGUI::Window* b)
                  { return a->getYPosition().d_offset < b->getYPosition().d_offset; });
        std::vector<std::string> texts;
        for (CEGUI::Window* view : shown)
            texts.push_back(view->getText().c_str());
        return texts;
    }

    static std::string Line(int n)
    {
        std::ostringstream text;
        text << "{N Rider" << n << "}: line " << n;
        return text.str();
    }

    void DestroyBox(CGameChatBox& box) { CEGUI::WindowManager::getSingleton().destroyWindow(&box); }

    // Every shown view is as tall as its text and the overlap, and starts where the one above
    // it ends.
    static void ExpectViewsFitTheirTextAndStack(CGameChatBox& box)
    {
        float nextTop = 0.0f;
        for (const std::string& text : Shown(box))
        {
            SCOPED_TRACE(text);
            for (unsigned i = 0; i < box.GetCurChatSize(); ++i)
            {
                auto& view = static_cast<ZuGUI::CGameMultiLine&>(*box.GetChatWindowByIndex(i));
                if (!view.isVisible() || view.getText() != text)
                    continue;
                EXPECT_FLOAT_EQ(view.QueryDoc()->GetHeight() + 5.0f, view.getHeight().d_offset);
                EXPECT_FLOAT_EQ(nextTop, view.getYPosition().d_offset);
                nextTop = view.getYPosition().d_offset + view.getHeight().d_offset - 5.0f;
            }
        }
    }

    // The same for a box of many messages, from the views of the messages in sight. CEGUI keeps
    // a window's bottom, not its height: far down the content a height loses a little.
    static void ExpectViewsInSightStack(CGameChatBox& box)
    {
        const auto shown = box.ShownMessages();
        ASSERT_FALSE(shown.empty());
        for (std::size_t i = 0; i < shown.size(); ++i)
        {
            const ZuGUI::CGameMultiLine& view = *shown[i].view;
            const float bottom = view.getYPosition().d_offset + view.getHeight().d_offset;
            EXPECT_NEAR(view.QueryDoc()->GetHeight() + 5.0f, view.getHeight().d_offset, 0.01f);
            if (i + 1 < shown.size())
            {
                EXPECT_EQ(shown[i].message + 1, shown[i + 1].message);
                EXPECT_NEAR(bottom - 5.0f, shown[i + 1].view->getYPosition().d_offset, 0.01f);
            }
        }
    }

    static std::string LongMessage()
    {
        std::string text;
        for (int i = 0; i < 60; ++i)
            text += "word" + std::to_string(i) + " ";
        return text;
    }

    // Pushes `count` lines named from `first` on.
    static void PushLines(CGameChatBox& box, int first, int count)
    {
        for (int i = first; i < first + count; ++i)
            ASSERT_TRUE(box.PushChatText(Line(i)));
    }

    static CEGUI::Scrollbar& Bar(CGameChatBox& box) { return *box.getVertScrollbar(); }
    static float ScreenTop(CEGUI::Window& window)
    {
        return window.getUnclippedOuterRect().get().top();
    }
};

TEST_F(GameChatBoxTest, AFullRingReusesItsOldestViewAndShowsMessagesInOrder)
{
    CGameChatBox& box = CreateBox(3);
    Push(box, {"P", "Q", "R", "S"});
    EXPECT_THAT(Shown(box), ElementsAre("Q", "R", "S"));
    EXPECT_EQ(1u, box.GetCurTopChat());
    EXPECT_EQ(3u, box.GetCurChatSize());
    EXPECT_EQ("S", box.GetChatWindowByIndex(0)->getText());
    EXPECT_EQ("Chat__zuauto_single__0", box.GetChatWindowByIndex(0)->getName());
    EXPECT_EQ(3u, box.getContentPane()->getChildCount());
}

TEST_F(GameChatBoxTest, MessagesExpireOneAtATimeAfterTheLastPushOrExpiry)
{
    CGameChatBox& box = CreateBox(5, "2");
    Push(box, {"P"});
    Wait(1.9f, 19);
    EXPECT_THAT(Shown(box), ElementsAre("P"));
    Wait(0.2f, 2);
    EXPECT_THAT(Shown(box), IsEmpty());
    // The expired view takes the next message.
    Push(box, {"Q"});
    EXPECT_EQ("Q", box.GetChatWindowByIndex(0)->getText());
    EXPECT_EQ(1u, box.GetCurChatSize());

    // Nothing left to pop: tried again at every frame, and pushing still works.
    Wait(2.1f, 21);
    Wait(1.0f, 10);
    EXPECT_THAT(Shown(box), IsEmpty());
    Push(box, {"R"});
    EXPECT_THAT(Shown(box), ElementsAre("R"));
}

TEST_F(GameChatBoxTest, APushRenewsTheIntervalAndFillsAnExpiredViewFirst)
{
    CGameChatBox& box = CreateBox(3, "2");
    Push(box, {"P"});
    for (const char* message : {"Q", "R"})
    {
        Wait(1.5f, 15);
        Push(box, {message});
    }
    EXPECT_THAT(Shown(box), ElementsAre("P", "Q", "R"));
    Wait(2.05f, 41);
    EXPECT_THAT(Shown(box), ElementsAre("Q", "R"));
    // P's expired view takes S: Q, the oldest message, stays.
    Push(box, {"S"});
    EXPECT_THAT(Shown(box), ElementsAre("Q", "R", "S"));
    EXPECT_EQ("S", box.GetChatWindowByIndex(0)->getText());
}

TEST_F(GameChatBoxTest, MessageLifeReadsWholeSecondsAndUnusableLivesNeverExpire)
{
    CGameChatBox& box = CreateBox(4, "2.5");
    EXPECT_EQ("2", box.getProperty("MsgLife"));
    Push(box, {"P", "Q"});
    Wait(2.4f, 24);
    EXPECT_THAT(Shown(box), ElementsAre("P", "Q"));
    Wait(0.2f, 2);
    EXPECT_THAT(Shown(box), ElementsAre("Q"));

    for (const char* life : {"-3", "nonsense", "inf", "nan"})
    {
        SCOPED_TRACE(life);
        box.setProperty("MsgLife", life);
        EXPECT_EQ("0", box.getProperty("MsgLife"));
        Wait(5.0f, 50);
        EXPECT_THAT(Shown(box), ElementsAre("Q"));
    }
    box.setProperty("MsgLife", "1e20");
    EXPECT_EQ("4.29497e+09", box.getProperty("MsgLife"));
}

TEST_F(GameChatBoxTest, ABoxAtTheBottomFollowsNewMessages)
{
    CGameChatBox& box = CreateBox(40);
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(box.PushChatText(Line(i)));
    CEGUI::Scrollbar& bar = Bar(box);
    ASSERT_TRUE(bar.isVisible());
    EXPECT_FLOAT_EQ(bar.getDocumentSize() - bar.getPageSize(), bar.getScrollPosition());
    // Within 5 pixels of the end counts as the end.
    bar.setScrollPosition(bar.getScrollPosition() - 4.0f);
    ASSERT_TRUE(box.PushChatText(Line(12)));
    EXPECT_NEAR(bar.getDocumentSize() - bar.getPageSize() - 4.0f, bar.getScrollPosition(), 0.01f);
}

TEST_F(GameChatBoxTest, AScrolledUpBoxKeepsTheMessageAtTheTopInPlace)
{
    CGameChatBox& box = CreateBox(20, "3");
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(box.PushChatText(Line(i)));
    CEGUI::Scrollbar& bar = Bar(box);
    bar.setScrollPosition(40.0f);
    RenderFrame();
    // The view under the top edge of the box.
    CEGUI::Window* anchored = nullptr;
    for (unsigned i = 0; i < box.GetCurChatSize(); ++i)
    {
        CEGUI::Window* view = box.GetChatWindowByIndex(i);
        const float y = view->getYPosition().d_offset;
        if (y < 40.0f && 40.0f < y + view->getPixelSize().d_height)
            anchored = view;
    }
    ASSERT_NE(nullptr, anchored);
    const float before = ScreenTop(*anchored);

    // The full ring moves every view up; the anchored one stays on screen where it was (to
    // the pixel: views have fractional heights).
    ASSERT_TRUE(box.PushChatText(Line(20)));
    EXPECT_NEAR(before, ScreenTop(*anchored), 1.0f);
    // So does an expiry of the oldest message above it.
    Wait(3.1f, 31);
    ASSERT_EQ(19u, Shown(box).size());
    EXPECT_NEAR(before, ScreenTop(*anchored), 1.0f);
}

TEST_F(GameChatBoxTest, ViewsOverlapByFivePixelsAndHiddenViewsTakeNoSpace)
{
    CGameChatBox& box = CreateBox(3, "1");
    Push(box, {"P", "Q", "R"});
    CEGUI::Window& p = *box.GetChatWindowByIndex(0);
    CEGUI::Window& q = *box.GetChatWindowByIndex(1);
    CEGUI::Window& r = *box.GetChatWindowByIndex(2);
    EXPECT_FLOAT_EQ(p.getHeight().d_offset - 5.0f, q.getYPosition().d_offset);
    EXPECT_FLOAT_EQ(q.getYPosition().d_offset + q.getHeight().d_offset - 5.0f,
                    r.getYPosition().d_offset);
    Wait(1.1f, 11);
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(CEGUI::UDim(0, 0), p.getHeight());
    EXPECT_FLOAT_EQ(0.0f, q.getYPosition().d_offset);
    // The view's own text decides the height: its document's height and the overlap.
    const auto& view = static_cast<const ZuGUI::CGameMultiLine&>(q);
    EXPECT_FLOAT_EQ(view.QueryDoc()->GetHeight() + 5.0f, q.getHeight().d_offset);
}

TEST_F(GameChatBoxTest, CommandPropertiesPushAndClearAndReadNothing)
{
    CGameChatBox& box = CreateBox(3);
    box.setProperty("PushChat", "{N Alice}: hello");
    box.setProperty("PushChat", "second");
    EXPECT_THAT(Shown(box), ElementsAre("{N Alice}: hello", "second"));
    EXPECT_EQ("", box.getProperty("PushChat"));
    EXPECT_EQ("", box.getProperty("Clear"));

    box.setProperty("Clear", "anything");
    EXPECT_THAT(Shown(box), IsEmpty());
    EXPECT_EQ(0u, box.GetCurTopChat());
    EXPECT_EQ(0u, box.GetCurChatSize());
    Push(box, {"again"});
    EXPECT_THAT(Shown(box), ElementsAre("again"));

    // Messages are content, not layout: a saved layout holds the box alone.
    std::ostringstream layout;
    CEGUI::WindowManager::getSingleton().writeLayoutToStream(box, layout);
    EXPECT_THAT(layout.str(), Not(::testing::HasSubstr("__zuauto_single__")));
    EXPECT_THAT(layout.str(), ::testing::HasSubstr("name=\"ChatCapacity\" value=\"3\""));
}

TEST_F(GameChatBoxTest, WithoutCapacityOrARichTextViewNothingIsPushed)
{
    CGameChatBox& box = CreateBox(0, "1");
    EXPECT_FALSE(box.PushChatText("lost"));
    Wait(2.0f, 4);
    EXPECT_EQ(0u, box.getContentPane()->getChildCount());

    // A look that maps the view type to another window: the push fails and leaves nothing.
    box.SetChatCapacity(3);
    CEGUI::WindowFactoryManager& factories = CEGUI::WindowFactoryManager::getSingleton();
    factories.addFalagardWindowMapping("ZuLook/GameMultiLine", "DefaultWindow", "", "Core/Default");
    EXPECT_FALSE(box.PushChatText("lost"));
    factories.addFalagardWindowMapping("ZuLook/GameMultiLine", "ZuGame/GameMultiLine",
                                       "ZuLook/GameMultiLine", "ZuGame/GameMultiLineRenderer");
    EXPECT_EQ(0u, box.getContentPane()->getChildCount());
    EXPECT_EQ(0u, box.GetCurChatSize());
    EXPECT_TRUE(box.PushChatText("kept"));
}

TEST_F(GameChatBoxTest, TheBoxsFontAndSettingsReachItsViews)
{
    CGameChatBox& box = CreateBox(4);
    box.setProperty("DefaultColour", "FF102030");
    box.setProperty("Indent1stLine", "6");
    box.setProperty("IndentRestLine", "12");
    box.setProperty("LineBreak", "Word");
    Push(box, {"P", "Q"});
    box.setFont("DejaVuSans-8");
    for (unsigned i = 0; i < 2; ++i)
    {
        CEGUI::Window& view = *box.GetChatWindowByIndex(i);
        EXPECT_EQ(box.getFont(), view.getFont());
        EXPECT_EQ("FF102030", view.getProperty("DefaultColour"));
        EXPECT_EQ("6", view.getProperty("Indent1stLine"));
        EXPECT_EQ("12", view.getProperty("IndentRestLine"));
        EXPECT_EQ("Word", view.getProperty("LineBreak"));
        EXPECT_EQ("False", view.getProperty("FrameEnabled"));
        EXPECT_EQ("True", view.getProperty("ForceHideVertScrollbar"));
        EXPECT_FALSE(view.isRiseOnClickEnabled());
    }
    EXPECT_EQ("Word", box.getProperty("LineBreak"));
    // A fresh box shows white text, its declared default.
    EXPECT_EQ("FFFFFFFF", CreateChild("ZuTest/GameChatBox", "Fresh").getProperty("DefaultColour"));
}
TEST_F(GameChatBoxTest, ALineBreakChangeLaysTheShownMessagesOutAgain)
{
    CGameChatBox& box = CreateBox(4, "0", 300);
    // At this width "aa bbbb cccc" takes two lines broken by characters, three between words.
    const CEGUI::String message = "aa bbbb cccc";
    Push(box, {message.c_str(), "last"});
    auto& view = static_cast<ZuGUI::CGameMultiLine&>(*box.GetChatWindowByIndex(0));
    const float fits = view.getFont()->getTextExtent("aa bbb") + 1.0f;
    box.setWidth(CEGUI::UDim(0, box.getPixelSize().d_width - view.QueryDoc()->GetWidth() + fits));
    ASSERT_FLOAT_EQ(fits, view.QueryDoc()->GetWidth());
    const float lineHeight = view.getFont()->getLineSpacing();
    box.ClearChats();
    Push(box, {message.c_str(), "last"});
    CEGUI::Window& last = *box.GetChatWindowByIndex(1);
    const float characterHeight = view.getHeight().d_offset;
    const float lastTop = last.getYPosition().d_offset;
    EXPECT_FLOAT_EQ(2 * lineHeight, view.QueryDoc()->GetHeight());

    box.setProperty("LineBreak", "Word");
    EXPECT_EQ(ZuGUI::TextParser::LineBreakMode::Word, view.GetLineBreak());
    EXPECT_FLOAT_EQ(3 * lineHeight, view.QueryDoc()->GetHeight());
    EXPECT_FLOAT_EQ(characterHeight + lineHeight, view.getHeight().d_offset);
    EXPECT_FLOAT_EQ(lastTop + lineHeight, last.getYPosition().d_offset);
    EXPECT_THAT(Shown(box), ElementsAre(message.c_str(), "last"));
}

TEST_F(GameChatBoxTest, AMessageLaidOutAgainTakesItsNewHeightAndMovesThoseBelow)
{
    struct Case
    {
        const char* name;
        // Pushes the messages and lays them out again.
        std::function<void(CGameChatBox&)> relayout;
    };
    const std::string message = LongMessage();
    const Case cases[] = {
        {"the box's scroll bar appears", [&](CGameChatBox& box) { PushLines(box, 0, 20); }},
        {"the font changes", [](CGameChatBox& box) { box.setFont("DejaVuSans-8"); }},
        {"the box gets narrower", [](CGameChatBox& box) { box.setWidth(CEGUI::UDim(0, 180)); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CGameChatBox& box = CreateBox(40, "0", 400);
        Push(box, {message.c_str(), "below"});
        const auto& view = static_cast<ZuGUI::CGameMultiLine&>(*box.GetChatWindowByIndex(0));
        const float heightBefore = view.QueryDoc()->GetHeight();
        c.relayout(box);
        ASSERT_NE(heightBefore, view.QueryDoc()->GetHeight());
        ExpectViewsFitTheirTextAndStack(box);
        DestroyBox(box);
    }
}

// In a box a little wider than its scroll bar, a message can need the bar at the full width
// and not at the width that the bar leaves (narrower than a character, the view shows
// nothing): fitting the views shows and hides the bar in turn. Each change must not start
// another fit inside the one under way, nor one at every frame.
TEST_F(GameChatBoxTest, ABoxWhoseScrollBarCannotSettleStillShowsItsMessages)
{
    const struct
    {
        float width;
        float height;
    } cases[] = {{32, 48}, {32, 20}, {36, 48}};
    for (const auto& size : cases)
    {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        auto& box = static_cast<CGameChatBox&>(
            CreateChild("ZuTest/GameChatBox", "Chat", 0, 0, size.width, size.height));
        box.SetChatCapacity(2);
        Push(box, {"{N Zoe}: hi", "{N Rider1}: line 1"});
        Wait(1.0f, 3);
        RenderFrame();
        EXPECT_THAT(Shown(box), ElementsAre("{N Zoe}: hi", "{N Rider1}: line 1"));
        // The box is left as it is, not fitted again at every frame.
        int resizes = 0;
        for (unsigned i = 0; i < box.GetCurChatSize(); ++i)
            box.GetChatWindowByIndex(i)->subscribeEvent(CEGUI::Window::EventSized,
                                                        CEGUI::Event::Subscriber(
                                                            [&resizes](const CEGUI::EventArgs&)
                                                            {
                                                                ++resizes;
                                                                return true;
                                                            }));
        Wait(1.0f, 3);
        EXPECT_EQ(0, resizes);
        DestroyBox(box);
    }
}

TEST_F(GameChatBoxTest, ANewLineNeverReplacesANewerOneWhileAnOlderOrAFreeViewExists)
{
    struct Case
    {
        unsigned capacity;
        int before;
        int expired;
    };
    // Lines pushed, some of them expired, then twice the capacity more: after every push the
    // box shows the newest lines that are not expired, at most the capacity, in order.
    const Case cases[] = {{2, 1, 1}, {3, 1, 1}, {3, 2, 2}, {3, 3, 3}, {4, 3, 1}, {4, 4, 2}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << c.capacity << " " << c.before << " " << c.expired);
        CGameChatBox& box = CreateBox(c.capacity, "1");
        std::vector<std::string> live;
        const auto push = [&](int n)
        {
            ASSERT_TRUE(box.PushChatText(Line(n)));
            live.push_back(Line(n));
            if (live.size() > c.capacity)
                live.erase(live.begin());
        };
        for (int n = 0; n < c.before; ++n)
            push(n);
        for (int n = 0; n < c.expired; ++n)
        {
            Wait(1.1f, 11);
            live.erase(live.begin());
        }
        ASSERT_EQ(live, Shown(box));
        for (int n = c.before; n < c.before + 2 * static_cast<int>(c.capacity); ++n)
        {
            push(n);
            ASSERT_EQ(live, Shown(box)) << "after line " << n;
        }
        DestroyBox(box);
    }
}

TEST_F(GameChatBoxTest, ACapacityChangeKeepsArrivalOrderAndRetiresTheOldestViews)
{
    struct Case
    {
        const char* capacity;
        std::vector<std::string> expected;
    };
    // P … T on a ring of 3 (it has wrapped), the capacity changed, then U and V pushed.
    const Case cases[] = {
        {"5", {"R", "S", "T", "U", "V"}},
        {"6", {"R", "S", "T", "U", "V"}},
        {"2", {"U", "V"}},
        {"1", {"V"}},
        {"3", {"T", "U", "V"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.capacity);
        CGameChatBox& box = CreateBox(3);
        Push(box, {"P", "Q", "R", "S", "T"});
        box.setProperty("ChatCapacity", c.capacity);
        Push(box, {"U", "V"});
        EXPECT_EQ(c.expected, Shown(box));
        ExpectViewsFitTheirTextAndStack(box);
        // A retired view takes no space and shows nothing.
        for (unsigned i = box.GetCurChatSize(); i < 3; ++i)
        {
            EXPECT_FALSE(box.GetChatWindowByIndex(i)->isVisible());
            EXPECT_EQ(CEGUI::UDim(0, 0), box.GetChatWindowByIndex(i)->getHeight());
        }
        DestroyBox(box);
    }
    // No capacity: nothing is shown and nothing can be pushed.
    CGameChatBox& box = CreateBox(3);
    Push(box, {"P", "Q"});
    box.setProperty("ChatCapacity", "0");
    EXPECT_THAT(Shown(box), IsEmpty());
    EXPECT_FALSE(box.PushChatText("R"));
}

TEST_F(GameChatBoxTest, ClearLeavesAnEmptyBoxAndTheNextLineShowsAtTheTop)
{
    // A message taller than the box, and the box scrolled to the end.
    CGameChatBox& box = CreateBox(40);
    Push(box, {LongMessage().c_str()});
    PushLines(box, 0, 20);
    CEGUI::Scrollbar& bar = Bar(box);
    ASSERT_TRUE(bar.isVisible());
    box.setProperty("Clear", "");
    EXPECT_FALSE(bar.isVisible());
    EXPECT_FLOAT_EQ(0.0f, box.getContentPane()->getContentArea().getHeight());

    Push(box, {"again"});
    CEGUI::Window& view = *box.GetChatWindowByIndex(0);
    EXPECT_FALSE(bar.isVisible());
    EXPECT_FLOAT_EQ(0.0f, bar.getScrollPosition());
    EXPECT_FLOAT_EQ(0.0f, view.getYPosition().d_offset);
    // The content pane rounds its extent to whole pixels.
    EXPECT_NEAR(view.getHeight().d_offset, box.getContentPane()->getContentArea().getHeight(),
                1.0f);
}

// A history far taller than the box: only the messages in sight have views, and the content is
// as tall as every message once each has been in sight (the estimates corrected).
TEST_F(GameChatBoxTest, ALongHistoryHasViewsOnlyForWhatIsInSight)
{
    CGameChatBox& box = CreateBox(2000, "0", 120);
    PushLines(box, 0, 2500);
    EXPECT_EQ(2000u, box.GetHistory().Size());
    EXPECT_THAT(box.ShownMessages().size(), ::testing::Le(10u));
    EXPECT_EQ(Line(2499), box.ShownMessages().back().view->getText().c_str());
    ExpectViewsInSightStack(box);
    const auto viewsNow = [&] { return box.getContentPane()->getChildCount(); };
    const std::size_t viewsAtTheEnd = viewsNow();

    // Scrolled through from the top, every message is laid out once; the views stay few.
    CEGUI::Scrollbar& bar = Bar(box);
    for (float y = 0.0f; y < bar.getDocumentSize(); y += 60.0f)
    {
        bar.setScrollPosition(y);
        EXPECT_LE(viewsNow(), viewsAtTheEnd + 8);
    }
    double heights = 0.0;
    for (std::size_t i = 0; i < box.GetHistory().Size(); ++i)
    {
        ASSERT_TRUE(box.GetHistory().IsMeasured(i)) << i;
        heights += box.GetHistory().HeightOf(i);
    }
    EXPECT_NEAR(heights + 5.0, bar.getDocumentSize(), 0.05);
    EXPECT_FLOAT_EQ(bar.getDocumentSize() - bar.getPageSize(), bar.getScrollPosition());
    ExpectViewsInSightStack(box);
}

TEST_F(GameChatBoxTest, ScrollingToAnyLineAndClickingItsNameSendsThatLinesCommand)
{
    ZuTest::RecordingHost host;
    ZuTest::ScopedHost scopedHost(&host);
    CGameChatBox& box = CreateBox(3000, "0", 120);
    PushLines(box, 0, 3000);
    RenderFrame();
    for (const std::size_t line : {std::size_t{0}, std::size_t{1234}, std::size_t{2999}})
    {
        SCOPED_TRACE(line);
        box.ScrollToMessage(line);
        RenderFrame();
        CEGUI::Window* view = box.GetChatWindowByIndex(static_cast<unsigned>(line));
        ASSERT_EQ(Line(static_cast<int>(line)), view->getText().c_str());
        const CEGUI::Rectf area = view->getUnclippedInnerRect().get();
        ASSERT_TRUE(box.getUnclippedInnerRect().get().isPointInRect(
            CEGUI::Vector2f(area.left() + 8.0f, area.top() + 6.0f)));
        host.ClearCalls();
        const std::size_t sent = host.Commands().size();
        Context().injectMousePosition(area.left() + 8.0f, area.top() + 6.0f);
        Context().injectMouseButtonDown(CEGUI::LeftButton);
        Context().injectMouseButtonUp(CEGUI::LeftButton);
        ASSERT_EQ(sent + 1, host.Commands().size());
        EXPECT_EQ("Rider" + std::to_string(line),
                  host.Commands().back()->GetString(ZuGUI::HostTrees::kCmdContent));
    }
}

TEST_F(GameChatBoxTest, SelectAllCopiesEveryMessageInArrivalOrderAlsoThoseOutOfSight)
{
    CGameChatBox& box = CreateBox(400, "0", 120);
    box.setProperty("TextSelectable", "True");
    PushLines(box, 0, 450);
    box.GetSelection().SelectAll();
    std::string expected;
    for (int i = 50; i < 450; ++i)
        expected += (i > 50 ? "\n" : "") + std::string("Rider") + std::to_string(i) + ": line " +
                    std::to_string(i);
    EXPECT_EQ(expected, box.getSelectedText().c_str());

    // A selection started in sight keeps its start when the box scrolls it away, and ends
    // wherever the player lets go: the messages between come in whole.
    Bar(box).setScrollPosition(0.0f);
    CEGUI::Window& first = *box.GetChatWindowByIndex(box.GetCurTopChat());
    const CEGUI::Rectf area = first.getUnclippedInnerRect().get();
    box.GetSelection().SelectFrom(CEGUI::Vector2f(area.left(), area.top() + 6.0f));
    Bar(box).setScrollPosition(Bar(box).getDocumentSize());
    const CEGUI::Rectf shown = box.getUnclippedInnerRect().get();
    box.GetSelection().ExtendTo(CEGUI::Vector2f(shown.right(), shown.bottom() - 2.0f));
    EXPECT_EQ(expected, box.getSelectedText().c_str());
}

// Views asked for by index out of sight show their message where it lies, keep it until the
// box arranges its views again, and stay few however many are asked for.
TEST_F(GameChatBoxTest, AViewAskedForByIndexShowsItsMessageUntilTheNextArrangement)
{
    CGameChatBox& box = CreateBox(500, "0", 120);
    PushLines(box, 0, 500);
    CEGUI::Window& oldest = *box.GetChatWindowByIndex(0);
    EXPECT_EQ(Line(0), oldest.getText().c_str());
    EXPECT_TRUE(oldest.isVisible());
    EXPECT_FLOAT_EQ(0.0f, oldest.getYPosition().d_offset);
    CEGUI::Window& second = *box.GetChatWindowByIndex(1);
    EXPECT_FLOAT_EQ(oldest.getHeight().d_offset - 5.0f, second.getYPosition().d_offset);
    EXPECT_EQ(&oldest, box.GetChatWindowByIndex(0));

    const std::size_t before = box.getContentPane()->getChildCount();
    for (unsigned i = 0; i < 400; ++i)
        ASSERT_EQ(Line(static_cast<int>(i)), box.GetChatWindowByIndex(i)->getText().c_str());
    EXPECT_LE(box.getContentPane()->getChildCount(), before + 16);

    PushLines(box, 500, 1);
    RenderFrame();
    EXPECT_LE(box.getContentPane()->getChildCount(), before + 8);
    EXPECT_EQ(Line(500), box.ShownMessages().back().view->getText().c_str());
    ExpectViewsInSightStack(box);
}

TEST_F(GameChatBoxTest, AtTheVeryTopAPushKeepsTheFirstMessageInPlace)
{
    CGameChatBox& box = CreateBox(40, "0", 120);
    PushLines(box, 0, 20);
    CEGUI::Scrollbar& bar = Bar(box);
    bar.setScrollPosition(0.0f);
    RenderFrame();
    CEGUI::Window& first = *box.GetChatWindowByIndex(0);
    const float before = ScreenTop(first);
    PushLines(box, 20, 3);
    EXPECT_FLOAT_EQ(0.0f, bar.getScrollPosition());
    EXPECT_NEAR(before, ScreenTop(first), 1.0f);
}
} // namespace

// A click on a name in the oldest message whose handler, as a game's does, writes a line into
// the same full box (which reuses the clicked view), clears the box or closes it.
TEST_F(GameChatBoxTest, AClickHandlerMayPushClearOrCloseTheBoxOfTheClickedMessage)
{
    enum class Reaction
    {
        Push,
        Clear,
        Close
    };
    for (int run = 0; run < 6; ++run)
    {
        const auto reaction = static_cast<Reaction>(run % 3);
        SCOPED_TRACE(run);
        ZuTest::RecordingHost host;
        ZuTest::ScopedHost scopedHost(&host);
        CGameChatBox& box = CreateBox(2, "0", 200);
        // Selectable boxes send the command at the release.
        box.setProperty("TextSelectable", run >= 3 ? "True" : "False");
        Push(box, {"{N Alice}: hello {I 5:[Sword]}", "{N Bob}: hi"});
        RenderFrame();
        bool reacted = false;
        host.onCall = [&](const ZuTest::HostCall& call)
        {
            if (reacted || call.operation != "SendCommand")
                return;
            reacted = true;
            if (reaction == Reaction::Push)
                box.PushChatText("{N System}: whisper to Alice");
            else if (reaction == Reaction::Clear)
                box.setProperty("Clear", "1");
            else
                DestroyBox(box);
        };
        CEGUI::Window& oldest = *box.GetChatWindowByIndex(0);
        const CEGUI::Rectf area = oldest.getUnclippedInnerRect().get();
        Context().injectMousePosition(area.left() + 8.0f, area.top() + area.getHeight() / 2);
        Context().injectMouseButtonDown(CEGUI::LeftButton);
        Context().injectMouseButtonUp(CEGUI::LeftButton);
        host.onCall = nullptr;
        EXPECT_TRUE(reacted);
        RenderFrame();
        if (reaction == Reaction::Push)
        {
            EXPECT_THAT(Shown(box), ElementsAre("{N Bob}: hi", "{N System}: whisper to Alice"));
        }
        if (reaction != Reaction::Close)
            DestroyBox(box);
        RenderFrame();
        EXPECT_EQ(host.CountScriptCalls("gFn_chatItem_add_ref"),
                  host.CountScriptCalls("gFn_chatItem_release_ref"));
    }
}

TEST_F(GameChatBoxTest, TheTextDirectionReachesEveryViewShownOrMadeLater)
{
    CGameChatBox& box = CreateBox(4);
    Push(box, {"P"});
    box.setProperty("TextDirection", "RightToLeft");
    Push(box, {"Q"});
    EXPECT_EQ("RightToLeft", box.getProperty("TextDirection"));
    for (unsigned i = 0; i < 2; ++i)
        EXPECT_EQ("RightToLeft", box.GetChatWindowByIndex(i)->getProperty("TextDirection")) << i;
}
