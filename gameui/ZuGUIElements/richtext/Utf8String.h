// UTF-8 from scripts and clients into CEGUI's strings, and CEGUI's strings as text the module
// gives out. CEGUI's own UTF-8 decoding reads past the end of a truncated sequence and turns
// five-byte-like sequences into code points past U+10FFFF, which its encoding then writes
// back as bytes that are not UTF-8: text is re-encoded on the way in and checked on the way
// out.
#pragma once

#include <CEGUI/String.h>

namespace ZuGUI
{
// A null text gives ""; invalid sequences become U+FFFD.
CEGUI::String StringFromUtf8(const char* text);

// `text` with every code point that is no Unicode scalar value (past U+10FFFF, a surrogate)
// as U+FFFD, character for character: its UTF-8 is valid and its indices stay.
CEGUI::String ValidText(const CEGUI::String& text);
} // namespace ZuGUI
