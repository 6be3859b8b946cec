#include "support/CeguiFixture.h"
#include "support/FakeRenderProxies.h"
#include "support/TestLogger.h"

#include "ZuGUIElements/base/FactoryTemplates.h"
#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/module/FactoryRegistry.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <map>
#include <stdexcept>
#include <string>

namespace
{
using ZuTest::TestLogger;

// Draws by throwing, as a renderer that hits a bug in the middle of a frame would.
class ThrowingRenderer : public ZuGUI::ZuRenderer
{
public:
    static const CEGUI::String TypeName;
    using ZuRenderer::ZuRenderer;

protected:
    void RenderImagery() override { throw std::runtime_error("out of paint"); }
};

const CEGUI::String ThrowingRenderer::TypeName("ZuTest/ThrowingRenderer");

class ModuleRendererTest : public ZuTest::CeguiTest
{
protected:
    // Draws `window` at two sizes, as a resized window is drawn again.
    void DrawResized(CEGUI::Window& window)
    {
        RenderFrame();
        window.setSize(CEGUI::USize(CEGUI::UDim(0, 80), CEGUI::UDim(0, 40)));
        RenderFrame();
    }

    static int LinesAbout(const CEGUI::Window& window)
    {
        const std::string prefix =
            "ZuGUIElements: window '" + std::string(window.getNamePath().c_str()) + "': ";
        int count = 0;
        for (const std::string& line : TestLogger::Get().Lines())
            count += line.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }
};

// Every renderer of the module's table, on the window type that the sample skin maps it to:
// through the skin's look it draws and logs nothing; without a look (where the window's class
// can be made without its look's child windows) it draws, keeps the window's whole area and logs
// the missing look once.
TEST_F(ModuleRendererTest, EveryRendererDrawsWithItsLookAndWithoutOneLogsItOnce)
{
    if (!CEGUI::SchemeManager::getSingleton().isDefined("ZuLook"))
        CEGUI::SchemeManager::getSingleton().createFromFile("ZuLook.scheme", "skin");
    // The skin's look type and the module's window type of each renderer.
    std::map<CEGUI::String, std::pair<CEGUI::String, CEGUI::String>> typesOfRenderer;
    auto& factories = CEGUI::WindowFactoryManager::getSingleton();
    for (auto mapping = factories.getFalagardMappingIterator(); !mapping.isAtEnd(); ++mapping)
        typesOfRenderer.emplace(
            mapping.getCurrentValue().d_rendererType,
            std::make_pair(mapping.getCurrentKey(), mapping.getCurrentValue().d_baseType));
    // With proxies the game renderers record their image over the inner area.
    ZuTest::FakeRenderProxies proxies;
    int windows = 0;
    const auto nextName = [&windows] { return "Drawn" + std::to_string(windows++); };
    int renderers = 0;
    for (const ZuGUI::RendererFactoryRow* row = ZuGUI::ModuleRendererFactories().rows();
         row->factory; ++row, ++renderers)
    {
        const CEGUI::String& renderer = row->typeName();
        SCOPED_TRACE(renderer.c_str());
        const auto types = typesOfRenderer.find(renderer);
        ASSERT_NE(typesOfRenderer.end(), types) << "the sample skin maps no window to it";

        CEGUI::Window& looked = CreateChild(types->second.first, nextName(), 10, 60, 40, 40);
        looked.setText("5");
        TestLogger::Get().Clear();
        ASSERT_NO_THROW(DrawResized(looked));
        EXPECT_EQ(0, LinesAbout(looked));

        CEGUI::Window* bare = nullptr;
        try
        {
            bare = &CreateChild(types->second.second, nextName(), 10, 10, 40, 40);
        }
        catch (const CEGUI::UnknownObjectException&)
        {
            continue; // a list or an edit box of CEGUI's needs its look's scroll bars
        }
        bare->setText("5");
        ASSERT_NO_THROW(bare->setWindowRenderer(renderer));
        TestLogger::Get().Clear();
        ASSERT_NO_THROW(DrawResized(*bare));
        EXPECT_EQ(CEGUI::Rectf(10, 10, 90, 50), bare->getUnclippedInnerRect().get());
        EXPECT_LE(LinesAbout(*bare), 1) << ::testing::PrintToString(TestLogger::Get().Lines());
    }
    EXPECT_EQ(static_cast<int>(ZuGUI::CountRows(ZuGUI::ModuleRendererFactories().rows())),
              renderers);
}

TEST_F(ModuleRendererTest, AThrowingDrawIsLoggedOnceAndTheFrameGoesOn)
{
    ZuGUI::SafeRegisterRendererFactory(
        ZuGUI::FactoryInstance<ZuGUI::ZuWindowRendererFactory<ThrowingRenderer>>());
    CEGUI::Window& broken = CreateChild("DefaultWindow", "Broken");
    broken.setWindowRenderer(ThrowingRenderer::TypeName);
    // Drawn after the first in the same frame.
    CreateChild("DefaultWindow", "After").setWindowRenderer(ThrowingRenderer::TypeName);
    TestLogger::Get().Clear();
    ASSERT_NO_THROW(DrawResized(broken));
    for (const char* name : {"Broken", "After"})
        EXPECT_EQ(1,
                  TestLogger::Get().Count("ZuGUIElements: window 'TestRoot/" + std::string(name) +
                                          "': drawing failed: out of paint"));
}
} // namespace
