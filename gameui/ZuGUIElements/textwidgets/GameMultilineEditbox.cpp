#include "ZuGUIElements/textwidgets/GameMultilineEditbox.h"

#include "ZuGUIElements/platform/Clipboard.h"
#include "ZuGUIElements/textwidgets/EditKeys.h"

namespace ZuGUI
{
const CEGUI::String CGameMultilineEditbox::WidgetTypeName("ZuGame/GameMultilineEditbox");
const CEGUI::String CGameMultilineEditbox::EventNamespace("GameMultilineEditbox");

void CGameMultilineEditbox::onKeyDown(CEGUI::KeyEventArgs& e)
{
    // An editable box keeps every key from its parents; a read-only one passes them on.
    if (!isReadOnly() && !IsMultiLineEditKey(e.scancode))
    {
        KeepKey(*this, e);
        return;
    }
    MultiLineEditbox::onKeyDown(e);
    if (!isReadOnly())
        ++e.handled;
}

void CGameMultilineEditbox::onCharacter(CEGUI::KeyEventArgs& e)
{
    if (!RunClipboardShortcut(e))
        MultiLineEditbox::onCharacter(e);
}

bool CGameMultilineEditbox::CopySelection()
{
    return CopyToClipboard(SelectedText());
}

bool CGameMultilineEditbox::CutSelection()
{
    // The single-line box keeps a read-only text; so does this one.
    if (isReadOnly() || !CopySelection())
        return false;
    eraseSelectedText();
    return true;
}

bool CGameMultilineEditbox::PasteToSelection()
{
    CEGUI::String pasted;
    if (isReadOnly() || !PasteFromClipboard(pasted, PastedLineBreaks::Kept))
        return false;
    // The paste replaces the selection only when the result fits: a refused paste leaves the
    // text, selection included, as it was.
    const std::size_t at = getSelectionStartIndex();
    CEGUI::String text = getText();
    text.replace(at, getSelectionLength(), pasted);
    if (text.length() >= getMaxTextLength())
        return true;
    eraseSelectedText(false);
    setText(text);
    setCaretIndex(at + pasted.length());
    return true;
}

} // namespace ZuGUI
