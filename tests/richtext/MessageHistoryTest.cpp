// A history of messages without windows: arrival order within a capacity, positions across
// chunks and drops, layout only of the messages in sight, painting, presses and the text of all.
#include "support/text/RichTextFixture.h"

#include "ZuGUIElements/richtext/document/MessageHistory.h"

#include <gmock/gmock.h>

#include <memory>
#include <string>

namespace
{
using testing::ElementsAre;
using testing::IsEmpty;
using ZuGUI::RichText::CMessageHistory;

class MessageHistoryTest : public ZuTest::RichTextTest
{
protected:
    void SetUp() override
    {
        RichTextTest::SetUp();
        history.SetLook(FontLook());
        history.SetWidth(kWidth);
    }

    void PushNumbered(int count, int from = 0)
    {
        for (int i = from; i < from + count; ++i)
            history.Push("{N Alice}: message " + CEGUI::PropertyHelper<int>::toString(i));
    }

    std::string AllText() const
    {
        std::vector<CEGUI::utf32> text;
        history.AppendText(text);
        std::string utf8;
        for (const CEGUI::utf32 c : text)
            utf8.push_back(static_cast<char>(c));
        return utf8;
    }

    ZuTest::RecordingRichTextClient client;
    CMessageHistory history{client};
};

TEST_F(MessageHistoryTest, KeepsTheNewestMessagesInArrivalOrderWithinItsCapacity)
{
    EXPECT_FALSE(history.Push("refused")); // capacity 0
    history.SetCapacity(3);
    PushNumbered(5);
    ASSERT_EQ(3u, history.Size());
    EXPECT_EQ(3u, history.NumberOf(0)); // 1 and 2 were dropped
    EXPECT_EQ("Alice: message 2\nAlice: message 3\nAlice: message 4\n", AllText());

    EXPECT_TRUE(history.PopOldest());
    history.SetCapacity(1);
    EXPECT_EQ("Alice: message 4\n", AllText());
    EXPECT_EQ(5u, history.NumberOf(0));
    history.Clear();
    EXPECT_FALSE(history.PopOldest());
    EXPECT_EQ(0.0f, history.GetTotalHeight());
    history.Push("after");
    EXPECT_EQ(6u, history.NumberOf(0)); // numbers go on
}

// Positions are summed per chunk: they must agree with the heights one by one, after drops
// that empty chunks and with messages laid out across a chunk's edge.
TEST_F(MessageHistoryTest, TopsAndTheMessageAtAHeightFollowTheHeightsAcrossChunksAndDrops)
{
    const std::size_t capacity = 2 * CMessageHistory::kChunk + 7;
    history.SetCapacity(capacity);
    PushNumbered(static_cast<int>(capacity + CMessageHistory::kChunk + 3));
    const float middle = history.TopOf(CMessageHistory::kChunk - 2);
    history.LayOutRange(middle, middle + 20 * LineHeight());
    double top = 0.0;
    for (std::size_t i = 0; i < history.Size(); ++i)
    {
        ASSERT_NEAR(top, history.TopOf(i), 0.01) << i;
        ASSERT_EQ(i, history.IndexAt(static_cast<float>(top + history.HeightOf(i) / 2))) << i;
        top += history.HeightOf(i);
    }
    EXPECT_NEAR(top, history.GetTotalHeight(), 0.01);
    EXPECT_EQ(0u, history.IndexAt(-10.0f));
    EXPECT_EQ(history.Size() - 1, history.IndexAt(static_cast<float>(top) + 10.0f));
}

TEST_F(MessageHistoryTest, LaysOutOnlyTheMessagesInSightAndKeepsThoseAbove)
{
    history.SetCapacity(1000);
    for (int i = 0; i < 1000; ++i)
        history.Push(i % 10 == 0 ? "line one\nline two\nline three" : "short");
    const std::size_t first = 500;
    const float top = history.TopOf(first);
    const float above = history.TopOf(first - 1);
    history.LayOutRange(top, top + 10 * LineHeight());
    int measured = 0;
    for (std::size_t i = 0; i < history.Size(); ++i)
        measured += history.IsMeasured(i) ? 1 : 0;
    EXPECT_GE(measured, 5);
    EXPECT_LE(measured, 12);
    EXPECT_TRUE(history.IsMeasured(first));
    EXPECT_TRUE(history.At(first).IsLaidOut());
    EXPECT_EQ(top, history.TopOf(first));
    EXPECT_EQ(above, history.TopOf(first - 1));
    EXPECT_EQ(3 * LineHeight(), history.HeightOf(510));

    // Scrolled away, the layouts go and the measured heights stay.
    history.LayOutRange(0.0f, LineHeight());
    EXPECT_FALSE(history.At(first).IsLaidOut());
    EXPECT_TRUE(history.IsMeasured(first));
    // A new width makes every height an estimate again.
    history.SetWidth(kWidth / 2);
    EXPECT_FALSE(history.IsMeasured(0));
}

TEST_F(MessageHistoryTest, PaintsAndPressesOnlyTheMessagesInSight)
{
    history.SetCapacity(100);
    PushNumbered(100);
    const float top = history.TopOf(50);
    const CEGUI::Rectf visible(0.0f, top, kWidth, top + 3 * LineHeight());
    history.LayOutRange(visible.top(), visible.bottom());
    ZuTest::RecordingGeometry geometry;
    const CEGUI::Rectf area(0.0f, 0.0f, kWidth, visible.getHeight());
    history.Paint(geometry, visible, area);
    EXPECT_GT(geometry.Vertices().size(), 0u);
    for (const CEGUI::Vertex& vertex : geometry.Vertices())
        ASSERT_LE(vertex.position.d_y, area.bottom() + LineHeight());
    // Each message drawn tells the client where its name is: three lines in sight, three names.
    EXPECT_EQ(3u, client.lines.size());
    client.lines.clear();

    const CEGUI::Vector2f onName(Extent("Alice") / 2, top + LineHeight() / 2);
    EXPECT_TRUE(history.OnMouseButton(onName, CEGUI::LeftButton, true));
    EXPECT_THAT(client.lines, ElementsAre("press 1 'Alice' 'Alice' 0", "cursor"));
    client.lines.clear();
    // Message 10 is not laid out: nothing there takes a press.
    EXPECT_FALSE(history.OnMouseButton(CEGUI::Vector2f(onName.d_x, history.TopOf(10) + 1.0f),
                                       CEGUI::LeftButton, true));
    EXPECT_THAT(client.lines, IsEmpty());
}

TEST_F(MessageHistoryTest, TheTextOfEveryMessageIsThereWhetherLaidOutOrNot)
{
    history.SetCapacity(3);
    history.Push("{N Bob}: has {I 7:[Sword]}{P 1:2} for {{you}}");
    history.Push("line\nfeeds");
    history.Push("");
    EXPECT_EQ("Bob: has [Sword] for {you}\nline\nfeeds\n\n", AllText());
}

// A selection across messages copies from their parsed texts, whether they are laid out or not.
TEST_F(MessageHistoryTest, TheTextBetweenTwoPlacesSpansMessagesInArrivalOrder)
{
    using ZuGUI::TextSelection::CopiedLink;
    using Place = CMessageHistory::TextPlace;
    history.SetCapacity(10);
    history.Push("{N Alice}: one");    // message 1: "one" is [11, 14)
    history.Push("{I 7:[Sword]} two"); // message 2
    history.Push("three\nlines");      // message 3: its line feed is at 5
    history.Push("{N Bob}: four");     // message 4
    const auto between = [&](Place first, Place last, std::vector<CopiedLink>& links)
    {
        std::vector<CEGUI::utf32> text;
        history.AppendTextBetween(first, last, text, links);
        return std::string(text.begin(), text.end());
    };
    std::vector<CopiedLink> links;
    EXPECT_EQ("one\n[Sword] two\nthree", between({1, 11}, {3, 5}, links));
    EXPECT_EQ((std::vector<CopiedLink>{{7, 4, 7}}), links);

    links.clear();
    history.SetCapacity(2); // messages 1 and 2 go
    EXPECT_EQ("three\nlines\nBob: four", between({1, 11}, {4, ZuGUI::kNoText}, links));
    EXPECT_THAT(links, IsEmpty());
    EXPECT_EQ("", between({4, 3}, {3, 0}, links));
}
} // namespace
