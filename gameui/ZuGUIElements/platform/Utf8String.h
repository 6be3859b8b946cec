// UTF-8 from scripts and clients into CEGUI's strings. CEGUI's own UTF-8 decoding reads past
// the end of a truncated sequence, so the text is re-encoded first.
#pragma once

#include <CEGUI/String.h>

namespace ZuGUI
{
// A null text gives ""; invalid sequences become U+FFFD.
CEGUI::String StringFromUtf8(const char* text);
} // namespace ZuGUI
