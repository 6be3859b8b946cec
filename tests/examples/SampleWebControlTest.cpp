#include "client/SampleWebControl.h"
#include "client/SampleGameClient.h"

#include "support/CeguiFixture.h"

#include "ZuGUIElements/host/HostTrees.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/platform/NativeWindow.h"
#include "ZuGUIElements/web/HTMLWindow.h"
#include "public/KeyValues.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::Contains;
using ::testing::IsEmpty;
using ZuDemo::SampleWebControl;

class SampleWebControlTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(&m_client);
    }

    ZuDemo::SampleGameClient m_client;
};

std::vector<std::string> g_messageBoxes;

class RecordedMessageBoxes final : public ZuGUI::INativeWindowServices
{
public:
    int MessageBox(ZuGUI::HWND, const char* text, const char* caption, unsigned) override
    {
        g_messageBoxes.push_back(std::string(caption) + ": " + text);
        return 1;
    }
};

// A click on a command text as the module sends it; `trusted` < 0 leaves the verdict out.
KeyValues* CommandClick(int opcode, const char* content, int trusted)
{
    KeyValues* click = MakeKeyValues(ZuGUI::HostTrees::kCmdClick).release();
    click->SetString(ZuGUI::HostTrees::kCmdContent, content);
    click->SetInt(ZuGUI::HostTrees::kCmdOpcode, opcode);
    if (trusted >= 0)
        click->SetInt(ZuGUI::HostTrees::kCmdTrusted, trusted);
    return click;
}

TEST_F(SampleWebControlTest, AWebWindowGetsAControlThatLoadsOnlyTrustedPages)
{
    auto& web = static_cast<ZuGUI::CHTMLWindow&>(
        CreateChild(ZuGUI::CHTMLWindow::WidgetTypeName, "Page", 100, 50, 300, 200));
    ASSERT_THAT(SampleWebControl::Alive(), Contains(web.GetWebCtrl()));
    const SampleWebControl& control = *static_cast<SampleWebControl*>(web.GetWebCtrl());
    EXPECT_EQ(CEGUI::Rectf(100, 50, 400, 250), control.Rect());
    EXPECT_TRUE(control.PageVisible());

    web.setProperty("URL", "https://www.portal.example/news");
    web.setProperty("URL", "http://www.portal.example.evil.net/");
    EXPECT_EQ("https://www.portal.example/news", control.Address());

    web.hide();
    EXPECT_FALSE(control.PageVisible());
    CEGUI::WindowManager::getSingleton().destroyWindow(&web);
    EXPECT_THAT(SampleWebControl::Alive(), IsEmpty());
}

TEST_F(SampleWebControlTest, ClientKeepsPagesInsideItsWindow)
{
    const struct
    {
        ZuGUI::RECT asked;
        ZuGUI::RECT kept;
        bool visible;
    } cases[] = {
        {{10, 20, 300, 200}, {10, 20, 300, 200}, true},
        {{-50, -10, 2000, 900}, {0, 0, 1024, 768}, true},
        {{1100, 20, 1300, 200}, {1100, 20, 1024, 200}, false},
    };
    for (const auto& check : cases)
    {
        ZuGUI::RECT rect = check.asked;
        EXPECT_EQ(check.visible, m_client.AdjustWebRect(&rect, 0)) << check.asked.left;
        EXPECT_EQ(check.kept.left, rect.left);
        EXPECT_EQ(check.kept.top, rect.top);
        EXPECT_EQ(check.kept.right, rect.right);
        EXPECT_EQ(check.kept.bottom, rect.bottom);
    }
    EXPECT_EQ(nullptr, SampleWebControl::MakeInterface("IOTHER", nullptr));
}

TEST_F(SampleWebControlTest, ClientOpensTrustedWebLinksAndRefusesTheOthersWithTheGamesMessage)
{
    RecordedMessageBoxes recorded;
    ZuGUI::SetNativeWindowServices(&recorded);
    auto& web = static_cast<ZuGUI::CHTMLWindow&>(
        CreateChild(ZuGUI::CHTMLWindow::WidgetTypeName, "Page", 100, 50, 300, 200));
    const SampleWebControl& control = *static_cast<SampleWebControl*>(web.GetWebCtrl());
    const char* const kRefusal = "Error: The address evil.net/prize is not a page of the game, so "
                                 "it was not opened.";
    const struct
    {
        int opcode;
        const char* target;
        int trusted;
        const char* shownAddress; // the control's address afterwards, "" for the blank page
        const char* messageBox;   // "" for none
    } cases[] = {
        {6, "www.portal.example/news", 1, "http://www.portal.example/news", ""},
        {6, "evil.net/prize", 0, "", kRefusal},
        {6, "evil.net/prize", -1, "", kRefusal},
        {5, "www.portal.example/news", 1, "", ""},
    };
    for (const auto& check : cases)
    {
        web.SetUrl("about:blank");
        g_messageBoxes.clear();
        m_client.SendCommand(CommandClick(check.opcode, check.target, check.trusted));
        const std::string shown = control.Address() == "about:blank" ? "" : control.Address();
        EXPECT_EQ(check.shownAddress, shown) << check.target << " " << check.trusted;
        EXPECT_EQ(check.messageBox, g_messageBoxes.empty() ? "" : g_messageBoxes.back())
            << check.target << " " << check.trusted;
    }
    ZuGUI::SetNativeWindowServices(nullptr);
}
} // namespace
