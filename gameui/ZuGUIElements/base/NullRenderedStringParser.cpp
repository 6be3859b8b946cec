#include "ZuGUIElements/base/NullRenderedStringParser.h"

#include <CEGUI/RenderedString.h>

namespace ZuGUI
{
NullRenderedStringParser& NullRenderedStringParser::Instance()
{
    static NullRenderedStringParser parser;
    return parser;
}
} // namespace ZuGUI
