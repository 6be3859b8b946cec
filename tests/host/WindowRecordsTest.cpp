#include "support/CeguiFixture.h"
#include "support/TestLogger.h"

#include "ZuGUIElements/base/FactoryTemplates.h"
#include "ZuGUIElements/host/WindowRecords.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ZuTest::TestLogger;

// Keeps the name that the module would give the client when its destruction starts.
class NamedAtDestruction : public CEGUI::Window
{
public:
    static const CEGUI::String WidgetTypeName;
    static inline std::vector<std::string> names;

    using Window::Window;

protected:
    void onDestructionStarted(CEGUI::WindowEventArgs& e) override
    {
        names.push_back(ZuGUI::HostWindowName(*this).c_str());
        Window::onDestructionStarted(e);
    }
};

const CEGUI::String NamedAtDestruction::WidgetTypeName("ZuTest/NamedAtDestruction");

class WindowRecordsTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        CEGUI::WindowFactoryManager& factories = CEGUI::WindowFactoryManager::getSingleton();
        if (!factories.isFactoryPresent(NamedAtDestruction::WidgetTypeName))
            factories.addFactory(
                &ZuGUI::FactoryInstance<ZuGUI::ZuWindowFactory<NamedAtDestruction>>());
        NamedAtDestruction::names.clear();
    }

    static void Destroy(CEGUI::Window& window)
    {
        CEGUI::WindowManager::getSingleton().destroyWindow(&window);
    }
};

TEST_F(WindowRecordsTest, HostNameIsTheNamePathAlsoForAWindowDestroyedWithItsTree)
{
    CEGUI::Window& panel = CreateChild("DefaultWindow", "Panel");
    CEGUI::Window& inner =
        *CEGUI::WindowManager::getSingleton().createWindow("DefaultWindow", "Inner");
    panel.addChild(&inner);
    CEGUI::Window& leaf = CreateChild(NamedAtDestruction::WidgetTypeName, "Leaf");
    inner.addChild(&leaf);
    EXPECT_EQ("TestRoot/Panel/Inner/Leaf", ZuGUI::HostWindowName(leaf));

    CEGUI::Window& alone = CreateChild(NamedAtDestruction::WidgetTypeName, "Alone");
    Destroy(alone);
    Destroy(panel);
    EXPECT_THAT(NamedAtDestruction::names,
                ::testing::ElementsAre("TestRoot/Alone", "TestRoot/Panel/Inner/Leaf"));
}

TEST_F(WindowRecordsTest, AMessageIsLoggedOncePerWindow)
{
    CEGUI::Window& first = CreateChild("DefaultWindow", "First");
    CEGUI::Window& second = CreateChild("DefaultWindow", "Second");
    TestLogger::Get().Clear();
    for (int i = 0; i < 3; ++i)
    {
        ZuGUI::LogOncePerWindow(first, "broken");
        ZuGUI::LogOncePerWindow(second, "broken");
    }
    ZuGUI::LogOncePerWindow(first, "other");
    EXPECT_EQ(1, TestLogger::Get().Count("ZuGUIElements: window 'TestRoot/First': broken"));
    EXPECT_EQ(1, TestLogger::Get().Count("ZuGUIElements: window 'TestRoot/Second': broken"));
    EXPECT_EQ(1, TestLogger::Get().Count("ZuGUIElements: window 'TestRoot/First': other"));
}
} // namespace
