#include "support/CeguiFixture.h"

#include "support/TestLogger.h"

#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <memory>

namespace ZuTest
{
namespace
{
bool g_booted = false;

// Boots CEGUI and the module before the first test, so that the module's logger is the one
// CEGUI keeps, and shuts them down after the last, so that leaks are reported against a clean
// exit.
class CeguiEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { CeguiSystem::Boot(); }
    void TearDown() override { CeguiSystem::Shutdown(); }
};

const ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new CeguiEnvironment);
} // namespace

void LoadTestScheme(const char* name)
{
    CEGUI::SchemeManager& schemes = CEGUI::SchemeManager::getSingleton();
    if (!schemes.isDefined(name))
        schemes.createFromFile(CEGUI::String(name) + ".scheme", "testdata");
}

void CeguiSystem::Boot()
{
    if (g_booted)
        return;
    BootTextCegui(std::make_unique<TestLogger>());
    auto& provider = static_cast<CEGUI::DefaultResourceProvider&>(
        *CEGUI::System::getSingleton().getResourceProvider());
    provider.setResourceGroupDirectory("testdata", ZU_TEST_DATA_DIR "/");
    registerAllFactories();
    ZuGUI::ZuGUIExtraFacoryManager::Instance().InitGameUIPlugins();
    g_booted = true;
}

void CeguiSystem::Shutdown()
{
    if (!g_booted)
        return;
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    ShutdownTextCegui();
    g_booted = false;
}

bool CeguiSystem::IsBooted()
{
    return g_booted;
}

void CeguiTest::SetUp()
{
    CeguiSystem::Boot();
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    m_root = windows.createWindow("DefaultWindow", "TestRoot");
    m_root->setArea(
        CEGUI::URect(CEGUI::UDim(0, 0), CEGUI::UDim(0, 0), CEGUI::UDim(1, 0), CEGUI::UDim(1, 0)));
    Context().setRootWindow(m_root);
    // The NullRenderer leaves the pointer's constraint area unset, which would keep injected
    // pointer positions off every window.
    const CEGUI::Rectf display(0, 0, kDisplayWidth, kDisplayHeight);
    Context().getMouseCursor().setConstraintArea(&display);
}

void CeguiTest::TearDown()
{
    Context().setRootWindow(nullptr);
    CEGUI::WindowManager& windows = CEGUI::WindowManager::getSingleton();
    windows.destroyAllWindows();
    windows.cleanDeadPool();
    m_root = nullptr;
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
}

CEGUI::GUIContext& CeguiTest::Context() const
{
    return CEGUI::System::getSingleton().getDefaultGUIContext();
}

CEGUI::Window& CeguiTest::CreateChild(const CEGUI::String& type, const CEGUI::String& name, float x,
                                      float y, float width, float height)
{
    CEGUI::Window* window = CEGUI::WindowManager::getSingleton().createWindow(type, name);
    window->setPosition(CEGUI::UVector2(CEGUI::UDim(0, x), CEGUI::UDim(0, y)));
    window->setSize(CEGUI::USize(CEGUI::UDim(0, width), CEGUI::UDim(0, height)));
    m_root->addChild(window);
    return *window;
}

void CeguiTest::RenderFrame()
{
    CEGUI::System& system = CEGUI::System::getSingleton();
    system.getRenderer()->beginRendering();
    system.renderAllGUIContexts();
    system.getRenderer()->endRendering();
}

void CeguiTest::Type(const CEGUI::String& text)
{
    for (CEGUI::String::size_type i = 0; i < text.length(); ++i)
        Context().injectChar(text[i]);
}

void CeguiTest::Press(CEGUI::Key::Scan key)
{
    Context().injectKeyDown(key);
    Context().injectKeyUp(key);
}
} // namespace ZuTest
