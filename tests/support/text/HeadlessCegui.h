// CEGUI on the NullRenderer for programs without a display: benchmarks and fuzz targets.
#pragma once

#include "examples/client/CeguiResources.h"

#include <CEGUI/Logger.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <memory>

namespace ZuTest
{
// CEGUI keeps an existing logger instead of writing its own log file.
class SilentLogger : public CEGUI::Logger
{
public:
    void logEvent(const CEGUI::String&, CEGUI::LoggingLevel) override {}
    void setLogFilename(const CEGUI::String&, bool) override {}
};

// Boots CEGUI with the data and skin resource groups unless it is running already (another
// benchmark of the program booted it), and shuts down only what it booted.
class ScopedHeadlessCegui
{
public:
    ScopedHeadlessCegui(const CEGUI::String& ceguiDataDir, const CEGUI::String& skinDir)
    {
        if (!CEGUI::System::getSingletonPtr())
        {
            if (!CEGUI::Logger::getSingletonPtr())
                m_logger = std::make_unique<SilentLogger>();
            CEGUI::NullRenderer::bootstrapSystem();
            m_booted = true;
        }
        ZuDemo::SetCeguiResourceGroups(ceguiDataDir, skinDir);
    }
    ~ScopedHeadlessCegui()
    {
        if (m_booted)
            CEGUI::NullRenderer::destroySystem();
    }
    ScopedHeadlessCegui(const ScopedHeadlessCegui&) = delete;
    ScopedHeadlessCegui& operator=(const ScopedHeadlessCegui&) = delete;

private:
    std::unique_ptr<SilentLogger> m_logger;
    bool m_booted = false;
};
} // namespace ZuTest
