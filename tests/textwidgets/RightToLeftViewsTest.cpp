// Every widget that shows rich text shows a right-to-left message aligned to its right edge: the
// view, a guide box, a chat box's message and a tool tip with its compare text, which fits its
// width to the text as it does for left-to-right text.
#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"
#include "support/TestGameWindow.h"

#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/ZuToolTip.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <functional>

namespace
{
using ZuGUI::CGameMultiLine;

const CEGUI::String& HebrewMessage()
{
    static const CEGUI::String message(
        reinterpret_cast<const CEGUI::utf8*>(u8"{N דנה}: מי בא למערה בשעה 9?"));
    return message;
}

class RightToLeftViewsTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        for (const char* scheme :
             {"GameMultiLineTest", "GameChatBoxTest", "ToolTipTest", "WindowsTest"})
            ZuTest::LoadTestScheme(scheme);
    }

    // The view's lines, each with its leftmost and rightmost block edges.
    static std::vector<std::pair<float, float>> LineEdges(const CGameMultiLine& view)
    {
        std::vector<std::pair<float, float>> edges;
        const auto& doc = dynamic_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*view.QueryDoc());
        for (const auto& line : doc.GetLines())
        {
            float left = doc.GetWidth();
            float right = 0.0f;
            for (const auto& block : line->GetBlocks())
            {
                left = std::min(left, block->GetArea().left());
                right = std::max(right, block->GetArea().right());
            }
            edges.emplace_back(left, right);
        }
        return edges;
    }

    // The first line ends at the view's right edge; with room to spare, it starts past the left.
    static void ExpectAlignedRight(const CGameMultiLine& view, const char* name,
                                   bool roomToSpare = true)
    {
        const std::vector<std::pair<float, float>> edges = LineEdges(view);
        ASSERT_FALSE(edges.empty()) << name;
        EXPECT_FLOAT_EQ(view.QueryDoc()->GetWidth(), edges.front().second) << name;
        if (roomToSpare)
        {
            EXPECT_GT(edges.front().first, 0.0f) << name;
        }
    }

    ZuTest::RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
};

TEST_F(RightToLeftViewsTest, EveryRichTextWidgetAlignsARightToLeftMessageRight)
{
    struct Case
    {
        const char* name;
        std::function<const CGameMultiLine&()> show;
    };
    const Case cases[] = {
        {"a view",
         [&]() -> const CGameMultiLine&
         {
             auto& view = static_cast<CGameMultiLine&>(
                 CreateChild("ZuTest/GameMultiLine", "View", 10, 10, 300, 80));
             view.setText(HebrewMessage());
             return view;
         }},
        {"a guide box",
         [&]() -> const CGameMultiLine&
         {
             auto& guide = static_cast<CGameMultiLine&>(
                 CreateChild("ZuTest/GuideBox", "Guide", 10, 10, 300, 80));
             guide.setText(HebrewMessage());
             return guide;
         }},
        {"a chat box's message",
         [&]() -> const CGameMultiLine&
         {
             auto& box = static_cast<ZuGUI::CGameChatBox&>(
                 CreateChild("ZuTest/GameChatBox", "Chat", 10, 10, 300, 120));
             box.setProperty("ChatCapacity", "4");
             EXPECT_TRUE(box.PushChatText(HebrewMessage()));
             return static_cast<const CGameMultiLine&>(*box.GetChatWindowByIndex(0));
         }},
    };
    for (const Case& c : cases)
        ExpectAlignedRight(c.show(), c.name);
}

TEST_F(RightToLeftViewsTest, AnOverrideInAChatMessageReordersNoOtherMessage)
{
    auto& box = static_cast<ZuGUI::CGameChatBox&>(
        CreateChild("ZuTest/GameChatBox", "Chat", 10, 10, 300, 120));
    box.setProperty("ChatCapacity", "4");
    // A player's message that opens a right-to-left override and never closes it.
    ASSERT_TRUE(box.PushChatText(
        CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(u8"{N Mallory}: \u202Egold for sale"))));
    ASSERT_TRUE(box.PushChatText("{N Alice}: gold for sale"));
    const auto levels = [&](unsigned index)
    {
        std::vector<int> found;
        const auto& view = static_cast<const CGameMultiLine&>(*box.GetChatWindowByIndex(index));
        const auto& doc = dynamic_cast<const ZuGUI::TextBlocks::CRichTextDoc&>(*view.QueryDoc());
        for (const auto& line : doc.GetLines())
            for (const auto& block : line->GetBlocks())
                found.push_back(block->GetBidiLevel());
        return found;
    };
    EXPECT_THAT(levels(0), ::testing::Contains(1));
    EXPECT_THAT(levels(1), ::testing::Each(0));
}

TEST_F(RightToLeftViewsTest, AToolTipFitsARightToLeftTextAndItsCompareText)
{
    ZuTest::RegisterTestGameTypes();
    m_host.ReplyWith("GameObjectTooltip", [](KeyValues& reply)
                     { reply.SetString("GameObjectTooltipValue", u8"מצויד: חרב 12"); });
    auto& tip = static_cast<ZuGUI::CZuToolTip&>(CreateChild("ZuTest/Tooltip", "Tip"));
    auto& target = static_cast<ZuTest::TestGameWindow&>(
        CreateChild(ZuTest::TestGameWindow::WidgetTypeName, "Target", 100, 100, 40, 40));
    target.setCompareId(1101);
    Context().injectMousePosition(105, 105);
    target.setTooltipText(HebrewMessage());
    tip.setTargetWindow(&target);
    ASSERT_NE(nullptr, tip.GetTextView());
    ASSERT_NE(nullptr, tip.GetCompareView());
    ExpectAlignedRight(*tip.GetTextView(), "the tip's text", false);
    ExpectAlignedRight(*tip.GetCompareView(), "the compare text", false);
    // As wide as the text needs, not as the width it was laid out at first.
    const float textWidth = tip.GetTextView()->getFont()->getTextExtent(
        CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(u8"דנה: מי בא למערה בשעה 9?")));
    EXPECT_LT(tip.getTextSize_impl().d_width, textWidth + 40.0f);
}
} // namespace
