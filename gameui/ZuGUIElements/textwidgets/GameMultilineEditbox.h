// CGameMultilineEditbox ("ZuGame/GameMultilineEditbox"): CEGUI's multi-line edit box with the
// game edit box's clipboard keys (Ctrl+X/C/V, and CEGUI's own clipboard requests) and key
// swallowing while editable.
#pragma once

#include "ZuGUIElements/module/FactoryTemplates.h"

#include "ZuGUIElements/textwidgets/LineWrapGuard.h"

#include <CEGUI/widgets/MultiLineEditbox.h>

namespace ZuGUI
{
class CGameMultilineEditbox : public WrapSafeMultiLineEditbox
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;

    using WrapSafeMultiLineEditbox::WrapSafeMultiLineEditbox;

    virtual bool CopySelection();
    // Erases the selection once it is copied; a read-only box keeps it.
    virtual bool CutSelection();
    // Replaces the selection with the clipboard's text, which is inserted only while the box
    // stays within its maximum length.
    virtual bool PasteToSelection();

    bool performCopy(CEGUI::Clipboard& clipboard) override;
    bool performCut(CEGUI::Clipboard& clipboard) override;
    bool performPaste(CEGUI::Clipboard& clipboard) override;

protected:
    void onKeyDown(CEGUI::KeyEventArgs& e) override;
    void onCharacter(CEGUI::KeyEventArgs& e) override;

private:
    CEGUI::String SelectedText() const;
};

using CGameMultilineEditboxFactory = ZuWindowFactory<CGameMultilineEditbox>;
} // namespace ZuGUI
