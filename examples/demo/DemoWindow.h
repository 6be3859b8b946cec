// The demo's native window: GLFW with an OpenGL 2.1 context, current on this thread for the
// window's lifetime. GLFW is initialised with the first window and terminated with it.
#pragma once

struct GLFWwindow;

namespace ZuDemo
{
class DemoWindow
{
public:
    // Throws std::runtime_error with GLFW's description when GLFW or the window fails.
    DemoWindow(int width, int height, const char* title, bool visible);
    ~DemoWindow();
    DemoWindow(const DemoWindow&) = delete;
    DemoWindow& operator=(const DemoWindow&) = delete;

    // The drawable size in pixels.
    int FramebufferWidth() const;
    int FramebufferHeight() const;

    // The pointer in window pixels and its two main buttons.
    struct PointerState
    {
        float x = 0.0f;
        float y = 0.0f;
        bool leftDown = false;
        bool rightDown = false;
    };
    PointerState Pointer() const;

    // The desktop's clipboard text in UTF-8, or null.
    void SetClipboardText(const char* utf8) const;
    const char* ClipboardText() const;

    bool CloseRequested() const;
    // Presents the frame and handles the desktop's events.
    void EndFrame();

private:
    struct GlfwLibrary
    {
        GlfwLibrary();
        ~GlfwLibrary();
        GlfwLibrary(const GlfwLibrary&) = delete;
        GlfwLibrary& operator=(const GlfwLibrary&) = delete;
    };

    GlfwLibrary m_library;
    GLFWwindow* m_window = nullptr;
};
} // namespace ZuDemo
