#include "ZuGUIElements/platform/Clipboard.h"

#include "ZuGUIElements/richtext/Utf8String.h"

#include "public/CodePage.h"

#include <CEGUI/Clipboard.h>
#include <CEGUI/System.h>

#include <cstring>
#include <string>

namespace ZuGUI
{
namespace
{
const CEGUI::String kTextMimeType("text/plain");

CEGUI::Clipboard* SystemClipboard()
{
    CEGUI::System* system = CEGUI::System::getSingletonPtr();
    return system ? system->getClipboard() : nullptr;
}
} // namespace

bool CopyToClipboard(const CEGUI::String& text)
{
    CEGUI::Clipboard* clipboard = SystemClipboard();
    if (text.empty() || !clipboard)
        return false;
    const std::string ansi = Utf8ToAnsi(ValidText(text).c_str(), "");
    // A text longer than the conversion buffer is not copied in part.
    if (ansi.empty() || LastConversionTruncated())
        return false;
    clipboard->setData(kTextMimeType, ansi.data(), ansi.size());
    return true;
}

namespace
{
// The clipboard's bytes up to a terminating zero, their line breaks as `breaks` says.
std::string ClipboardText(const char* bytes, std::size_t size, PastedLineBreaks breaks)
{
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size && bytes[i] != '\0'; ++i)
    {
        const char c = bytes[i];
        if (breaks == PastedLineBreaks::Dropped)
        {
            if (c != '\n')
                text += c;
        }
        else if (c == '\r')
        {
            text += '\n';
            if (i + 1 < size && bytes[i + 1] == '\n')
                ++i;
        }
        else
        {
            text += c;
        }
    }
    return text;
}
} // namespace

bool PasteFromClipboard(CEGUI::String& out, PastedLineBreaks breaks)
{
    CEGUI::Clipboard* clipboard = SystemClipboard();
    if (!clipboard)
        return false;
    CEGUI::String mimeType;
    const void* buffer = nullptr;
    std::size_t size = 0;
    clipboard->getData(mimeType, buffer, size);
    if (mimeType != kTextMimeType || !buffer || size == 0 || size >= kClipboardTextLimit)
        return false;
    // Native text may carry its terminating zero: the text ends there.
    const std::string text = ClipboardText(static_cast<const char*>(buffer), size, breaks);
    const char* utf8 = AnsiToUtf8(text.c_str(), "");
    if (LastConversionTruncated())
        return false;
    out = CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(utf8));
    return true;
}
} // namespace ZuGUI
