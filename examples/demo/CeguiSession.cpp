#include "demo/CeguiSession.h"

#include "client/CeguiResources.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/OpenGL/GLRenderer.h>

namespace ZuDemo
{
CeguiSession::CeguiSession(int displayWidth, int displayHeight, const std::string& logFile)
    : m_logger(std::make_unique<CEGUI::DefaultLogger>())
{
    m_logger->setLogFilename(logFile);
    m_logger->setLoggingLevel(CEGUI::Informative);
    CEGUI::OpenGLRenderer::bootstrapSystem(
        CEGUI::Sizef(static_cast<float>(displayWidth), static_cast<float>(displayHeight)));
    try
    {
        SetCeguiResourceGroups(ZU_CEGUI_DATA_DIR, ZU_SKIN_DIR);
        LoadStockLook();
    }
    catch (...)
    {
        CEGUI::OpenGLRenderer::destroySystem();
        throw;
    }
}

CeguiSession::~CeguiSession()
{
    CEGUI::OpenGLRenderer::destroySystem();
}

CEGUI::GUIContext& CeguiSession::Context() const
{
    return CEGUI::System::getSingleton().getDefaultGUIContext();
}

void CeguiSession::ShowPointer()
{
    Context().getMouseCursor().setDefaultImage("TaharezLook/MouseArrow");
}

void CeguiSession::RenderFrame(float elapsed)
{
    CEGUI::System& system = CEGUI::System::getSingleton();
    system.injectTimePulse(elapsed);
    Context().injectTimePulse(elapsed);

    glClearColor(0.09f, 0.11f, 0.14f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    system.renderAllGUIContexts();
}
} // namespace ZuDemo
