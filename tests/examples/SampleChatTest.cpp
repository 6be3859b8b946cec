#include "client/DesktopClipboard.h"
#include "client/SampleGameClient.h"

#include "support/CeguiFixture.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/platform/Clipboard.h"
#include "public/CodePage.h"
#include "public/KeyValues.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ZuDemo::SampleGameClient;

class SampleChatTest : public ZuTest::CeguiTest
{
protected:
    void TearDown() override
    {
        SetSystemCodePage(nullptr);
        CeguiTest::TearDown();
    }

    // Hands the client a click on a bag slot, as an item icon does.
    static void ClickBagSlot(SampleGameClient& client, int index)
    {
        KeyValuesPtr click = MakeKeyValues("_KeyVal_ItemIcon_Click");
        click->SetString("PackageName", "Bag");
        click->SetInt("PackageId", 0);
        click->SetInt("PackageIndex", index);
        client.SendCommand(click.release());
    }
};

TEST_F(SampleChatTest, AShiftClickedItemIsLinkedAndEncodedByTheClient)
{
    SampleGameClient client;
    const ZuTest::ScopedHost host(&client);
    CEGUI::Window& input = CreateChild("ZuGame/ChatEditBox", "Input");
    client.SetChatLinkTarget(&input);
    bool shift = false;
    client.SetShiftHeld([&] { return shift; });

    ClickBagSlot(client, 0);
    EXPECT_EQ("", input.getText());
    shift = true;
    ClickBagSlot(client, 0);
    ClickBagSlot(client, 2); // an empty slot links nothing
    EXPECT_EQ("[Iron Sword]", input.getText());
    EXPECT_EQ("{I 1001:[Iron Sword]}", input.getProperty("EncodedText"));
    client.SetChatLinkTarget(nullptr);
}

TEST_F(SampleChatTest, DesktopClipboardTradesTheSystemCodePageForUtf8)
{
    SetSystemCodePage("CP1252");
    std::string desktop = "caf\xC3\xA9";
    ZuDemo::DesktopClipboard provider([&](const std::string& text) { desktop = text; },
                                      [&] { return desktop.c_str(); });
    const ZuDemo::ScopedDesktopClipboard installed(provider);

    CEGUI::String pasted;
    ASSERT_TRUE(ZuGUI::PasteFromClipboard(pasted));
    EXPECT_EQ(CEGUI::String(reinterpret_cast<const CEGUI::utf8*>("caf\xC3\xA9")), pasted);
    ASSERT_TRUE(ZuGUI::CopyToClipboard(reinterpret_cast<const CEGUI::utf8*>("\xE2\x82\xAC 5")));
    EXPECT_EQ("\xE2\x82\xAC 5", desktop);
}

} // namespace
