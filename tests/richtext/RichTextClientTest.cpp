// The engine reaches the game client only through the view's client: these tests give the
// test view a client that records what it is told.
#include "support/text/RichTextFixture.h"

#include <gmock/gmock.h>

#include <map>

namespace
{
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using namespace ZuGUI::TextBlocks;

class RichTextClientTest : public ZuTest::RichTextTest
{
protected:
    void SetUp() override
    {
        RichTextTest::SetUp();
        client.tracksItemRefs = true;
        client.pictureProxyId = 42;
        view.client = &client;
        pictures.Add(kEmoteSet, kFirstEmoteIndex + 12, 20, 20);
        pictures.Add(1, 2, 16, 16);
    }

    // The client's lines from a press of `button` in block `index`.
    std::vector<std::string> PressOn(std::size_t index, CEGUI::MouseButton button)
    {
        const CEGUI::Rectf area = Blocks().at(index)->GetArea();
        client.lines.clear();
        doc->OnMouseButton(view, area.getPosition() + CEGUI::Vector2f(2, area.getHeight() / 2),
                           button, true);
        return client.lines;
    }

    ZuTest::RecordingRichTextClient client;
    ZuTest::TestPictures& pictures = client.pictures;
};

TEST_F(RichTextClientTest, PressesReachTheClientAsTheBlockSaysThem)
{
    const struct
    {
        const char* markup;
        std::size_t block;
        CEGUI::MouseButton button;
        std::vector<std::string> lines;
    } cases[] = {
        {"{N Alice}", 0, CEGUI::LeftButton, {"press 1 'Alice' 'Alice' 0", "cursor"}},
        {"{C /join {{3}}:here}", 0, CEGUI::RightButton, {"press 0 '/join {3}' 'here' 1", "cursor"}},
        {"{I 0x1F:Sword}", 0, CEGUI::MiddleButton, {"press 4 '0x1F' 'Sword' 2", "cursor"}},
        // A command tag without a parameter has no command to send.
        {"{C here}", 0, CEGUI::LeftButton, {"cursor"}},
        {"hi {E 12}", 1, CEGUI::RightButton, {"emote 12 1"}},
        {"say {C go:here}", 0, CEGUI::LeftButton, {}},
    };
    for (const auto& check : cases)
    {
        Format(check.markup);
        EXPECT_THAT(PressOn(check.block, check.button), ElementsAreArray(check.lines))
            << check.markup;
    }
}

TEST_F(RichTextClientTest, ItemsAreColouredOncePerParseAndCountedThroughTheClient)
{
    client.itemColours[31] = 0xFFA335EE;
    Format("{I 31:a}{I 31:b}{I 7:c}");
    EXPECT_THAT(client.lines, ElementsAre("colour 31", "colour 7", "add 7", "add 31"));
    EXPECT_EQ(0xFFA335EEu, CommandAt(1).GetColorPair().text);
    EXPECT_EQ(0xFF000000u, CommandAt(1).GetColorPair().second);
    EXPECT_EQ(0xFF00FF00u, CommandAt(2).GetColorPair().text); // 0: the click colours

    // While the client cannot track references, what it was told stays held.
    client.lines.clear();
    client.tracksItemRefs = false;
    Format("{I 9:x}");
    EXPECT_THAT(client.lines, ElementsAre("colour 9"));
    EXPECT_EQ((std::set<int>{7, 31}), Doc().GetHeldItemRefs());

    client.lines.clear();
    client.tracksItemRefs = true;
    doc.reset();
    EXPECT_THAT(client.lines, ElementsAre("release 7", "release 31"));
}

TEST_F(RichTextClientTest, DrawingReportsCommandTextsAndAsksTheClientForThePictureProxy)
{
    Format("{C go:W}{C W}{P 1:2}");
    client.lines.clear();
    const CEGUI::Rectf area(100, 50, 400, 250);
    doc->Render(view, CEGUI::Rectf(0, 0, 300, 200), area);
    const CEGUI::Rectf& w = Blocks()[0]->GetArea();
    const CEGUI::Vector2f centre = area.getPosition() + (w.d_min + w.d_max) * 0.5f;
    EXPECT_THAT(client.lines, ElementsAre("drawn 'go' 0 " + std::to_string(int(centre.d_x)) + "," +
                                          std::to_string(int(centre.d_y))));
    ASSERT_EQ(1u, view.pictureSink.pictures.size());
    EXPECT_EQ(42u, view.pictureSink.pictures[0].proxyId);
    EXPECT_THAT(view.linkTargetCalls, IsEmpty());
}
} // namespace
