#include "ZuGUIElements/platform/Utf8String.h"

#include "public/CodePage.h"

namespace ZuGUI
{
CEGUI::String StringFromUtf8(const char* text)
{
    const char* valid = ToMultiByte(ToWide(text ? text : "", CP_UTF8), CP_UTF8);
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(valid));
}
} // namespace ZuGUI
