#include "support/CeguiFixture.h"
#include "support/DrawCounter.h"
#include "support/FakeRenderProxies.h"
#include "support/RecordingHost.h"

#include "gamewidgets/SampleLook.h"
#include "support/QuadGeometry.h"

#include "ZuGUIElements/gamewidgets/ItemIcon.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "public/CodePage.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <algorithm>

namespace
{
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ZuGUI::CItemIcon;
using ZuTest::RecordingHost;
using ZuTest::WatchLine;

const char* const kProviders[] = {"GamePackageManagerProxy",
                                  "SpellProxyMgr",
                                  "ItemTemplMgr",
                                  "SpellSetMgr",
                                  "GangTechMgr",
                                  "CsmKeyMgr"};
const char* const kLargeFont = "DejaVuSans-14-NoScale";

// The bounds of `vertices` in window pixels.
CEGUI::Rectf Bounds(const std::vector<CEGUI::Vertex>& vertices)
{
    CEGUI::Rectf bounds(vertices.at(0).position.d_x, vertices.at(0).position.d_y,
                        vertices.at(0).position.d_x, vertices.at(0).position.d_y);
    for (const CEGUI::Vertex& vertex : vertices)
    {
        bounds.left(std::min(bounds.left(), vertex.position.d_x));
        bounds.top(std::min(bounds.top(), vertex.position.d_y));
        bounds.right(std::max(bounds.right(), vertex.position.d_x));
        bounds.bottom(std::max(bounds.bottom(), vertex.position.d_y));
    }
    return bounds;
}

// Sets the system code page for one test.
struct ScopedCodePage
{
    explicit ScopedCodePage(const char* codeset) { SetSystemCodePage(codeset); }
    ~ScopedCodePage() { SetSystemCodePage(nullptr); }
};

class ItemIconTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("ItemIconTest");
        if (!CEGUI::FontManager::getSingleton().isDefined(kLargeFont))
            CEGUI::FontManager::getSingleton().createFromFile(CEGUI::String(kLargeFont) + ".font");
        for (const char* provider : kProviders)
            m_host.SetReply(provider,
                            [this](KeyValues&, KeyValues& reply)
                            {
                                if (m_replyHasCellId)
                                    reply.SetInt("CellId", m_cellId);
                                return m_providerAnswers;
                            });
        m_host.SetReply("GameObjectTooltip",
                        [this](KeyValues& request, KeyValues& reply)
                        {
                            reply.SetString("GameObjectTooltipValue",
                                            (m_tooltip + request.GetString("ObjectId")).c_str());
                            return m_tooltipAnswers;
                        });
        m_host.ReplyWith("GameObjectCompare", [this](KeyValues& reply)
                         { reply.SetInt("GameObjectCompareId", m_compareId); });
    }

    CItemIcon& CreateIcon(const char* name = "Icon", const char* type = "ZuTest/ItemIcon")
    {
        return static_cast<CItemIcon&>(CreateChild(type, name, 100, 100, 64, 64));
    }

    // An icon bound to `cellId` by its first update, with the host's calls cleared.
    CItemIcon& BoundIcon(int cellId, const char* name = "Icon")
    {
        m_cellId = cellId;
        CItemIcon& icon = CreateIcon(name);
        RenderFrame();
        m_host.ClearCalls();
        return icon;
    }

    // Runs the update that the client would ask for and returns its host calls.
    std::vector<std::string> Update(CItemIcon& icon)
    {
        m_host.ClearCalls();
        icon.requestUpdate();
        RenderFrame();
        return m_host.CallLines();
    }

    // Presses and releases `button` over the icon; returns whether the press was handled.
    bool Click(CEGUI::MouseButton button)
    {
        Context().injectMousePosition(132, 132);
        const bool handled = Context().injectMouseButtonDown(button);
        Context().injectMouseButtonUp(button);
        return handled;
    }

    // Counts the events of `window`, each of which must name the window.
    static void CountEvents(CEGUI::Window& window, const CEGUI::String& event, int& counter)
    {
        window.subscribeEvent(
            event, CEGUI::Event::Subscriber(
                       [&counter, &window](const CEGUI::EventArgs& args)
                       {
                           EXPECT_EQ(&window,
                                     static_cast<const CEGUI::WindowEventArgs&>(args).window);
                           ++counter;
                           return true;
                       }));
    }

    // What the renderer drew over the object's image: the corner text.
    static const std::vector<CEGUI::Vertex>& TextVertices(CItemIcon& icon)
    {
        return ZuTest::detail::NullGeometryAccess::Vertices(
            static_cast<const CEGUI::NullGeometryBuffer&>(
                icon.GetZuImageCache().GetImageryBuffer()));
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
    int m_cellId = 7;
    bool m_providerAnswers = true;
    bool m_replyHasCellId = true;
    std::string m_tooltip = "Tip ";
    bool m_tooltipAnswers = true;
    int m_compareId = 0;
};

TEST_F(ItemIconTest, FirstUpdateResolvesWatchesAndFetchesTooltipAndCompareId)
{
    CItemIcon& icon = CreateIcon();
    int changes = 0;
    CountEvents(icon, "TargetIdChanged", changes);
    m_compareId = 11;
    m_host.ClearCalls();
    RenderFrame();
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre("Query(GamePackageManagerProxy{ItemType=\"Item\" PackageName=\"\" "
                            "PackageId=0 PackageIndex=-1})",
                            WatchLine("WatchObject", icon, 7),
                            "Query(GameObjectTooltip{ObjectId=7})",
                            "Query(GameObjectCompare{ObjectId=7})"));
    EXPECT_EQ("7", icon.getProperty("TargetId"));
    EXPECT_EQ("Tip 7", icon.getTooltipText());
    EXPECT_EQ(11u, icon.getCompareId());
    EXPECT_EQ(1, changes);
}

TEST_F(ItemIconTest, WatchMovesReleaseTheOldIdFirstAndNeverTouchIdZero)
{
    CItemIcon& icon = BoundIcon(7);
    int changes = 0;
    CountEvents(icon, "TargetIdChanged", changes);

    m_cellId = 9;
    Update(icon);
    EXPECT_THAT(m_host.WatchLines(), ElementsAre(WatchLine("UnwatchObject", icon, 7),
                                                 WatchLine("WatchObject", icon, 9)));
    m_cellId = 0;
    Update(icon);
    EXPECT_THAT(m_host.WatchLines(), ElementsAre(WatchLine("UnwatchObject", icon, 9)));
    m_cellId = 9;
    Update(icon);
    EXPECT_THAT(m_host.WatchLines(), ElementsAre(WatchLine("WatchObject", icon, 9)));
    EXPECT_EQ(3, changes);

    // The same id again moves nothing and fires nothing, but refreshes the tool tip.
    m_tooltip = "New ";
    EXPECT_THAT(Update(icon), ElementsAre(HasSubstr("GamePackageManagerProxy"),
                                          "Query(GameObjectTooltip{ObjectId=9})",
                                          "Query(GameObjectCompare{ObjectId=9})"));
    EXPECT_EQ(3, changes);
    EXPECT_EQ("New 9", icon.getTooltipText());
}

TEST_F(ItemIconTest, CompareIdIsOnlyKeptForItemsAndSpellsComparedWithAnotherObject)
{
    m_compareId = 7;
    CItemIcon& icon = BoundIcon(7);
    EXPECT_EQ(0u, icon.getCompareId());

    m_compareId = 12;
    icon.setProperty("ItemType", "Shortcut");
    EXPECT_THAT(Update(icon), Not(Contains(HasSubstr("GameObjectCompare"))));
    EXPECT_EQ(0u, icon.getCompareId());

    icon.setProperty("ItemType", "Spell");
    Update(icon);
    EXPECT_EQ(12u, icon.getCompareId());

    m_tooltipAnswers = false;
    EXPECT_THAT(Update(icon), Not(Contains(HasSubstr("GameObjectCompare"))));
    EXPECT_EQ(0u, icon.getCompareId());
}

TEST_F(ItemIconTest, TooltipFallsBackToTheOneInForceBeforeThePackageIndexChanged)
{
    CItemIcon& icon = CreateIcon();
    icon.setTooltipText("Empty slot");
    icon.setProperty("PackageIndex", "3");
    m_tooltipAnswers = false;
    RenderFrame();
    EXPECT_EQ("Empty slot", icon.getTooltipText());

    // An unchanged index neither updates nor saves the tool tip again.
    icon.setTooltipText("Other");
    icon.setProperty("PackageIndex", "3");
    EXPECT_FALSE(icon.IsUpdateRequested());
    Update(icon);
    EXPECT_EQ("Empty slot", icon.getTooltipText());

    // The client's text is in the system code page.
    ScopedCodePage codePage("CP1252");
    m_tooltipAnswers = true;
    m_tooltip = "Ep\xE9"
                "e ";
    Update(icon);
    EXPECT_EQ(CEGUI::String(reinterpret_cast<const CEGUI::utf8*>("Ep\xC3\xA9"
                                                                 "e 7")),
              icon.getTooltipText());
}

TEST_F(ItemIconTest, UnansweredRequestClearsItemSpellAndCsmKeyButKeepsTheOthers)
{
    for (const char* type : {"Item", "Spell", "CsmKey"})
    {
        SCOPED_TRACE(type);
        m_providerAnswers = true;
        CItemIcon& icon = BoundIcon(7, type);
        icon.setProperty("ItemType", type);
        Update(icon);
        m_providerAnswers = false;
        const std::vector<std::string> calls = Update(icon);
        EXPECT_THAT(m_host.WatchLines(), ElementsAre(WatchLine("UnwatchObject", icon, 7)));
        EXPECT_THAT(calls, Contains("Query(GameObjectTooltip{ObjectId=0})"));
        EXPECT_EQ(0u, icon.GetTargetId());
    }
    for (const char* type : {"Shortcut", "ShortcutItem", "SpellInSet", "GangTech"})
    {
        SCOPED_TRACE(type);
        m_providerAnswers = true;
        CItemIcon& icon = BoundIcon(7, type);
        icon.setProperty("ItemType", type);
        Update(icon);
        m_providerAnswers = false;
        EXPECT_THAT(Update(icon), ElementsAre(HasSubstr("{ItemType=\"" + std::string(type))));
        EXPECT_EQ(7u, icon.GetTargetId());
    }
}

TEST_F(ItemIconTest, ReplyWithoutCellIdOrUnknownItemTypeChangesNothing)
{
    CItemIcon& icon = BoundIcon(7);
    m_replyHasCellId = false;
    m_tooltip = "Changed ";
    EXPECT_THAT(Update(icon), ElementsAre(HasSubstr("GamePackageManagerProxy")));
    EXPECT_EQ(7u, icon.GetTargetId());
    EXPECT_EQ("Tip 7", icon.getTooltipText());

    // Item types are case-sensitive: an unknown one is kept but asks and sends nothing.
    m_replyHasCellId = true;
    icon.setProperty("ItemType", "item");
    EXPECT_THAT(Update(icon), IsEmpty());
    Click(CEGUI::LeftButton);
    EXPECT_THAT(m_host.CallLines(), IsEmpty());
    EXPECT_EQ("item", icon.getProperty("ItemType"));
    EXPECT_EQ(7u, icon.GetTargetId());
}

TEST_F(ItemIconTest, RequestOfEachItemTypeCarriesItsKeys)
{
    struct Case
    {
        const char* type;
        const char* spellIndex;
        const char* request;
    };
    const Case cases[] = {
        {"Item", "4294967295",
         "GamePackageManagerProxy{ItemType=\"Item\" PackageName=\"Bag\" PackageId=3 "
         "PackageIndex=5}"},
        {"Spell", "4294967295", "SpellProxyMgr{ItemType=\"Spell\" PackageName=\"Bag\"}"},
        {"Spell", "4", "SpellProxyMgr{ItemType=\"Spell\" Spell_Index=4}"},
        {"Shortcut", "4", "SpellProxyMgr{ItemType=\"Shortcut\" PackageIndex=5}"},
        {"ShortcutItem", "4", "ItemTemplMgr{ItemType=\"ShortcutItem\" PackageIndex=5}"},
        {"SpellInSet", "4",
         "SpellSetMgr{ItemType=\"SpellInSet\" PackageName=\"Bag\" PackageId=3 PackageIndex=5 "
         "ReadOnly=1}"},
        {"GangTech", "4", "GangTechMgr{ItemType=\"GangTech\" PackageId=3 PackageIndex=5}"},
        {"CsmKey", "4294967295", "CsmKeyMgr{ItemType=\"CsmKey\" PackageId=3 PackageIndex=5}"},
        {"CsmKey", "4", "CsmKeyMgr{ItemType=\"CsmKey\" Spell_Index=4}"},
    };
    CItemIcon& icon = BoundIcon(7);
    icon.setProperty("PackageName", "Bag");
    icon.setProperty("PackageId", "3");
    icon.setProperty("PackageIndex", "5");
    icon.setProperty("ReadOnly", "True");
    for (const Case& test : cases)
    {
        icon.setProperty("ItemType", test.type);
        icon.setProperty("Spell_Index", test.spellIndex);
        EXPECT_EQ("Query(" + std::string(test.request) + ")", Update(icon).at(0));
    }
}

TEST_F(ItemIconTest, DirectIdIsBoundWithoutARequestOnlyWithAHost)
{
    CItemIcon& icon = BoundIcon(7);
    icon.setProperty("CellId", "42");
    EXPECT_THAT(Update(icon),
                ElementsAre(WatchLine("UnwatchObject", icon, 7), WatchLine("WatchObject", icon, 42),
                            "Query(GameObjectTooltip{ObjectId=42})",
                            "Query(GameObjectCompare{ObjectId=42})"));
    icon.setProperty("CellId", "0");
    EXPECT_THAT(Update(icon).at(0), HasSubstr("GamePackageManagerProxy"));

    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    CItemIcon& unbound = CreateIcon("Unbound");
    unbound.setTooltipText("Kept");
    unbound.setProperty("CellId", "42");
    RenderFrame();
    EXPECT_EQ(0u, unbound.GetTargetId());
    EXPECT_EQ("Kept", unbound.getTooltipText());
}

TEST_F(ItemIconTest, ClickSendsTheCommandOfTheItemTypeWithTheButton)
{
    struct Case
    {
        const char* type;
        const char* command;
    };
    const Case cases[] = {
        {"Item", "_KeyVal_ItemIcon_Click{PackageName=\"Bag\" PackageId=3 PackageIndex=5 "},
        {"Spell", "_KeyVal_Spell_Click{Spell_Proxy_Id=7 "},
        {"Shortcut", "_KeyVal_Shortcut_Click{Shortcur_Pos=5 "},
        {"ShortcutItem", "_KeyVal_ShortcutItem_Click{Shortcur_Pos=5 "},
        {"SpellInSet", "_KeyVal_SpellInSet_Click{PackageName=\"Bag\" PackageId=3 PackageIndex=5 "},
        {"GangTech", "_KeyVal_TechIcon_Click{PackageId=3 PackageIndex=5 "},
        {"CsmKey", "_KeyVal_CsmKey_Click{"},
    };
    CItemIcon& icon = BoundIcon(7);
    icon.setProperty("PackageName", "Bag");
    icon.setProperty("PackageId", "3");
    icon.setProperty("PackageIndex", "5");
    RenderFrame();
    for (const Case& test : cases)
    {
        icon.setProperty("ItemType", test.type);
        RenderFrame();
        m_host.ClearCalls();
        Click(CEGUI::LeftButton);
        EXPECT_THAT(m_host.CallLines(),
                    ElementsAre("SendCommand(" + std::string(test.command) +
                                "_KeyVal_Cmd_MouseButton_Type=\"_KeyVal_Cmd_MouseButton_Left\"})"));
    }
    m_host.ClearCalls();
    Click(CEGUI::RightButton);
    Click(CEGUI::MiddleButton);
    EXPECT_THAT(m_host.CallLines(), ElementsAre(HasSubstr("=\"_KeyVal_Cmd_MouseButton_Right\"})"),
                                                HasSubstr("_KeyVal_Cmd_MouseButton_Type=\"\"})")));
}

TEST_F(ItemIconTest, PickModeFiresOnTheParentThenOnTheIconAndSendsNothing)
{
    CItemIcon& icon = BoundIcon(7);
    icon.setProperty("ClickIsPick", "True");
    std::vector<std::string> heardBy;
    auto listen = [&](CEGUI::Window& window, const char* who)
    {
        window.subscribeEvent("IconPicked",
                              CEGUI::Event::Subscriber(
                                  [&heardBy, &icon, who](const CEGUI::EventArgs& args)
                                  {
                                      auto& mouse = static_cast<const CEGUI::MouseEventArgs&>(args);
                                      EXPECT_EQ(&icon, mouse.window);
                                      const bool right = mouse.button == CEGUI::RightButton;
                                      heardBy.push_back(std::string(who) + (right ? " right" : ""));
                                      return true;
                                  }));
    };
    listen(Root(), "parent");
    listen(icon, "icon");
    EXPECT_TRUE(Click(CEGUI::RightButton));
    EXPECT_THAT(heardBy, ElementsAre("parent right", "icon right"));
    // A quick second press reaches CEGUI as a double click: it picks all the same.
    Click(CEGUI::LeftButton);
    Click(CEGUI::LeftButton);
    EXPECT_THAT(heardBy,
                ElementsAre("parent right", "icon right", "parent", "icon", "parent", "icon"));
    EXPECT_THAT(m_host.CallLines(), IsEmpty());
    EXPECT_FALSE(icon.IsClicked());
}

TEST_F(ItemIconTest, ReadOnlyIconRefusesClicksShowingOnlyItsReason)
{
    CItemIcon& icon = BoundIcon(7);
    int picks = 0;
    CountEvents(icon, "IconPicked", picks);
    icon.setProperty("ClickIsPick", "True");
    icon.setProperty("ReadOnly", "True");
    Click(CEGUI::LeftButton);
    EXPECT_THAT(m_host.CallLines(), IsEmpty());

    ScopedCodePage codePage("CP1252");
    icon.setProperty("WhyReadOnly", reinterpret_cast<const CEGUI::utf8*>("Verrouill\xC3\xA9"));
    icon.setProperty("ClickIsPick", "False");
    Click(CEGUI::RightButton);
    EXPECT_THAT(m_host.CallLines(),
                ElementsAre("CallScriptIntStr(\"gFn_print_reason\", 0, \"Verrouill\xE9\")"));
    EXPECT_EQ(0, picks);
}

TEST_F(ItemIconTest, PropertiesReadBackInTheirTextForms)
{
    CItemIcon& icon = CreateIcon();
    std::vector<std::string> names;
    for (const CEGUI::Property* property : CItemIcon::s_SharePros)
        names.push_back(property->getName().c_str());
    EXPECT_THAT(names, ElementsAre("PackageName", "PackageIndex", "CellId", "ItemType",
                                   "ClickIsPick", "Picked", "TargetId", "ReadOnly", "PackageId",
                                   "Spell_Index", "RenderOper", "WhyReadOnly"));
    EXPECT_EQ("4294967295", icon.getProperty("PackageIndex"));
    EXPECT_EQ("4294967295", icon.getProperty("Spell_Index"));
    EXPECT_EQ("Item", icon.getProperty("ItemType"));
    EXPECT_EQ("RenderIcon", icon.getProperty("RenderOper"));

    icon.setProperty("TargetId", "5");
    EXPECT_EQ("0", icon.getProperty("TargetId"));
    icon.setProperty("RenderOper", "RenderDarkIcon");
    EXPECT_EQ(17, icon.GetRenderOper());
    EXPECT_EQ("RenderDarkIcon", icon.getProperty("RenderOper"));
    icon.setProperty("RenderOper", "Darker");
    EXPECT_EQ("RenderMap", icon.getProperty("RenderOper"));
    icon.SetRenderOper(5);
    EXPECT_EQ("", icon.getProperty("RenderOper"));

    // Declared defaults decide what a layout keeps: they are the initial values, so a fresh
    // icon writes none of its properties, and a value away from them is written and survives a
    // reload. The indexes declare their initial -1, so that an index of 0 is written.
    std::ostringstream fresh;
    CEGUI::WindowManager::getSingleton().writeLayoutToStream(CreateIcon("Fresh"), fresh);
    for (const std::string& name : names)
        EXPECT_THAT(fresh.str(), Not(HasSubstr("\"" + name + "\""))) << name;
    CItemIcon& changed = CreateIcon("Changed");
    const std::pair<const char*, const char*> values[] = {{"ClickIsPick", "True"},
                                                          {"Spell_Index", "0"},
                                                          {"PackageIndex", "0"},
                                                          {"RenderOper", "RenderMap"}};
    for (const auto& [name, value] : values)
        changed.setProperty(name, value);
    std::ostringstream layout;
    CEGUI::WindowManager::getSingleton().writeLayoutToStream(changed, layout);
    for (const auto& [name, value] : values)
        EXPECT_THAT(layout.str(), HasSubstr("name=\"" + std::string(name) + "\" value=\"" +
                                            std::string(value) + "\""));
}

TEST_F(ItemIconTest, AddressSettersUpdateOnChangeAndLookSettersOnlyRedraw)
{
    ZuTest::FakeRenderProxies proxies;
    CItemIcon& icon = BoundIcon(7);
    EXPECT_THAT(proxies.bindings, ElementsAre("7/1"));

    for (const auto& [name, value] : {std::pair{"ItemType", "Item"},
                                      {"PackageName", ""},
                                      {"PackageId", "0"},
                                      {"CellId", "0"},
                                      {"Spell_Index", "4294967295"},
                                      {"PackageIndex", "4294967295"}})
    {
        icon.setProperty(name, value);
        EXPECT_FALSE(icon.IsUpdateRequested()) << name;
    }
    icon.setProperty("PackageId", "1");
    EXPECT_TRUE(icon.IsUpdateRequested());
    RenderFrame();
    proxies.bindings.clear();

    for (const auto& [name, value] :
         {std::pair{"Picked", "True"}, {"ClickIsPick", "True"}, {"RenderOper", "RenderDarkIcon"}})
    {
        icon.setProperty(name, value);
        RenderFrame();
        icon.setProperty(name, value);
        RenderFrame();
        EXPECT_FALSE(icon.IsUpdateRequested()) << name;
    }
    // One redraw per change, each asking for the bound object with the render operation.
    EXPECT_THAT(proxies.bindings, ElementsAre("7/1", "7/1", "7/17"));
}

TEST_F(ItemIconTest, RendererDrawsMaskThenNormalThenPickedFrame)
{
    CItemIcon& icon = BoundIcon(7);
    const CEGUI::Rectf normal(2, 2, 62, 62);
    ASSERT_EQ(1u, ZuTest::WindowQuads(icon).size());
    EXPECT_EQ(normal, ZuTest::WindowQuads(icon)[0].rect);

    icon.setProperty("bgmask", "TaharezLook/ClientBrush");
    icon.setProperty("Picked", "True");
    RenderFrame();
    const std::vector<ZuTest::Quad> quads = ZuTest::WindowQuads(icon);
    ASSERT_EQ(3u, quads.size());
    const CEGUI::Sizef mask =
        CEGUI::ImageManager::getSingleton().get("TaharezLook/ClientBrush").getRenderedSize();
    // Centred at its own size, opaque white (CEGUI aligns image quads to whole pixels).
    EXPECT_NEAR(32 - mask.d_width / 2, quads[0].rect.left(), 0.5);
    EXPECT_NEAR(32 - mask.d_height / 2, quads[0].rect.top(), 0.5);
    EXPECT_NEAR(mask.d_width, quads[0].rect.getWidth(), 0.5);
    EXPECT_NEAR(mask.d_height, quads[0].rect.getHeight(), 0.5);
    EXPECT_EQ(0xFFFFFFFFu, quads[0].colour.getARGB());
    EXPECT_EQ(normal, quads[1].rect);
    EXPECT_EQ(CEGUI::Rectf(0, 0, 64, 64), quads[2].rect);

    // An image CEGUI does not know is no mask.
    icon.setProperty("bgmask", "TaharezLook/NoSuchImage");
    RenderFrame();
    EXPECT_EQ(2u, ZuTest::WindowQuads(icon).size());

    CItemIcon& bare = CreateIcon("Bare", "ZuTest/ItemIconBare");
    bare.setProperty("Picked", "True");
    RenderFrame();
    EXPECT_THAT(ZuTest::WindowQuads(bare), IsEmpty());
}

TEST_F(ItemIconTest, CornerTextIsRightAlignedInTheTextAreaInTheLooksColourAndClipped)
{
    CItemIcon& icon = BoundIcon(7);
    icon.setText("1234");
    RenderFrame();
    const auto& vertices = TextVertices(icon);
    ASSERT_FALSE(vertices.empty());
    const CEGUI::Rectf text = Bounds(vertices);
    const float extent = icon.getFont()->getTextExtent("1234");
    EXPECT_NEAR(60, text.right(), 2);
    EXPECT_NEAR(60 - extent, text.left(), 2);
    EXPECT_GE(text.top(), 2);
    for (const CEGUI::Vertex& vertex : vertices)
        EXPECT_EQ(0xFFFF0000u, vertex.colour_val.getARGB());

    icon.setText("12345678901234567890");
    RenderFrame();
    EXPECT_NEAR(4, Bounds(vertices).left(), 1.5);
    EXPECT_GE(Bounds(vertices).left(), 4);
    EXPECT_LE(Bounds(vertices).right(), 60);

    // Each line of a longer text is right-aligned, one line spacing below the other.
    icon.setText("12\n3");
    RenderFrame();
    const float lineSpacing = icon.getFont()->getLineSpacing();
    const std::vector<CEGUI::Vertex> lines = vertices;
    const std::vector<CEGUI::Vertex> first(lines.begin(), lines.begin() + 12);
    const std::vector<CEGUI::Vertex> second(lines.begin() + 12, lines.end());
    ASSERT_EQ(6u, second.size());
    EXPECT_NEAR(Bounds(first).right(), Bounds(second).right(), 2);
    EXPECT_NEAR(Bounds(first).top() + lineSpacing, Bounds(second).top(), 2);

    icon.setText("");
    RenderFrame();
    EXPECT_THAT(vertices, IsEmpty());

    // Without the look's colour and area: black, in the whole window.
    CItemIcon& bare = CreateIcon("Bare", "ZuTest/ItemIconBare");
    bare.setText("5");
    RenderFrame();
    ASSERT_FALSE(TextVertices(bare).empty());
    EXPECT_NEAR(64, Bounds(TextVertices(bare)).right(), 2);
    EXPECT_EQ(0xFF000000u, TextVertices(bare)[0].colour_val.getARGB());
}

TEST_F(ItemIconTest, CornerTextIsDrawnWithoutAnyRenderProxy)
{
    // No proxy renderer is installed: the image layer holds the count and no image.
    CItemIcon& icon = BoundIcon(7);
    icon.setText("5");
    ZuTest::DrawCounter counter;
    icon.GetZuImageCache().GetImageryBuffer().setRenderEffect(&counter);
    RenderFrame();
    EXPECT_FALSE(icon.GetZuImageCache().hasCachedImagery());
    EXPECT_FALSE(TextVertices(icon).empty());
    EXPECT_EQ(1, counter.draws);
    icon.GetZuImageCache().GetImageryBuffer().setRenderEffect(nullptr);
}

TEST_F(ItemIconTest, CornerTextUsesTheClientsFontWhenCeguiHasItElseTheWindowsFont)
{
    CEGUI::FontManager& fonts = CEGUI::FontManager::getSingleton();
    const float small = fonts.get(ZuTest::kDefaultFont).getTextExtent("1234");
    const float large = fonts.get(kLargeFont).getTextExtent("1234");
    ASSERT_GT(large - small, 8);
    CItemIcon& icon = BoundIcon(7);
    icon.setText("1234");
    auto drawnWidth = [&]
    {
        icon.invalidate();
        RenderFrame();
        return Bounds(TextVertices(icon)).getWidth();
    };

    m_host.fontNames[1] = kLargeFont;
    EXPECT_NEAR(large, drawnWidth(), 4);
    EXPECT_THAT(m_host.CallLines("GetFontName"), Contains("GetFontName(1)"));
    m_host.fontNames[1] = "NoSuchFont";
    EXPECT_NEAR(small, drawnWidth(), 4);
    m_host.fontNames.clear();
    EXPECT_NEAR(small, drawnWidth(), 4);

    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    icon.setFont(kLargeFont);
    EXPECT_NEAR(large, drawnWidth(), 4);
}

TEST_F(ItemIconTest, SampleSkinLookProvidesEverythingTheRendererDraws)
{
    const CEGUI::WidgetLookFeel& look =
        ZuTest::SampleLook("ZuLook.ItemIcon.looknfeel", "ZuLook/ItemIcon");
    EXPECT_THAT(ZuTest::MissingStateImagery(look, {"Normal", "PickedFrame"}), IsEmpty());
    EXPECT_TRUE(look.isNamedAreaDefined("TextArea"));
    ZuTest::FakeRenderProxies proxies;
    auto& icon = static_cast<CItemIcon&>(CreateChild(CItemIcon::WidgetTypeName, "Sample"));
    icon.setWindowRenderer(CEGUI::CItemIconRenderer::TypeName);
    icon.setLookNFeel("ZuLook/ItemIcon");
    icon.setText("12");
    RenderFrame();
    const unsigned unpicked = icon.getGeometryBuffer().getVertexCount();
    EXPECT_EQ("TaharezLook/ClientBrush", icon.getProperty("bgmask"));
    EXPECT_THAT(proxies.bindings, ElementsAre("7/1"));

    icon.setProperty("Picked", "True");
    RenderFrame();
    EXPECT_GT(icon.getGeometryBuffer().getVertexCount(), unpicked);
    // The count sits in the bottom right corner, in white.
    const CEGUI::Rectf count = Bounds(TextVertices(icon));
    EXPECT_GT(count.left(), 24);
    EXPECT_GT(count.top(), 24);
    EXPECT_EQ(0xFFFFFFFFu, TextVertices(icon)[0].colour_val.getARGB());
}
} // namespace
