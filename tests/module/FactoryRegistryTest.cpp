#include "support/CeguiFixture.h"
#include "support/TestLogger.h"

#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/base/FactoryTemplates.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

namespace
{
using ::testing::HasSubstr;
using ZuTest::TestLogger;

template <int N>
class ProbeRenderer : public CEGUI::WindowRenderer
{
public:
    static const CEGUI::String TypeName;
    explicit ProbeRenderer(const CEGUI::String& type) : CEGUI::WindowRenderer(type) {}
    void render() override {}
};
template <>
const CEGUI::String ProbeRenderer<1>::TypeName = "ZuTest/ProbeRendererOne";
template <>
const CEGUI::String ProbeRenderer<2>::TypeName = "ZuTest/ProbeRendererTwo";

using ProbeOneWRFactory = ZuGUI::ZuWindowRendererFactory<ProbeRenderer<1>>;

CEGUI::WindowRendererFactory& ProbeOne()
{
    return ZuGUI::FactoryInstance<ProbeOneWRFactory>();
}

const ZuGUI::RendererFactoryRow kProbeRows[] = {
    ZuGUI::RendererRow<ProbeRenderer<1>>(),
    ZuGUI::RendererRow<ProbeRenderer<2>>(),
    {},
};

std::string SkipLine(const std::string& type)
{
    return "WindowRenderer factory '" + type + "' appears to be already registered, skipping.";
}

bool IsRendererPresent(const CEGUI::String& type)
{
    return CEGUI::WindowRendererManager::getSingleton().isFactoryPresent(type);
}

class RendererFactoryTableTest : public ZuTest::CeguiTest
{
protected:
    void TearDown() override
    {
        for (const char* type : {"ZuTest/ProbeRendererOne", "ZuTest/ProbeRendererTwo"})
        {
            if (IsRendererPresent(type))
                CEGUI::WindowRendererManager::getSingleton().removeFactory(type);
        }
        CeguiTest::TearDown();
    }

    const ZuGUI::RendererFactoryTable m_table{kProbeRows};
};

TEST_F(RendererFactoryTableTest, RegisterAllCountsEveryRowAndSkipsPresentOnesWithTheLogLine)
{
    TestLogger::Get().Clear();
    EXPECT_EQ(2u, m_table.registerAllFactories());
    EXPECT_TRUE(IsRendererPresent("ZuTest/ProbeRendererOne"));
    EXPECT_TRUE(IsRendererPresent("ZuTest/ProbeRendererTwo"));
    EXPECT_EQ(0, TestLogger::Get().Count(SkipLine("ZuTest/ProbeRendererOne")));

    EXPECT_EQ(2u, m_table.registerAllFactories());
    EXPECT_EQ(1, TestLogger::Get().Count(SkipLine("ZuTest/ProbeRendererOne")));
    EXPECT_EQ(1, TestLogger::Get().Count(SkipLine("ZuTest/ProbeRendererTwo")));
}

TEST_F(RendererFactoryTableTest, RegisterByNameRegistersOnlyThatRow)
{
    m_table.registerFactory("ZuTest/ProbeRendererTwo");
    EXPECT_FALSE(IsRendererPresent("ZuTest/ProbeRendererOne"));
    EXPECT_TRUE(IsRendererPresent("ZuTest/ProbeRendererTwo"));

    TestLogger::Get().Clear();
    m_table.registerFactory("ZuTest/ProbeRendererTwo");
    EXPECT_EQ(1, TestLogger::Get().Count(SkipLine("ZuTest/ProbeRendererTwo")));
}

TEST_F(RendererFactoryTableTest, UnknownNameThrowsAndRegistersNothing)
{
    try
    {
        m_table.registerFactory("ZuGame/OpenFileDialog");
        FAIL() << "no exception";
    }
    catch (const CEGUI::UnknownObjectException& error)
    {
        EXPECT_EQ("::registerFactory - The window renderer factory for type "
                  "'ZuGame/OpenFileDialog' is not known in this module.",
                  std::string(error.getMessage().c_str()));
    }
    EXPECT_FALSE(IsRendererPresent("ZuTest/ProbeRendererOne"));
    EXPECT_FALSE(IsRendererPresent("ZuTest/ProbeRendererTwo"));
}

TEST_F(RendererFactoryTableTest, CreatedRenderersCarryTheFactoryType)
{
    CEGUI::WindowRenderer* renderer = ProbeOne().create();
    EXPECT_EQ(CEGUI::String("ZuTest/ProbeRendererOne"), renderer->getName());
    ProbeOne().destroy(renderer);
}

using ModuleEntryTest = ZuTest::CeguiTest;

TEST_F(ModuleEntryTest, PlainExportsRegisterEveryRowOfTheModuleTable)
{
    const ZuGUI::RendererFactoryRow* rows = ZuGUI::ModuleRendererFactories().rows();
    EXPECT_EQ(ZuGUI::CountRows(rows), registerAllFactories());
    for (int row = 0; rows[row].factory; ++row)
        EXPECT_TRUE(IsRendererPresent(rows[row].typeName())) << rows[row].typeName();
    EXPECT_THROW(registerFactory("ZuGame/OpenFileDialog"), CEGUI::UnknownObjectException);
}

TEST_F(ModuleEntryTest, ModuleWindowFactoriesAreRegisteredInTableOrder)
{
    const ZuGUI::WindowFactoryRow* rows = ZuGUI::ModuleWindowFactories();
    for (int row = 0; rows[row].factory; ++row)
    {
        const CEGUI::String& type = rows[row].factory().getTypeName();
        EXPECT_TRUE(CEGUI::WindowFactoryManager::getSingleton().isFactoryPresent(type)) << type;
    }
}

// A stock CEGUI scheme names the module as a window renderer set: CEGUI finds the library,
// asks it for its factory module and registers through it.
class SchemeLoadingTest : public ZuTest::CeguiTest
{
protected:
    void TearDown() override
    {
        CEGUI::SchemeManager& schemes = CEGUI::SchemeManager::getSingleton();
        for (const char* scheme : {"ZuModuleOnly", "ZuModuleUnknownRenderer", "ZuModuleWindowSet"})
        {
            if (schemes.isDefined(scheme))
                schemes.destroy(scheme);
        }
        // Unloading a scheme unregisters the module's factories; put them back for other tests.
        registerAllFactories();
        ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins();
        CeguiTest::TearDown();
    }
};

TEST_F(SchemeLoadingTest, SchemeLoadsTheModuleByNameAndRegistersEveryRenderer)
{
    const ZuGUI::RendererFactoryRow* rows = ZuGUI::ModuleRendererFactories().rows();
    TestLogger::Get().Clear();
    ASSERT_NO_THROW(
        CEGUI::SchemeManager::getSingleton().createFromFile("ZuModuleOnly.scheme", "testdata"));
    for (int row = 0; rows[row].factory; ++row)
    {
        EXPECT_TRUE(IsRendererPresent(rows[row].typeName())) << rows[row].typeName();
        // Already registered by the test program's start-up: skipped with the module's line.
        EXPECT_EQ(1, TestLogger::Get().Count(SkipLine(rows[row].typeName().c_str())));
    }
}

std::vector<CEGUI::String> ModuleWindowTypes()
{
    std::vector<CEGUI::String> types;
    for (const ZuGUI::WindowFactoryRow* row = ZuGUI::ModuleWindowFactories(); row->factory; ++row)
        types.push_back(row->factory().getTypeName());
    return types;
}

std::string WindowSkipLine(const CEGUI::String& type)
{
    return "Window factory '" + std::string(type.c_str()) +
           "' appears to be already registered, skipping.";
}

// A window set in a stock scheme registers every window type, before or after the host's
// InitGameUIPlugins(), and neither order throws: present types are skipped with the log line.
TEST_F(SchemeLoadingTest, WindowSetAndInitGameUIPluginsRegisterEveryTypeInEitherOrder)
{
    CEGUI::WindowFactoryManager& factories = CEGUI::WindowFactoryManager::getSingleton();
    const std::vector<CEGUI::String> types = ModuleWindowTypes();
    ASSERT_FALSE(types.empty());
    for (const CEGUI::String& type : types)
        factories.removeFactory(type);
    // The striped list's entry renderer comes with the scheme's renderer set too.
    if (IsRendererPresent("ZuGUI/ItemEntry"))
        CEGUI::WindowRendererManager::getSingleton().removeFactory("ZuGUI/ItemEntry");

    TestLogger::Get().Clear();
    ASSERT_NO_THROW(CEGUI::SchemeManager::getSingleton().createFromFile("ZuModuleWindowSet.scheme",
                                                                        "testdata"));
    for (const CEGUI::String& type : types)
    {
        EXPECT_TRUE(factories.isFactoryPresent(type)) << type;
        EXPECT_EQ(0, TestLogger::Get().Count(WindowSkipLine(type))) << type;
    }
    EXPECT_TRUE(IsRendererPresent("ZuGUI/ItemEntry"));
    ASSERT_NO_THROW(ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins());
    for (const CEGUI::String& type : types)
        EXPECT_EQ(1, TestLogger::Get().Count(WindowSkipLine(type))) << type;

    // Host first, then the scheme: the scheme skips every type.
    CEGUI::SchemeManager::getSingleton().destroy("ZuModuleWindowSet");
    EXPECT_FALSE(factories.isFactoryPresent(types.front()));
    ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins();
    TestLogger::Get().Clear();
    ASSERT_NO_THROW(CEGUI::SchemeManager::getSingleton().createFromFile("ZuModuleWindowSet.scheme",
                                                                        "testdata"));
    for (const CEGUI::String& type : types)
        EXPECT_EQ(1, TestLogger::Get().Count(WindowSkipLine(type))) << type;
    CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(types.back());
    EXPECT_EQ(types.back(), window->getType());
    CEGUI::WindowManager::getSingleton().destroyWindow(window);
}

TEST_F(SchemeLoadingTest, SchemeNamingAnUnknownRendererFails)
{
    try
    {
        CEGUI::SchemeManager::getSingleton().createFromFile("ZuModuleUnknownRenderer.scheme",
                                                            "testdata");
        FAIL() << "no exception";
    }
    catch (const CEGUI::UnknownObjectException& error)
    {
        EXPECT_THAT(std::string(error.getMessage().c_str()), HasSubstr("ZuGame/NoSuchRenderer"));
    }
}
} // namespace
