// CGameEditBox ("ZuGame/GameEditBox"): the single-line game edit box. It adds a numeric mode
// with an upper bound ("Numeric", "MaxNumber"), text insertion by property ("InsertText"),
// clipboard cut, copy and paste on Ctrl+X/C/V and on CEGUI's own clipboard requests, the
// caret's pixel offset for scripts, and keeps key presses from its parents while editable.
// A refused entry raises "InvalidEntryAttempted".
#pragma once

#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/base/FactoryTemplates.h"
#include "ZuGUIElements/textwidgets/ClipboardEditing.h"

#include <CEGUI/widgets/Editbox.h>

namespace ZuGUI
{
class CGameEditBox : public ClipboardEditing<SharedPropertyLayer<CGameEditBox, CEGUI::Editbox>>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::String EventInvalidEntryAttempted;
    static const CEGUI::ShareProSet s_SharePros;

    using ClipboardEditing::ClipboardEditing;

    bool GetNumericOnly() const { return d_numericOnly; }
    void SetNumericOnly(bool numericOnly) { d_numericOnly = numericOnly; }
    unsigned GetMaxNumber() const { return d_maxNumber; }
    void SetMaxNumber(unsigned maxNumber) { d_maxNumber = maxNumber; }
    // Inserts `text` at the selection start, replacing a selection that `text` may replace.
    void InsertText(const CEGUI::String& text);
    // The width of the text before the caret, in pixels, as of the last text change.
    float getCaratOffset() const { return d_caretOffset; }

    bool CopySelection() override;
    bool CutSelection() override;
    bool PasteToSelection() override;

protected:
    void onTextChanged(CEGUI::WindowEventArgs& e) override;
    void onKeyDown(CEGUI::KeyEventArgs& e) override;
    // Caret offset := the width of the text before the caret, at most the box's width.
    void UpdateCaretOffset();
    void onCharacter(CEGUI::KeyEventArgs& e) override;
    virtual void onInvalidEntryAttempted(CEGUI::WindowEventArgs& e);

private:
    // True when `text`'s number is above the maximum (a number past 32 bits always is).
    bool ExceedsMaximum(const CEGUI::String& text) const;
    void NotifyInvalidEntry();
    // Typed digits in numeric mode: a number above the maximum becomes the maximum.
    void TypeDigit(CEGUI::KeyEventArgs& e);
    bool AcceptsInsertion(const CEGUI::String& candidate);
    void EraseSelection();

    bool d_numericOnly = false;
    unsigned d_maxNumber = 0xFFFFFFFFu;
    float d_caretOffset = 0.0f;
};

using CGameEditBoxFactory = ZuWindowFactory<CGameEditBox>;

} // namespace ZuGUI
