#include "ZuGUIElements/textwidgets/CopiedText.h"

#include "ZuGUIElements/platform/Clipboard.h"
#include "public/MarkupText.h"

#include <CEGUI/PropertyHelper.h>

#include <optional>

namespace ZuGUI
{
namespace
{
std::optional<CopiedText>& LastCopy()
{
    static std::optional<CopiedText> last;
    return last;
}

CEGUI::String Piece(const CEGUI::String& text, std::size_t first, std::size_t end)
{
    return text.substr(first, end - first);
}
} // namespace

CEGUI::String CopiedText::Markup() const
{
    // CEGUI's strings grow to the exact size at each append: room for every brace doubled and
    // every link's tag keeps the appends from copying the markup again and again.
    CEGUI::String markup;
    markup.reserve(2 * text.length() + 24 * links.size());
    std::size_t done = 0;
    for (const TextSelection::CopiedLink& link : links)
    {
        markup += MarkupText::Escape(Piece(text, done, link.start));
        markup += "{I " + CEGUI::PropertyHelper<CEGUI::uint>::toString(link.itemId) + ":" +
                  MarkupText::Escape(Piece(text, link.start, link.start + link.length)) + "}";
        done = link.start + link.length;
    }
    return markup + MarkupText::Escape(Piece(text, done, text.length()));
}

bool CopyRichText(const CopiedText& copy)
{
    if (!CopyToClipboard(copy.text))
    {
        LastCopy().reset();
        return false;
    }
    LastCopy() = copy;
    return true;
}

const CopiedText* FindOwnCopy(const CEGUI::String& pasted)
{
    const std::optional<CopiedText>& last = LastCopy();
    return last && last->text == pasted ? &*last : nullptr;
}
} // namespace ZuGUI
