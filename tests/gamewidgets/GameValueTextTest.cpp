#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/gamewidgets/GameValueText.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "public/CodePage.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ZuGUI::CGameValueText;
using ZuTest::RecordingHost;
using ZuTest::WatchLine;

class GameValueTextTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("GameValueTextTest");
        m_host.ReplyWith("GameCreatureProvider",
                         [this](KeyValues& reply) { reply.SetInt("CreatureId", m_creatureId); });
        m_host.SetReply("GameObjectProperty",
                        [this](KeyValues& request, KeyValues& reply)
                        {
                            reply.SetString("PropertyStringValue",
                                            (std::string(request.GetString("WhichProperty")) +
                                             " of " + request.GetString("ObjectId"))
                                                .c_str());
                            return true;
                        });
    }

    CGameValueText& CreateValueText(const char* whichOne = "Player",
                                    const char* whichProperty = "HP")
    {
        auto& text = static_cast<CGameValueText&>(
            CreateChild("ZuTest/GameValueText", "Value", 10, 10, 200, 30));
        text.setProperty("WhichOne", whichOne);
        text.setProperty("WhichProperty", whichProperty);
        return text;
    }

    unsigned GeometryVertices(CEGUI::Window& window)
    {
        return window.getGeometryBuffer().getVertexCount();
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
    int m_creatureId = 1;
};

TEST_F(GameValueTextTest, ResolvesWatchesAndShowsTheCreaturesProperty)
{
    CGameValueText& text = CreateValueText();
    m_host.ClearCalls();
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre("Query(GameCreatureProvider{WhichOne=\"Player\"})",
                            WatchLine("WatchObject", text, 1),
                            "Query(GameObjectProperty{ObjectId=1 WhichProperty=\"HP\"})"));
    EXPECT_EQ(1u, text.GetTargetId());
    EXPECT_EQ("HP of 1", text.getText());
}

TEST_F(GameValueTextTest, EveryAddressChangeRerunsTheWholeUpdateOnce)
{
    CGameValueText& text = CreateValueText();
    RenderFrame();
    m_host.ClearCalls();
    text.setProperty("WhichProperty", "HP");
    RenderFrame();
    EXPECT_TRUE(m_host.Calls().empty());

    text.setProperty("WhichProperty", "Level");
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre("Query(GameCreatureProvider{WhichOne=\"Player\"})",
                            "Query(GameObjectProperty{ObjectId=1 WhichProperty=\"Level\"})"));
    EXPECT_EQ("Level of 1", text.getText());
}

TEST_F(GameValueTextTest, ANewCreatureMovesTheWatch)
{
    CGameValueText& text = CreateValueText();
    RenderFrame();
    m_host.ClearCalls();
    m_creatureId = 2;
    text.setProperty("WhichOne", "Target");
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre(HasSubstr("Query(GameCreatureProvider"),
                            WatchLine("UnwatchObject", text, 1), WatchLine("WatchObject", text, 2),
                            HasSubstr("Query(GameObjectProperty")));
}

TEST_F(GameValueTextTest, ReplyWithoutCreatureKeepsTheCreatureButRefreshesTheText)
{
    CGameValueText& text = CreateValueText();
    RenderFrame();
    m_host.ReplyWith("GameCreatureProvider", [](KeyValues&) {});
    m_host.ClearCalls();
    text.setProperty("WhichProperty", "Name");
    RenderFrame();
    EXPECT_TRUE(m_host.CallLines("UnwatchObject").empty());
    EXPECT_EQ(1u, text.GetTargetId());
    EXPECT_EQ("Name of 1", text.getText());
}

TEST_F(GameValueTextTest, UnansweredCreatureQueryChangesNothing)
{
    CGameValueText& text = CreateValueText();
    RenderFrame();
    m_host.SetReply("GameCreatureProvider", [](KeyValues&, KeyValues&) { return false; });
    m_host.ClearCalls();
    text.setProperty("WhichProperty", "Name");
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(), ElementsAre(HasSubstr("Query(GameCreatureProvider")));
    EXPECT_EQ("HP of 1", text.getText());
}

TEST_F(GameValueTextTest, UnansweredPropertyEmptiesTheText)
{
    m_host.SetReply("GameObjectProperty", [](KeyValues&, KeyValues&) { return false; });
    CGameValueText& text = CreateValueText();
    text.setText("layout text");
    RenderFrame();
    EXPECT_EQ("", text.getText());
}

TEST_F(GameValueTextTest, WithoutHostTheLayoutTextStays)
{
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    CGameValueText& text = CreateValueText();
    text.setText("layout text");
    RenderFrame();
    EXPECT_EQ("layout text", text.getText());
    EXPECT_EQ(0u, text.GetTargetId());
}

TEST_F(GameValueTextTest, PropertyTextComesInTheSystemCodePageOrAsANumber)
{
    m_host.ReplyWith("GameObjectProperty",
                     [](KeyValues& reply) { reply.SetString("PropertyStringValue", "Ren\xE9"); });
    SetSystemCodePage("CP1252");
    CGameValueText& text = CreateValueText();
    RenderFrame();
    SetSystemCodePage(nullptr);
    EXPECT_EQ(CEGUI::String(reinterpret_cast<const CEGUI::utf8*>("René")), text.getText());

    m_host.ReplyWith("GameObjectProperty",
                     [](KeyValues& reply) { reply.SetInt("PropertyStringValue", 420); });
    text.requestUpdate();
    RenderFrame();
    EXPECT_EQ("420", text.getText());
}

TEST_F(GameValueTextTest, FrameAndBackgroundSwitchesChooseTheImagery)
{
    CGameValueText& text = CreateValueText();
    RenderFrame();
    const unsigned textOnly = GeometryVertices(text);
    EXPECT_EQ(5u * 6u, textOnly) << "five glyphs of \"HP of 1\"";

    text.setProperty("FrameEnabled", "True");
    RenderFrame();
    EXPECT_EQ(textOnly + 24, GeometryVertices(text));

    text.setProperty("BackgroundEnabled", "True");
    RenderFrame();
    EXPECT_EQ(textOnly + 24 + 6, GeometryVertices(text));

    // Without the frame the background is still the "with frame" one.
    text.setProperty("FrameEnabled", "False");
    RenderFrame();
    EXPECT_EQ(textOnly + 6, GeometryVertices(text));

    text.setProperty("FrameEnabled", "True");
    text.disable();
    RenderFrame();
    EXPECT_EQ(textOnly + 48 + 12, GeometryVertices(text));
}

TEST_F(GameValueTextTest, AddressPropertiesReachLayouts)
{
    CGameValueText& text = CreateValueText("Target", "Level");
    std::ostringstream xml;
    CEGUI::WindowManager::getSingleton().writeLayoutToStream(text, xml);
    EXPECT_THAT(xml.str(), HasSubstr("name=\"WhichOne\" value=\"Target\""));
    EXPECT_THAT(xml.str(), HasSubstr("name=\"WhichProperty\" value=\"Level\""));
}
} // namespace
