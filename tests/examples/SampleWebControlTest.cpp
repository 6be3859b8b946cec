#include "client/SampleWebControl.h"
#include "client/SampleGameClient.h"

#include "support/CeguiFixture.h"

#include "ZuGUIElements/web/HTMLWindow.h"

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
} // namespace
