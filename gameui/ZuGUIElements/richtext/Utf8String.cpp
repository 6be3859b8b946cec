#include "ZuGUIElements/richtext/Utf8String.h"

#include "public/CodePage.h"

#include <algorithm>

namespace ZuGUI
{
CEGUI::String StringFromUtf8(const char* text)
{
    const std::string valid = ValidUtf8Text(text);
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(valid.c_str()));
}

namespace
{
bool IsScalarValue(CEGUI::utf32 c)
{
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}
} // namespace

CEGUI::String ValidText(const CEGUI::String& text)
{
    if (std::all_of(text.begin(), text.end(), IsScalarValue))
        return text;
    CEGUI::String valid = text;
    std::replace_if(
        valid.begin(), valid.end(), [](CEGUI::utf32 c) { return !IsScalarValue(c); },
        CEGUI::utf32(0xFFFD));
    return valid;
}
} // namespace ZuGUI
