// The clipboard editing of the module's edit boxes: Ctrl+C, Ctrl+X and Ctrl+V typed in a box,
// and CEGUI's own clipboard requests (GUIContext::injectCopyRequest and the others), run the
// box's CopySelection, CutSelection and PasteToSelection, which each box defines.
#pragma once

#include <CEGUI/InputEvent.h>
#include <CEGUI/String.h>

namespace CEGUI
{
class Clipboard;
}

namespace ZuGUI
{
template <typename Base>
class ClipboardEditing : public Base
{
public:
    using Base::Base;

    // Each returns whether the operation took place.
    virtual bool CopySelection() = 0;
    virtual bool CutSelection() = 0;
    virtual bool PasteToSelection() = 0;

    // The box works with the module's clipboard (platform/Clipboard.h), not CEGUI's argument.
    bool performCopy(CEGUI::Clipboard&) override { return CopySelection(); }
    bool performCut(CEGUI::Clipboard&) override { return CutSelection(); }
    bool performPaste(CEGUI::Clipboard&) override { return PasteToSelection(); }

protected:
    CEGUI::String SelectedText() const
    {
        return this->getText().substr(this->getSelectionStartIndex(), this->getSelectionLength());
    }

    // Runs the clipboard operation of a character typed with Control held (Ctrl+C is 0x03,
    // Ctrl+V 0x16, Ctrl+X 0x18); false for any other character.
    bool RunClipboardShortcut(const CEGUI::KeyEventArgs& e)
    {
        if ((e.sysKeys & CEGUI::Control) == 0)
            return false;
        switch (e.codepoint)
        {
        case 0x03:
            CopySelection();
            return true;
        case 0x16:
            PasteToSelection();
            return true;
        case 0x18:
            CutSelection();
            return true;
        default:
            return false;
        }
    }
};
} // namespace ZuGUI
