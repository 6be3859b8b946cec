// A CEGUI rendered-string parser that makes nothing. Before CEGUI draws a window it parses the
// window's whole text with its own markup parser and keeps the result, whether or not the
// window draws that result. A window whose text is the module's rich text markup, drawn from
// the module's own document, parses with this one instead: the document is then the only
// parsed form of its text, and a flood of line feeds costs no CEGUI line per line feed.
#pragma once

#include <CEGUI/RenderedStringParser.h>

namespace ZuGUI
{
class NullRenderedStringParser final : public CEGUI::RenderedStringParser
{
public:
    static NullRenderedStringParser& Instance();

    CEGUI::RenderedString parse(const CEGUI::String&, const CEGUI::Font*,
                                const CEGUI::ColourRect*) override
    {
        return CEGUI::RenderedString();
    }
};
} // namespace ZuGUI
