// What the module's rich text views copy: the selected text as shown, and where in it item
// links stand. CEGUI's clipboard holds one text, so the module remembers its last copy: a paste
// whose text is that copy can make the item links again (the chat input does), and nothing
// else can.
#pragma once

#include "ZuGUIElements/richtext/TextSelection.h"

#include <CEGUI/String.h>

#include <vector>

namespace ZuGUI
{
struct CopiedText
{
    CEGUI::String text;
    std::vector<TextSelection::CopiedLink> links;

    // The copy as markup: the text escaped, each item link as an "I" tag of its item.
    CEGUI::String Markup() const;
};

// Puts `copy.text` on the clipboard (platform/Clipboard.h) and remembers the copy; false, and
// the last copy forgotten, when the clipboard took nothing.
bool CopyRichText(const CopiedText& copy);

// The module's last copy when `pasted` is its text, else null.
const CopiedText* FindOwnCopy(const CEGUI::String& pasted);
} // namespace ZuGUI
