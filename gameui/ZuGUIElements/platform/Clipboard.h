// The clipboard of the module's edit boxes: CEGUI's clipboard (System::getClipboard), holding
// the text in the system code page as its native "text/plain" data, so that a host's
// NativeClipboardProvider hands exactly those bytes to the desktop. Without a provider, copy
// and paste still work inside the application.
#pragma once

#include <CEGUI/String.h>

namespace ZuGUI
{
// Clipboard texts of this many bytes or more are not pasted.
constexpr std::size_t kClipboardTextLimit = 10240;

// Puts `text` (UTF-8) on the clipboard in the system code page. False for an empty text, a
// text with nothing in the system code page or too long to convert whole, or when CEGUI is
// not running.
bool CopyToClipboard(const CEGUI::String& text);

// What a paste does with the text's line breaks.
enum class PastedLineBreaks
{
    Dropped, // a single-line box: line feeds go, carriage returns stay
    Kept,    // a multi-line box: CR LF and a lone CR become LF
};

// Takes the clipboard's text into `out` (UTF-8), its line breaks as `breaks` says. False, with
// `out` unchanged, when the clipboard holds no text, a text of kClipboardTextLimit bytes or
// more, or one too long to convert whole.
bool PasteFromClipboard(CEGUI::String& out, PastedLineBreaks breaks = PastedLineBreaks::Dropped);
} // namespace ZuGUI
