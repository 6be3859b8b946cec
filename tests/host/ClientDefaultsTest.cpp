#include "support/CeguiFixture.h"

#include "ZuGUIElements/gamewidgets/ItemIcon.h"
#include "ZuGUIElements/host/ClientLink.h"
#include "ZuGUIElements/host/IZuGUI.h"
#include "public/KeyValues.h"

#include <CEGUI/CEGUI.h>

#include <gtest/gtest.h>

namespace
{
// A client that serves nothing: every call keeps the interface's default.
class SilentClient final : public ZuGUI::IZuGUI
{
};

class ClientDefaultsTest : public ZuTest::CeguiTest
{
protected:
    void TearDown() override
    {
        ZuGUI::SetHost(nullptr);
        CeguiTest::TearDown();
    }
};

// The defaults take the trees they are handed (the leak checker of the sanitizer build fails a
// default that keeps them) and answer nothing, so that the module's widgets run on a client that
// serves none of their calls.
TEST_F(ClientDefaultsTest, ADefaultClientReleasesCommandsAnswersNothingAndShowsWebPages)
{
    SilentClient client;
    KeyValues* command = new KeyValues("_KeyVal_Cmd_Click");
    command->FindKey("Nested/Deeper", true)->SetInt("", 1);
    client.SendCommand(command);
    const KeyValuesPtr request = MakeKeyValues("GameObjectTooltip");
    const KeyValuesPtr reply = MakeKeyValues("Reply");
    EXPECT_FALSE(client.Query(request.get(), reply.get()));
    EXPECT_EQ(nullptr, client.GetLocalizedText("error"));
    EXPECT_EQ(nullptr, client.GetUITime());
    EXPECT_EQ(0, client.CallScriptRetInt("item_color", 7));
    ZuGUI::RECT rect{1, 2, 3, 4};
    EXPECT_TRUE(client.AdjustWebRect(&rect, 0));
    EXPECT_EQ(3, rect.right);

    // An item icon clicked and drawn under it.
    ZuGUI::SetHost(&client);
    CEGUI::Window& icon = CreateChild(ZuGUI::CItemIcon::WidgetTypeName, "Icon", 0, 0, 40, 40);
    icon.setProperty("CellId", "1001");
    Context().injectMousePosition(20, 20);
    EXPECT_NO_THROW(Context().injectMouseButtonDown(CEGUI::LeftButton));
    EXPECT_NO_THROW(Context().injectMouseButtonUp(CEGUI::LeftButton));
    EXPECT_NO_THROW(RenderFrame());
}
} // namespace
