#include "client/DesktopClipboard.h"

#include "public/CodePage.h"

#include <CEGUI/System.h>

namespace ZuDemo
{
namespace
{
const CEGUI::String kTextMimeType("text/plain");
} // namespace

void DesktopClipboard::sendToClipboard(const CEGUI::String& mimeType, void* buffer,
                                       std::size_t size)
{
    if (mimeType != kTextMimeType || !m_put)
        return;
    const std::string ansi(static_cast<const char*>(buffer), size);
    m_put(AnsiToUtf8(ansi.c_str(), ""));
}

void DesktopClipboard::retrieveFromClipboard(CEGUI::String& mimeType, void*& buffer,
                                             std::size_t& size)
{
    const char* utf8 = m_get ? m_get() : nullptr;
    m_retrieved = Utf8ToAnsi(utf8 ? utf8 : "", "");
    mimeType = kTextMimeType;
    buffer = m_retrieved.data();
    size = m_retrieved.size();
}

ScopedDesktopClipboard::ScopedDesktopClipboard(CEGUI::NativeClipboardProvider& provider)
{
    CEGUI::System::getSingleton().getClipboard()->setNativeProvider(&provider);
}

ScopedDesktopClipboard::~ScopedDesktopClipboard()
{
    if (CEGUI::System* system = CEGUI::System::getSingletonPtr())
        system->getClipboard()->setNativeProvider(nullptr);
}
} // namespace ZuDemo
