#include "support/CeguiFixture.h"
#include "support/FakeRenderProxies.h"
#include "support/TestLogger.h"

#include "ZuGUIElements/base/ZuRenderer.h"
#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/base/FactoryTemplates.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <stdexcept>

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

TEST_F(ModuleRendererTest, EveryRendererDrawsAWindowWithoutALookAndLogsItOnce)
{
    struct Row
    {
        const char* windowType;
        const char* renderer;
    };
    const Row rows[] = {
        {"ZuGame/ItemIcon", "ZuGame/ItemIcon"},
        {"ZuGame/GameValueText", "ZuGame/GameValueText"},
        {"ZuGame/CreatureViewer", "ZuGame/CreatureViewer"},
        {"ZuGame/PercentBar", "ZuGame/PercentBar"},
        {"ZuGame/BuffIcon", "ZuGame/BuffIcon"},
        {"ZuGame/GameProgressBar", "ZuGame/GameProgressBarRenderer"},
        {"ZuGame/GameMultiLine", "ZuGame/GameMultiLineRenderer"},
    };
    // With proxies the game renderers record their image over the inner area.
    ZuTest::FakeRenderProxies proxies;
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.renderer);
        CEGUI::Window& window = CreateChild(row.windowType, row.windowType + 7, 10, 10, 40, 40);
        window.setText("5");
        ASSERT_NO_THROW(window.setWindowRenderer(row.renderer));
        TestLogger::Get().Clear();
        ASSERT_NO_THROW(DrawResized(window));
        EXPECT_EQ(CEGUI::Rectf(10, 10, 90, 50), window.getUnclippedInnerRect().get());
        EXPECT_LE(LinesAbout(window), 1);
    }
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
