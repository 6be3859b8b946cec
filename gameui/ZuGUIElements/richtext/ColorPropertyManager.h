// The process-wide table of rich text colours: the default pair, the pairs that scripts
// register by name for the "T" tag, and the three colours of clickable command text.
#pragma once

#include "public/Singleton.h"

#include <CEGUI/Colour.h>
#include <CEGUI/String.h>

#include <map>

namespace ZuGUI
{
namespace TextParser
{
// A text colour and a second colour that travels with it into the text blocks. ARGB.
struct ColorPair
{
    CEGUI::argb_t text;
    CEGUI::argb_t second;
};

// Colours of clickable command text. ARGB.
struct ClickColors
{
    CEGUI::argb_t command;        // the text, normally
    CEGUI::argb_t hoverHighlight; // the brush behind the text while the pointer is over it
    CEGUI::argb_t hoverText;      // the text while the pointer is over it
};

class CColorPropertyManager : public Singleton<CColorPropertyManager>
{
    friend class Singleton<CColorPropertyManager>;

public:
    // Colour texts are hexadecimal AARRGGBB, read as CEGUI reads colour properties; a null
    // text reads as "". A null name registers nothing. A name is UTF-8; invalid sequences
    // become U+FFFD. Re-registering a name replaces its pair.
    void RegisterColorByString(const char* name, const char* textColour, const char* secondColour);
    void SetClickColorByString(const char* commandColour, const char* hoverHighlightColour,
                               const char* hoverTextColour);

    // The pair registered under exactly `name`, or the default pair.
    const ColorPair& GetColor(const CEGUI::String& name) const;
    const ColorPair& GetDefaultColor() const { return m_defaultPair; }
    const ClickColors& GetClickColors() const { return m_clickColors; }

protected:
    CColorPropertyManager() = default;

private:
    ColorPair m_defaultPair{0xFFFFFFFF, 0xFF000000};
    std::map<CEGUI::String, ColorPair> m_namedColors;
    ClickColors m_clickColors{0, 0, 0};
};
} // namespace TextParser
} // namespace ZuGUI
