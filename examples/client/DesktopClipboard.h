// The sample client's connection of CEGUI's clipboard to the desktop's: a
// NativeClipboardProvider that hands the module's text (in the system code page) to the
// desktop in UTF-8 and the desktop's text back in the system code page. How the desktop's
// clipboard is reached is given as two functions (the demo uses its GLFW window's).
#pragma once

#include <CEGUI/Clipboard.h>

#include <functional>
#include <string>

namespace ZuDemo
{
class DesktopClipboard : public CEGUI::NativeClipboardProvider
{
public:
    using PutText = std::function<void(const std::string& utf8)>;
    // The desktop's text, or none.
    using GetText = std::function<const char*()>;

    DesktopClipboard(PutText put, GetText get) : m_put(std::move(put)), m_get(std::move(get)) {}

    // Only text is carried; other data stays inside the application.
    void sendToClipboard(const CEGUI::String& mimeType, void* buffer, std::size_t size) override;
    void retrieveFromClipboard(CEGUI::String& mimeType, void*& buffer, std::size_t& size) override;

private:
    PutText m_put;
    GetText m_get;
    // The text handed to CEGUI last, valid until the next retrieval.
    std::string m_retrieved;
};

// Installs `provider` on CEGUI's clipboard for the lifetime of the object.
class ScopedDesktopClipboard
{
public:
    explicit ScopedDesktopClipboard(CEGUI::NativeClipboardProvider& provider);
    ~ScopedDesktopClipboard();
    ScopedDesktopClipboard(const ScopedDesktopClipboard&) = delete;
    ScopedDesktopClipboard& operator=(const ScopedDesktopClipboard&) = delete;
};
} // namespace ZuDemo
