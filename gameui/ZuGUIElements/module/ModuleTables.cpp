// The module's factory tables, in the order in which they are registered. Each widget and
// renderer adds its row here; the row takes the names from the class.
#include "ZuGUIElements/base/FactoryTemplates.h"
#include "ZuGUIElements/module/FactoryRegistry.h"

#include "ZuGUIElements/gamewidgets/BuffIcon.h"
#include "ZuGUIElements/gamewidgets/CreatureViewer.h"
#include "ZuGUIElements/gamewidgets/GameProgressBar.h"
#include "ZuGUIElements/gamewidgets/GamePushButton.h"
#include "ZuGUIElements/gamewidgets/GameValueText.h"
#include "ZuGUIElements/gamewidgets/GuideBox.h"
#include "ZuGUIElements/gamewidgets/ItemIcon.h"
#include "ZuGUIElements/gamewidgets/PercentBar.h"
#include "ZuGUIElements/gamewidgets/SpellIcon.h"
#include "ZuGUIElements/gamewidgets/ThinkableFrameWindow.h"
#include "ZuGUIElements/gamewidgets/ZuDecorateWindow.h"
#include "ZuGUIElements/textwidgets/ChatEditBox.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"
#include "ZuGUIElements/textwidgets/GameMultiColumnList.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/GameMultilineEditbox.h"
#include "ZuGUIElements/textwidgets/GameMultilineInput.h"
#include "ZuGUIElements/textwidgets/RichContentEdit.h"
#include "ZuGUIElements/textwidgets/TabControlForChat.h"
#include "ZuGUIElements/textwidgets/ZuToolTip.h"
#include "ZuGUIElements/web/HTMLWindow.h"

namespace ZuGUI
{
namespace
{
const RendererFactoryRow kRendererFactories[] = {
    RendererRow<CEGUI::CItemIconRenderer>(),
    RendererRow<CEGUI::CGameValueTextRenderer>(),
    RendererRow<CEGUI::CCreatureViewerRenderer>(),
    RendererRow<CEGUI::GameMultiLineRenderer>(),
    RendererRow<CEGUI::CPercentBarRenderer>(),
    RendererRow<CEGUI::CBuffIconRenderer>(),
    RendererRow<CEGUI::CRichContentEditRenderer>(),
    RendererRow<CEGUI::GameProgressBarRenderer>(),
    RendererRow<CEGUI::CGameMultiColumnList>(),
    RendererRow<CEGUI::GuideBoxRenderer>(),
    {},
};

// Renderers that the module's looks use beside the table's: the striped list's entries.
const RendererFactoryRow kLookRendererFactories[] = {
    RendererRow<CEGUI::CGameListItemRenderer>(),
    {},
};

// One row per line, in registration order.
const WindowFactoryRow kWindowFactories[] = {
    WindowRow<CItemIcon>(),
    WindowRow<CGameValueText>(),
    WindowRow<CCreatureViewer>(),
    WindowRow<CGameMultiLine>(),
    WindowRow<CZuToolTip>(),
    WindowRow<CPercentBar>(),
    WindowRow<CSpellIcon>(),
    WindowRow<CZuDecorateWindow>(),
    WindowRow<CGameEditBox>(),
    WindowRow<CGameChatBox>(),
    WindowRow<CBuffIcon>(),
    WindowRow<CGameMultilineInput>(),
    WindowRow<CRichContentEdit>(),
    WindowRow<GameProgressBar>(),
    WindowRow<CThinkableFrameWindow>(),
    WindowRow<CTabControlForChat>(),
    WindowRow<CGamePushButton>(),
    WindowRow<CChatEditBox>(),
    WindowRow<GuideBox>(),
    WindowRow<CHTMLWindow>(),
    WindowRow<CGameMultilineEditbox>(),
    {},
};
} // namespace

const RendererFactoryTable& ModuleRendererFactories()
{
    static const RendererFactoryTable table(kRendererFactories);
    return table;
}

const RendererFactoryRow* ModuleLookRendererFactories()
{
    return kLookRendererFactories;
}

const WindowFactoryRow* ModuleWindowFactories()
{
    return kWindowFactories;
}
} // namespace ZuGUI
