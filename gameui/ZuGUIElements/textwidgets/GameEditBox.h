// CGameEditBox ("ZuGame/GameEditBox"): the single-line game edit box. It adds a numeric mode
// with an upper bound ("Numeric", "MaxNumber"), text insertion by property ("InsertText"),
// clipboard cut, copy and paste on Ctrl+X/C/V and on CEGUI's own clipboard requests, the
// caret's pixel offset for scripts, and keeps key presses from its parents while editable.
// A refused entry raises "InvalidEntryAttempted".
#pragma once

#include "ZuGUIElements/base/SharedProperties.h"
#include "ZuGUIElements/base/WidgetProperty.h"
#include "ZuGUIElements/module/FactoryTemplates.h"

#include <CEGUI/widgets/Editbox.h>

namespace ZuGUI
{
class CGameEditBox : public SharedPropertyLayer<CGameEditBox, CEGUI::Editbox>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;
    static const CEGUI::String EventInvalidEntryAttempted;
    static const CEGUI::ShareProSet s_SharePros;

    using SharedPropertyLayer::SharedPropertyLayer;

    bool GetNumericOnly() const { return d_numericOnly; }
    void SetNumericOnly(bool numericOnly) { d_numericOnly = numericOnly; }
    unsigned GetMaxNumber() const { return d_maxNumber; }
    void SetMaxNumber(unsigned maxNumber) { d_maxNumber = maxNumber; }
    // Inserts `text` at the selection start, replacing a selection that `text` may replace.
    void InsertText(const CEGUI::String& text);
    // The width of the text before the caret, in pixels, as of the last text change.
    float getCaratOffset() const { return d_caretOffset; }

    virtual bool CopySelection();
    virtual bool CutSelection();
    virtual bool PasteToSelection();

    bool performCopy(CEGUI::Clipboard& clipboard) override;
    bool performCut(CEGUI::Clipboard& clipboard) override;
    bool performPaste(CEGUI::Clipboard& clipboard) override;

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

// The Ctrl+C, Ctrl+V and Ctrl+X characters of an edit box: runs the box's clipboard operation
// and returns true when `e` is one of them with Control held.
template <typename Box>
bool RunClipboardShortcut(Box& box, const CEGUI::KeyEventArgs& e)
{
    if ((e.sysKeys & CEGUI::Control) == 0)
        return false;
    switch (e.codepoint)
    {
    case 0x03:
        box.CopySelection();
        return true;
    case 0x16:
        box.PasteToSelection();
        return true;
    case 0x18:
        box.CutSelection();
        return true;
    default:
        return false;
    }
}
} // namespace ZuGUI
