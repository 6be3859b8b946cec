// CEGUI on the OpenGL renderer of the current GL context, for the lifetime of the object:
// resource groups for CEGUI's data package and the sample skin, TaharezLook and the default
// font loaded, and CEGUI's log written to a file of the caller's choice.
#pragma once

#include <memory>
#include <string>

namespace CEGUI
{
class DefaultLogger;
class GUIContext;
} // namespace CEGUI

namespace ZuDemo
{
class CeguiSession
{
public:
    // Throws CEGUI::Exception when CEGUI or its data cannot be loaded.
    CeguiSession(int displayWidth, int displayHeight, const std::string& logFile);
    ~CeguiSession();
    CeguiSession(const CeguiSession&) = delete;
    CeguiSession& operator=(const CeguiSession&) = delete;

    CEGUI::GUIContext& Context() const;
    // Draws the mouse pointer; a hidden run leaves it out of its screenshots.
    void ShowPointer();
    // Moves CEGUI's clocks on by `elapsed` seconds and draws every GUI context over a cleared
    // framebuffer.
    void RenderFrame(float elapsed);

private:
    // Owned here so that CEGUI does not write its default log into the working directory.
    std::unique_ptr<CEGUI::DefaultLogger> m_logger;
};
} // namespace ZuDemo
