#include "ZuGUIElements/platform/Utf8String.h"

#include "public/CodePage.h"

namespace ZuGUI
{
CEGUI::String StringFromUtf8(const char* text)
{
    const std::string valid = ValidUtf8Text(text);
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(valid.c_str()));
}
} // namespace ZuGUI
