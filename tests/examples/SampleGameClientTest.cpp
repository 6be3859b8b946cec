#include "client/SampleGameClient.h"

#include "support/CeguiFixture.h"

#include "ZuGUIElements/base/ZuWindow.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "public/KeyValues.h"

#include <gtest/gtest.h>

namespace
{
using ZuDemo::GameModel;
using ZuDemo::SampleGameClient;

// A request tree and the empty reply tree that the module sends with it.
struct Exchange
{
    explicit Exchange(const char* requestName)
        : request(MakeKeyValues(requestName)), reply(MakeKeyValues(""))
    {
    }

    bool AskWith(SampleGameClient& client) { return client.Query(request.get(), reply.get()); }

    KeyValuesPtr request;
    KeyValuesPtr reply;
};

Exchange PackageSlot(const char* package, int packageId, int index)
{
    Exchange exchange("GamePackageManagerProxy");
    exchange.request->SetString("ItemType", "Item");
    exchange.request->SetString("PackageName", package);
    exchange.request->SetInt("PackageId", packageId);
    exchange.request->SetInt("PackageIndex", index);
    return exchange;
}

Exchange ObjectRequest(const char* name, int objectId)
{
    Exchange exchange(name);
    exchange.request->SetInt("ObjectId", objectId);
    return exchange;
}

// Real game windows: the client logs their names.
class SampleGameClientWindowsTest : public ZuTest::CeguiTest
{
protected:
    ZuGUI::ZuWindow* GameWindow(const char* name)
    {
        return dynamic_cast<ZuGUI::ZuWindow*>(&CreateChild("ZuGame/ItemIcon", name));
    }
};

TEST(SampleGameClient, ResolvesCreaturesByRoleAndShowsTheirProperties)
{
    SampleGameClient client;
    Exchange player("GameCreatureProvider");
    player.request->SetString("WhichOne", "Player");
    ASSERT_TRUE(player.AskWith(client));
    const int playerId = player.reply->GetInt("CreatureId", -1);
    EXPECT_EQ(client.Model().CreatureIdOf("Player"), playerId);

    Exchange hp = ObjectRequest("GameObjectProperty", playerId);
    hp.request->SetString("WhichProperty", "HP");
    ASSERT_TRUE(hp.AskWith(client));
    EXPECT_STREQ(hp.reply->GetString("PropertyStringValue"), "HP 420/500");

    Exchange nobody("GameCreatureProvider");
    nobody.request->SetString("WhichOne", "Nobody");
    EXPECT_FALSE(nobody.AskWith(client));
    EXPECT_EQ(nobody.reply->FindKey("CreatureId"), nullptr);

    Exchange unknownProperty = ObjectRequest("GameObjectProperty", playerId);
    unknownProperty.request->SetString("WhichProperty", "Charisma");
    EXPECT_FALSE(unknownProperty.AskWith(client));
    Exchange unknownObject = ObjectRequest("GameObjectProperty", 999);
    unknownObject.request->SetString("WhichProperty", "HP");
    EXPECT_FALSE(unknownObject.AskWith(client));
}

TEST(SampleGameClient, AnswersPackageSlotsAndRefusesSlotsOutsideAPackage)
{
    SampleGameClient client;
    Exchange first = PackageSlot("Bag", 0, 0);
    ASSERT_TRUE(first.AskWith(client));
    EXPECT_EQ(first.reply->GetInt("CellId", -1), *client.Model().CellAt("Bag", 0, 0));
    EXPECT_NE(client.Model().FindItem(first.reply->GetInt("CellId")), nullptr);

    // An empty slot is answered with 0, so that an icon showing it is cleared.
    Exchange empty = PackageSlot("Bag", 0, 2);
    ASSERT_TRUE(empty.AskWith(client));
    EXPECT_EQ(empty.reply->GetDataType("CellId"), KeyValues::TYPE_INT);
    EXPECT_EQ(empty.reply->GetInt("CellId", -1), 0);

    std::vector<Exchange> refused;
    refused.push_back(PackageSlot("Bag", 0, 4));
    refused.push_back(PackageSlot("Bag", 0, -1));
    refused.push_back(PackageSlot("Bag", 7, 0));
    refused.push_back(PackageSlot("Vault", 0, 0));
    for (Exchange& exchange : refused)
    {
        EXPECT_FALSE(exchange.AskWith(client)) << exchange.request->Describe();
        EXPECT_EQ(exchange.reply->GetFirstSubKey(), nullptr);
    }
}

TEST(SampleGameClient, AnswersItemTooltipsAndCompareIds)
{
    SampleGameClient client;
    const int swordId = *client.Model().CellAt("Bag", 0, 0);
    const ZuDemo::Item& sword = *client.Model().FindItem(swordId);
    ASSERT_NE(0, sword.compareId);

    Exchange tooltip = ObjectRequest("GameObjectTooltip", swordId);
    ASSERT_TRUE(tooltip.AskWith(client));
    EXPECT_STREQ(tooltip.reply->GetString("GameObjectTooltipValue"),
                 "{T gold:Iron Sword}\nDamage 12-18\nDurability 40/40");
    Exchange compareText = ObjectRequest("GameObjectTooltip", sword.compareId);
    compareText.request->SetInt("GameObjectNeedCmpTxt", 1);
    ASSERT_TRUE(compareText.AskWith(client));
    EXPECT_STREQ(compareText.reply->GetString("GameObjectTooltipValue"),
                 "{T grey:Equipped}\n{T gold:Rusty Sword}\nDamage 6-9\nDurability 11/30");
    Exchange creature = ObjectRequest("GameObjectTooltip", *client.Model().CreatureIdOf("Target"));
    ASSERT_TRUE(creature.AskWith(client));
    EXPECT_STREQ(creature.reply->GetString("GameObjectTooltipValue"),
                 "{T gold:Forest Wolf}\nLevel 10");

    Exchange compare = ObjectRequest("GameObjectCompare", swordId);
    ASSERT_TRUE(compare.AskWith(client));
    EXPECT_EQ(compare.reply->GetInt("GameObjectCompareId"), sword.compareId);
    EXPECT_NE(client.Model().FindItem(sword.compareId), nullptr);

    EXPECT_FALSE(ObjectRequest("GameObjectTooltip", 0).AskWith(client));
    EXPECT_FALSE(ObjectRequest("GameObjectTooltip", 424242).AskWith(client));
}

TEST(SampleGameClient, LogsEveryQueryWithItsAnswer)
{
    SampleGameClient client;
    Exchange name = ObjectRequest("GameObjectProperty", *client.Model().CreatureIdOf("Player"));
    name.request->SetString("WhichProperty", "Name");
    ASSERT_TRUE(name.AskWith(client));

    Exchange unknown("NoSuchProvider");
    unknown.request->SetInt("Anything", 3);
    EXPECT_FALSE(unknown.AskWith(client));
    EXPECT_EQ(unknown.reply->GetFirstSubKey(), nullptr);

    EXPECT_FALSE(client.Query(nullptr, unknown.reply.get()));
    EXPECT_FALSE(client.Query(name.request.get(), nullptr));

    const std::vector<std::string> expected = {
        "Query(GameObjectProperty{ObjectId=1 WhichProperty=\"Name\"}) -> "
        "{PropertyStringValue=\"Aldric\"}",
        "Query(NoSuchProvider{Anything=3}) -> no answer",
        "Query(null) -> no answer",
        "Query(GameObjectProperty{ObjectId=1 WhichProperty=\"Name\"}) -> no answer",
    };
    EXPECT_EQ(client.Log(), expected);
}

TEST(SampleGameClient, TakesCommandsLogsThemAndReleasesThem)
{
    SampleGameClient client;
    KeyValues* click = new KeyValues("_KeyVal_ItemIcon_Click");
    click->SetString("PackageName", "Bag");
    click->SetInt("PackageIndex", 1);
    click->SetString("_KeyVal_Cmd_MouseButton_Type", "_KeyVal_Cmd_MouseButton_Left");
    // A sibling chain and a child level: the client must release the whole tree (the leak
    // checker of the sanitizer build fails the test otherwise).
    click->FindKey("Extra/Nested", true)->SetInt("", 5);

    client.SendCommand(click);
    client.SendCommand(nullptr);

    ASSERT_EQ(client.Log().size(), 2u);
    EXPECT_EQ(client.Log()[0], "SendCommand(_KeyVal_ItemIcon_Click{PackageName=\"Bag\" "
                               "PackageIndex=1 _KeyVal_Cmd_MouseButton_Type="
                               "\"_KeyVal_Cmd_MouseButton_Left\" Extra{Nested=5}})");
    EXPECT_EQ(client.Log()[1], "SendCommand(null)");
}

TEST_F(SampleGameClientWindowsTest, TracksWindowsSubscriptionsAndWatches)
{
    SampleGameClient client;
    ZuGUI::ZuWindow* icon = GameWindow("Icon");
    ZuGUI::ZuWindow* text = GameWindow("Text");
    ASSERT_TRUE(icon && text);

    client.RegisterWindow(icon);
    client.RegisterWindow(text);
    client.SubscribeProvider(icon, "GamePackageManagerProxy");
    client.SubscribeProvider(text, nullptr);
    client.WatchObject(icon, 1001);
    client.WatchObject(icon, 1002);
    client.UnwatchObject(icon, 1001);
    client.UnsubscribeProvider(text, nullptr);
    client.UnregisterWindow(text);

    EXPECT_EQ(client.Windows(), std::set<ZuGUI::ZuWindow*>{icon});
    EXPECT_EQ(client.Subscriptions(), (std::set<std::pair<ZuGUI::ZuWindow*, std::string>>{
                                          {icon, "GamePackageManagerProxy"}}));
    EXPECT_EQ(client.Watches(), (std::set<std::pair<ZuGUI::ZuWindow*, int>>{{icon, 1002}}));
    EXPECT_EQ(client.Log().size(), 9u);
    EXPECT_EQ(client.Log().front(), "RegisterWindow(" + ZuDemo::CallText::Window(icon) + ")");
}

TEST(SampleGameClient, ReceivesTheScriptBindingWhenBoundToTheModule)
{
    SampleGameClient client;
    ZuGUI::ZuGUIExtraFacoryManager& manager = ZuGUI::ZuGUIExtraFacoryManager::Instance();
    manager.SetIZuGUI(&client);
    manager.SetIZuGUI(nullptr);

    EXPECT_NE(client.ScriptModuleOpen(), nullptr);
    EXPECT_EQ(client.Log(), std::vector<std::string>{"RegisterScriptModule(open)"});
}

TEST(SampleGameClient, GivesSafeDefaultsAndARunningClock)
{
    SampleGameClient client;
    const float* time = client.GetUITime();
    ASSERT_NE(time, nullptr);
    client.AdvanceUITime(0.25f);
    client.AdvanceUITime(0.5f);
    EXPECT_EQ(client.GetUITime(), time);
    EXPECT_FLOAT_EQ(*time, 0.75f);

    EXPECT_EQ(client.GetFontName(0), nullptr);
    EXPECT_STREQ(client.GetLocalizedText(nullptr), "");
    EXPECT_STREQ(client.CallScriptRetString(nullptr, 1), "");
    EXPECT_EQ(client.CallScriptRetInt("item_color", 1), 0);
    ASSERT_NE(client.GetMainWindowHandle(), nullptr);
    EXPECT_EQ(*client.GetMainWindowHandle(), nullptr);
    ZuGUI::RECT empty;
    EXPECT_FALSE(client.AdjustWebRect(&empty, 0));
    EXPECT_FALSE(client.AdjustWebRect(nullptr, 0));
}

TEST(SampleGameClient, UsesAReplacedRequestHandler)
{
    SampleGameClient client;
    client.SetRequestHandler("GameCreatureProvider",
                             [](const GameModel&, KeyValues&, KeyValues& reply)
                             {
                                 reply.SetInt("CreatureId", 77);
                                 return true;
                             });
    Exchange exchange("GameCreatureProvider");
    exchange.request->SetString("WhichOne", "Player");
    ASSERT_TRUE(exchange.AskWith(client));
    EXPECT_EQ(exchange.reply->GetInt("CreatureId"), 77);
}

TEST(GameModel, RefusesItemsWithoutAUniqueCellId)
{
    GameModel model;
    EXPECT_THROW(model.AddItem({0, "icon", 1, "no id"}), std::invalid_argument);
    model.AddItem({5, "icon", 1, "first"});
    EXPECT_THROW(model.AddItem({5, "icon", 1, "second"}), std::invalid_argument);
    EXPECT_EQ(model.FindItem(5)->tooltip, "first");
    EXPECT_EQ(model.FindItem(0), nullptr);
}
} // namespace
