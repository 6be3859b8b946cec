// CGameMultilineEditbox ("ZuGame/GameMultilineEditbox"): CEGUI's multi-line edit box with the
// game edit box's clipboard keys (Ctrl+X/C/V, and CEGUI's own clipboard requests) and key
// swallowing while editable.
#pragma once

#include "ZuGUIElements/base/FactoryTemplates.h"

#include "ZuGUIElements/textwidgets/ClipboardEditing.h"
#include "ZuGUIElements/textwidgets/WrapSafeMultiLineEditbox.h"

#include <CEGUI/widgets/MultiLineEditbox.h>

namespace ZuGUI
{
class CGameMultilineEditbox : public ClipboardEditing<WrapSafeMultiLineEditbox>
{
public:
    static const CEGUI::String WidgetTypeName;
    static const CEGUI::String EventNamespace;

    using ClipboardEditing::ClipboardEditing;

    bool CopySelection() override;
    // Erases the selection once it is copied; a read-only box keeps it.
    bool CutSelection() override;
    // Replaces the selection with the clipboard's text, which is inserted only while the box
    // stays within its maximum length.
    bool PasteToSelection() override;

protected:
    void onKeyDown(CEGUI::KeyEventArgs& e) override;
    void onCharacter(CEGUI::KeyEventArgs& e) override;
};

using CGameMultilineEditboxFactory = ZuWindowFactory<CGameMultilineEditbox>;
} // namespace ZuGUI
