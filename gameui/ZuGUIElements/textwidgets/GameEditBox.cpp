#include "ZuGUIElements/textwidgets/GameEditBox.h"

#include "ZuGUIElements/textwidgets/EditKeys.h"

#include "ZuGUIElements/platform/Clipboard.h"
#include "public/StringTools.h"

#include <CEGUI/Font.h>
#include <CEGUI/PropertyHelper.h>

#include <algorithm>

namespace ZuGUI
{
namespace
{
// The number that a numeric box's text stands for, saturated instead of wrapped.
long long NumberOf(const CEGUI::String& text)
{
    return ParseSaturatingInteger(text.c_str());
}

bool IsDigit(CEGUI::String::value_type codepoint)
{
    return codepoint >= '0' && codepoint <= '9';
}

bool IsDecimal(const CEGUI::String& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), IsDigit);
}
} // namespace

const CEGUI::String CGameEditBox::WidgetTypeName("ZuGame/GameEditBox");
const CEGUI::String CGameEditBox::EventNamespace("GameEditBox");
const CEGUI::String CGameEditBox::EventInvalidEntryAttempted("InvalidEntryAttempted");

const CEGUI::ShareProSet CGameEditBox::s_SharePros{
    WidgetProperty<&CGameEditBox::GetNumericOnly, &CGameEditBox::SetNumericOnly>(
        "Numeric",
        "Property to get/set if this game edit accept numeric character only.  Value is a "
        "boolean.",
        "False"),
    WidgetProperty<&CGameEditBox::GetMaxNumber, &CGameEditBox::SetMaxNumber>(
        "MaxNumber",
        "Property to get/set the largest number that this game edit accepts.  Value is a uint.",
        "4294967295"),
    WidgetProperty<nullptr, &CGameEditBox::InsertText>(
        "InsertText", "Property to insert text.  Value is a string.", ""),
};

bool CGameEditBox::ExceedsMaximum(const CEGUI::String& text) const
{
    return NumberOf(text) > static_cast<long long>(d_maxNumber);
}

void CGameEditBox::NotifyInvalidEntry()
{
    CEGUI::WindowEventArgs args(this);
    onInvalidEntryAttempted(args);
}

void CGameEditBox::onInvalidEntryAttempted(CEGUI::WindowEventArgs& e)
{
    fireEvent(EventInvalidEntryAttempted, e, EventNamespace);
}

void CGameEditBox::onTextChanged(CEGUI::WindowEventArgs& e)
{
    SharedPropertyLayer::onTextChanged(e);
    UpdateCaretOffset();
}

void CGameEditBox::UpdateCaretOffset()
{
    const CEGUI::Font* font = getFont();
    if (!font)
        return;
    const CEGUI::String before = getText().substr(0, getCaretIndex());
    d_caretOffset = std::min(font->getTextExtent(before), getUnclippedInnerRect().get().getWidth());
}

void CGameEditBox::onKeyDown(CEGUI::KeyEventArgs& e)
{
    // Keys typed into an editable box are the box's: the parents never see them. A read-only
    // box passes them on.
    if (!isReadOnly() && !IsSingleLineEditKey(e.scancode))
    {
        KeepKey(*this, e);
        return;
    }
    SharedPropertyLayer::onKeyDown(e);
    if (!isReadOnly())
        ++e.handled;
}

void CGameEditBox::onCharacter(CEGUI::KeyEventArgs& e)
{
    if (RunClipboardShortcut(e))
        return;
    if (!d_numericOnly)
        SharedPropertyLayer::onCharacter(e);
    else if (IsDigit(e.codepoint))
        TypeDigit(e);
}

void CGameEditBox::TypeDigit(CEGUI::KeyEventArgs& e)
{
    SharedPropertyLayer::onCharacter(e);
    if (!ExceedsMaximum(getText()))
        return;
    setText(CEGUI::PropertyHelper<CEGUI::uint>::toString(d_maxNumber));
    setCaretIndex(0);
    NotifyInvalidEntry();
}

void CGameEditBox::EraseSelection()
{
    const std::size_t length = getSelectionLength();
    if (length == 0)
        return;
    CEGUI::String text = getText();
    text.erase(getSelectionStartIndex(), length);
    // CEGUI's erase moves the caret and drops the selection; the text is set here, since its
    // own erasing reads the selection after dropping it.
    eraseSelectedText(false);
    setText(text);
}

bool CGameEditBox::AcceptsInsertion(const CEGUI::String& candidate)
{
    if (!d_numericOnly)
        return candidate.length() <= getMaxTextLength();
    if (!ExceedsMaximum(candidate))
        return true;
    NotifyInvalidEntry();
    return false;
}

void CGameEditBox::InsertText(const CEGUI::String& text)
{
    if (getSelectionLength() != 0 && getStringMatchState(text) != CEGUI::RegexMatcher::MS_VALID)
    {
        NotifyInvalidEntry();
        return;
    }
    // The text replaces the selection only when the result is accepted: a refused insertion
    // leaves the text, selection included, as it was.
    const std::size_t at = std::min(getSelectionStartIndex(), getText().length());
    CEGUI::String candidate = getText();
    candidate.replace(at, getSelectionLength(), text);
    if (!AcceptsInsertion(candidate))
        return;
    eraseSelectedText(false);
    // The caret moves first, so that the text change measures the caret after the insertion.
    d_caretPos = at + text.length();
    setText(candidate);
}

bool CGameEditBox::CopySelection()
{
    if (isTextMasked())
        return false;
    return CopyToClipboard(SelectedText());
}

bool CGameEditBox::CutSelection()
{
    if (isReadOnly() || !CopySelection())
        return false;
    EraseSelection();
    return true;
}

bool CGameEditBox::PasteToSelection()
{
    CEGUI::String pasted;
    if (isReadOnly() || isTextMasked() || !PasteFromClipboard(pasted))
        return false;
    // A paste lets in what typing would: in a numeric box digits only, and a count below 1
    // makes no sense there.
    if (d_numericOnly && (!IsDecimal(pasted) || NumberOf(pasted) < 1))
        return false;
    InsertText(pasted);
    return true;
}

} // namespace ZuGUI
