#include "support/text/TextCegui.h"

#include "support/text/HeadlessCegui.h"

#include "examples/client/CeguiResources.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

namespace ZuTest
{
const char* const kDefaultFont = "DejaVuSans-10-NoScale";

namespace
{
std::unique_ptr<CEGUI::Logger>& BootedLogger()
{
    static std::unique_ptr<CEGUI::Logger> logger;
    return logger;
}

bool& Booted()
{
    static bool booted = false;
    return booted;
}

void BootNullRenderer(std::unique_ptr<CEGUI::Logger> logger)
{
    // CEGUI uses an existing logger singleton instead of creating its own file logger.
    BootedLogger() = logger ? std::move(logger) : std::make_unique<SilentLogger>();
    CEGUI::NullRenderer& renderer = CEGUI::NullRenderer::bootstrapSystem();
    renderer.setDisplaySize(CEGUI::Sizef(kDisplayWidth, kDisplayHeight));
    ZuDemo::SetCeguiResourceGroups(ZU_CEGUI_DATA_DIR, ZU_SKIN_DIR);
}
} // namespace

void BootTextCegui(std::unique_ptr<CEGUI::Logger> logger)
{
    if (Booted())
        return;
    BootNullRenderer(std::move(logger));
    CEGUI::Logger::getSingleton().setLoggingLevel(CEGUI::Informative);
    CEGUI::SchemeManager::getSingleton().createFromFile("TaharezLook.scheme");
    CEGUI::FontManager::getSingleton().createFromFile(CEGUI::String(kDefaultFont) + ".font");
    CEGUI::System::getSingleton().getDefaultGUIContext().setDefaultFont(kDefaultFont);
    Booted() = true;
}

void ShutdownTextCegui()
{
    if (!Booted())
        return;
    CEGUI::NullRenderer::destroySystem();
    BootedLogger().reset();
    Booted() = false;
}

bool IsTextCeguiBooted()
{
    return Booted();
}

void BootCeguiForText(const char* dataDir, const char* fontFile)
{
    if (CEGUI::System::getSingletonPtr())
        return;
    static SilentLogger logger;
    CEGUI::NullRenderer::bootstrapSystem();
    ZuDemo::SetCeguiResourceGroups(dataDir, "");
    CEGUI::Font& font = CEGUI::FontManager::getSingleton().createFromFile(fontFile);
    CEGUI::System::getSingleton().getDefaultGUIContext().setDefaultFont(&font);
}
} // namespace ZuTest
