#include "demo/DemoWindow.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <clocale>
#include <stdexcept>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define ZU_DEMO_HAS_LEAK_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZU_DEMO_HAS_LEAK_CHECKER 1
#endif
#endif
#ifdef ZU_DEMO_HAS_LEAK_CHECKER
#include <sanitizer/lsan_interface.h>
#endif

namespace ZuDemo
{
namespace
{
std::string LastGlfwError()
{
    const char* description = nullptr;
    glfwGetError(&description);
    return description ? description : "unknown error";
}

// glfwTerminate unloads the GL driver, and memory that the driver keeps in its own globals then
// looks leaked, with no module name left to tell whose it is. Under LeakSanitizer the leak
// check therefore runs here, once everything of the demo is destroyed and the driver is
// still loaded; it replaces the check at exit.
void CheckLeaksWhileTheDriverIsLoaded()
{
#ifdef ZU_DEMO_HAS_LEAK_CHECKER
    __lsan_do_leak_check();
#endif
}
} // namespace

DemoWindow::GlfwLibrary::GlfwLibrary()
{
    // GLFW switches a "C" character-type locale to the environment's for its X input method;
    // CEGUI parses its files and numbers only under the "C" locale, so the demo keeps it.
    const std::string characterLocale = std::setlocale(LC_CTYPE, nullptr);
    const bool initialised = glfwInit();
    std::setlocale(LC_CTYPE, characterLocale.c_str());
    if (!initialised)
        throw std::runtime_error("cannot initialise GLFW: " + LastGlfwError());
}

DemoWindow::GlfwLibrary::~GlfwLibrary()
{
    CheckLeaksWhileTheDriverIsLoaded();
    glfwTerminate();
}

DemoWindow::DemoWindow(int width, int height, const char* title, bool visible)
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 2);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    m_window = glfwCreateWindow(width, height, title, nullptr, nullptr);
    if (!m_window)
        throw std::runtime_error("cannot open an OpenGL 2.1 window: " + LastGlfwError());
    glfwMakeContextCurrent(m_window);
    glfwSwapInterval(visible ? 1 : 0);
}

DemoWindow::~DemoWindow()
{
    glfwDestroyWindow(m_window);
}

int DemoWindow::FramebufferWidth() const
{
    int width = 0;
    glfwGetFramebufferSize(m_window, &width, nullptr);
    return width;
}

int DemoWindow::FramebufferHeight() const
{
    int height = 0;
    glfwGetFramebufferSize(m_window, nullptr, &height);
    return height;
}

void DemoWindow::SetClipboardText(const char* utf8) const
{
    glfwSetClipboardString(m_window, utf8);
}

const char* DemoWindow::ClipboardText() const
{
    return glfwGetClipboardString(m_window);
}

DemoWindow::PointerState DemoWindow::Pointer() const
{
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(m_window, &x, &y);
    PointerState pointer;
    pointer.x = static_cast<float>(x);
    pointer.y = static_cast<float>(y);
    pointer.leftDown = glfwGetMouseButton(m_window, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    pointer.rightDown = glfwGetMouseButton(m_window, GLFW_MOUSE_BUTTON_RIGHT) == GLFW_PRESS;
    return pointer;
}

bool DemoWindow::CloseRequested() const
{
    return glfwWindowShouldClose(m_window);
}

void DemoWindow::EndFrame()
{
    glfwSwapBuffers(m_window);
    glfwPollEvents();
}
} // namespace ZuDemo
