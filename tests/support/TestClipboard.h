// A desktop clipboard for tests: a NativeClipboardProvider that keeps the bytes CEGUI sends
// it and hands them back, installed on CEGUI's clipboard for the lifetime of the object.
#pragma once

#include <CEGUI/Clipboard.h>
#include <CEGUI/System.h>

#include <string>

namespace ZuTest
{
class TestClipboard : public CEGUI::NativeClipboardProvider
{
public:
    TestClipboard() { Clipboard().setNativeProvider(this); }
    ~TestClipboard() override { Clipboard().setNativeProvider(nullptr); }
    TestClipboard(const TestClipboard&) = delete;
    TestClipboard& operator=(const TestClipboard&) = delete;

    void sendToClipboard(const CEGUI::String& mimeType, void* buffer, std::size_t size) override
    {
        mime = mimeType.c_str();
        bytes.assign(static_cast<const char*>(buffer), size);
    }
    void retrieveFromClipboard(CEGUI::String& mimeType, void*& buffer, std::size_t& size) override
    {
        mimeType = mime;
        buffer = bytes.data();
        size = bytes.size();
    }

    // What the desktop holds, as a desktop program put it there.
    void Hold(const std::string& text, const std::string& mimeType = "text/plain")
    {
        mime = mimeType;
        bytes = text;
    }

    std::string mime;
    std::string bytes;

private:
    static CEGUI::Clipboard& Clipboard() { return *CEGUI::System::getSingleton().getClipboard(); }
};
} // namespace ZuTest
