#include "support/HostRichTextFixture.h"

#include "support/RecordingHost.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "public/CodePage.h"

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ZuTest::RecordingHost;
using namespace ZuGUI::TextBlocks;

class TextCommandTest : public ZuTest::HostRichTextTest
{
protected:
    void SetUp() override
    {
        HostRichTextTest::SetUp();
        pictures.Add(kEmoteSet, kFirstEmoteIndex + 12, 20, 20);
    }

    // Presses (or releases) `button` in the middle of block `index`; returns whether a block
    // consumed the event.
    bool PressOn(std::size_t index, CEGUI::MouseButton button = CEGUI::LeftButton,
                 bool pressed = true)
    {
        const CEGUI::Rectf area = Blocks().at(index)->GetArea();
        host.ClearCalls();
        return doc->OnMouseButton(
            view, area.getPosition() + CEGUI::Vector2f(2, area.getHeight() / 2), button, pressed);
    }

    static std::string Click(const std::string& content, const std::string& text,
                             const std::string& whole, int kind, const std::string& button)
    {
        return "SendCommand(_KeyVal_Cmd_Click{_KeyVal_Cmd_Content=\"" + content +
               "\" _KeyVal_Cmd_Text=\"" + text + "\" _KeyVal_Cmd_WholeText=\"" + whole +
               "\" _KeyVal_Cmd_Opcode=" + std::to_string(kind) +
               " _KeyVal_Cmd_MouseButton_Type=\"" + button + "\"})";
    }

    // Moves the pointer into the middle of block `index`.
    void MoveOnto(std::size_t index)
    {
        const CEGUI::Rectf area = Blocks().at(index)->GetArea();
        doc->OnMouseMove(view, area.getPosition() + CEGUI::Vector2f(2, area.getHeight() / 2),
                         CEGUI::NoButton, false);
    }

    static std::string Guide(int kind, const std::string& content)
    {
        return "CallScriptIntStr(\"gFn_guide_cmd_text_on_click\", " + std::to_string(kind) +
               ", \"" + content + "\")";
    }

    static constexpr const char* kLeft = "_KeyVal_Cmd_MouseButton_Left";
    static constexpr const char* kCursor = "ChangeCursor(0, true)";

    RecordingHost host;
    ZuTest::ScopedHost scopedHost{&host};
};

TEST_F(TextCommandTest, EveryPieceOfAWrappedCommandSendsTheSameCommand)
{
    const CEGUI::String words = "Lorem ipsum dolor sit amet";
    Format("{M /manual 7:" + words + "}", Extent(words) / 2.5f);
    ASSERT_GT(Blocks().size(), 2u);
    for (std::size_t i = 0; i < Blocks().size(); ++i)
    {
        PressOn(i);
        EXPECT_EQ(Guide(kManualCommand, "/manual 7"), host.CallLines().at(1)) << i;
    }
}

TEST_F(TextCommandTest, ReleasesAndCommandsWithoutParameterAreConsumedButSendNothing)
{
    Format("{C go:here}{C there}");
    EXPECT_TRUE(PressOn(0, CEGUI::LeftButton, false));
    EXPECT_THAT(host.CallLines(), ElementsAre(kCursor));
    EXPECT_FALSE(Blocks()[0]->IsPressed());

    EXPECT_TRUE(PressOn(1));
    EXPECT_THAT(host.CallLines(), ElementsAre(kCursor));
    EXPECT_TRUE(Blocks()[1]->IsPressed());
}

TEST_F(TextCommandTest, APressReachesTheCommandDrawnUnderThePointer)
{
    // An anchor cannot lay a name over an invisible command placed before it.
    const CEGUI::String markup = "{C /evil:            }{Ak 0,-1}{N Alice}: trade?";
    Format(markup);
    const CEGUI::Rectf hidden = Blocks()[0]->GetArea();
    const CEGUI::Rectf alice = Blocks()[1]->GetArea();
    EXPECT_LE(hidden.right(), alice.left());
    EXPECT_TRUE(PressOn(1));
    EXPECT_EQ(Click("Alice", "Alice", markup.c_str(), kName, kLeft), host.CallLines().at(0));
}

TEST_F(TextCommandTest, PlainTextBesideACommandSendsNothing)
{
    Format("say {C go:here}");
    EXPECT_TRUE(PressOn(0));
    EXPECT_THAT(host.CallLines(), IsEmpty());
    // Between the lines' blocks and past the last one nothing is hit.
    host.ClearCalls();
    const CEGUI::Rectf here = Blocks()[1]->GetArea();
    EXPECT_FALSE(doc->OnMouseButton(view, CEGUI::Vector2f(here.right() + 3, here.top() + 3),
                                    CEGUI::LeftButton, true));
    EXPECT_THAT(host.CallLines(), IsEmpty());
}

TEST_F(TextCommandTest, EmotesSendTheirNumberWithoutScriptOrCursor)
{
    Format("hi {E 12}");
    EXPECT_TRUE(PressOn(1, CEGUI::RightButton));
    EXPECT_THAT(host.CallLines(),
                ElementsAre("SendCommand(_KeyVal_Cmd_Click{_KeyVal_Cmd_Opcode=7 "
                            "_KeyVal_Cmd_MouseButton_Type=\"_KeyVal_Cmd_MouseButton_Right\" "
                            "_KeyVal_Cmd_PicIdx=12 _KeyVal_Cmd_Content=\"_KeyVal_Cmd_Content\" "
                            "_KeyVal_Cmd_Text=\"_KeyVal_Cmd_Text\"})"));
}

TEST_F(TextCommandTest, TheGuideScriptGetsTheCommandInTheSystemCodePage)
{
    SetSystemCodePage("CP1252");
    Format(reinterpret_cast<const CEGUI::utf8*>("{N Zo\xC3\xAB}"));
    PressOn(0);
    SetSystemCodePage(nullptr);
    EXPECT_EQ(Click("Zo\xC3\xAB", "Zo\xC3\xAB", "{N Zo\xC3\xAB}", kName, kLeft),
              host.CallLines().at(0));
    EXPECT_EQ(Guide(kName, "Zo\xEB"), host.CallLines().at(1));
}

TEST_F(TextCommandTest, WithoutClientNothingIsSentButHoverStillWorks)
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    Format("{N Alice}{E 12}");
    EXPECT_TRUE(PressOn(0));
    EXPECT_TRUE(PressOn(1));
    const CEGUI::Rectf alice = Blocks()[0]->GetArea();
    doc->OnMouseMove(view, alice.getPosition() + CEGUI::Vector2f(2, 2), CEGUI::NoButton, false);
    EXPECT_EQ(0xFFFFFF00u, CommandAt(0).GetColour());
    EXPECT_THAT(host.CallLines(), IsEmpty());
}

TEST_F(TextCommandTest, AWebLinkClickSaysWhetherTheAddressABrowserWouldOpenIsTrusted)
{
    // The module's default trusted addresses: hosts inside "portal.example" with any scheme,
    // "https://fans.example.org/" and below. A target without a scheme is an http address.
    const struct
    {
        const char* markup;
        const char* trustedKey; // what follows the button type in the click tree
    } cases[] = {
        {"{H www.portal.example/news:News}", " _KeyVal_Cmd_Trusted=1"},
        {"{H fans.example.org/forum:Forum}", " _KeyVal_Cmd_Trusted=0"},
        {"{H www.portal.example@evil.net/:Prize}", " _KeyVal_Cmd_Trusted=0"},
        {"{H evil.net/.portal.example:Prize}", " _KeyVal_Cmd_Trusted=0"},
        {"{H 2130706433/:Prize}", " _KeyVal_Cmd_Trusted=0"},
        {"{C www.portal.example/news:News}", ""},
        {"{M www.portal.example/news:News}", ""},
    };
    for (const auto& check : cases)
    {
        Format(check.markup);
        ASSERT_TRUE(PressOn(0)) << check.markup;
        EXPECT_THAT(host.CallLines("SendCommand").at(0),
                    ::testing::EndsWith("_KeyVal_Cmd_MouseButton_Type=\"" + std::string(kLeft) +
                                        "\"" + check.trustedKey + "})"))
            << check.markup;
    }
}

TEST_F(TextCommandTest, AHoveredWebLinkShowsItsTargetUntilThePointerLeavesIt)
{
    Format("{H www.portal.example/news:News} {N Bob} {C go:Go}");
    MoveOnto(0);
    MoveOnto(0);
    EXPECT_THAT(view.linkTargetCalls, ElementsAre("show www.portal.example/news"));

    // Other command texts show nothing.
    MoveOnto(2);
    MoveOnto(4);
    MoveOnto(0);
    view.containsMouse = false;
    MoveOnto(0);
    EXPECT_THAT(view.linkTargetCalls, ElementsAre("show www.portal.example/news", "hide News",
                                                  "show www.portal.example/news", "hide News"));
}
} // namespace
