// The module's factory tables, in the order in which they are registered. Each widget and
// renderer adds its row here.
#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/module/FactoryTemplates.h"

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
    {"ZuGame/ItemIcon", &RendererFactoryOf<CEGUI::CItemIconRendererWRFactory>},
    {"ZuGame/GameValueText", &RendererFactoryOf<CEGUI::CGameValueTextRendererWRFactory>},
    {"ZuGame/CreatureViewer", &RendererFactoryOf<CEGUI::CCreatureViewerRendererWRFactory>},
    {"ZuGame/GameMultiLineRenderer", &RendererFactoryOf<CEGUI::GameMultiLineRendererWRFactory>},
    {"ZuGame/PercentBar", &RendererFactoryOf<CEGUI::CPercentBarRendererWRFactory>},
    {"ZuGame/BuffIcon", &RendererFactoryOf<CEGUI::CBuffIconRendererWRFactory>},
    {"ZuGame/RichContentEditRenderer",
     &RendererFactoryOf<CEGUI::CRichContentEditRendererWRFactory>},
    {"ZuGame/GameProgressBarRenderer", &RendererFactoryOf<CEGUI::GameProgressBarRendererWRFactory>},
    {"ZuGUI/MultiColumnList", &RendererFactoryOf<CEGUI::CGameMultiColumnListWRFactory>},
    {"ZuGame/GuideBox", &RendererFactoryOf<CEGUI::GuideBoxRendererWRFactory>},
    {nullptr, nullptr},
};

// Renderers that the module's looks use beside the table's: the striped list's entries.
const RendererFactoryRow kLookRendererFactories[] = {
    {"ZuGUI/ItemEntry", &RendererFactoryOf<CEGUI::CGameListItemRendererWRFactory>},
    {nullptr, nullptr},
};

// One row per line, in registration order.
// clang-format off
const WindowFactoryRow kWindowFactories[] = {
    {&WindowFactoryOf<CItemIconFactory>},
    {&WindowFactoryOf<CGameValueTextFactory>},
    {&WindowFactoryOf<CCreatureViewerFactory>},
    {&WindowFactoryOf<CGameMultiLineFactory>},
    {&WindowFactoryOf<CZuToolTipFactory>},
    {&WindowFactoryOf<CPercentBarFactory>},
    {&WindowFactoryOf<CSpellIconFactory>},
    {&WindowFactoryOf<CZuDecorateWindowFactory>},
    {&WindowFactoryOf<CGameEditBoxFactory>},
    {&WindowFactoryOf<CGameChatBoxFactory>},
    {&WindowFactoryOf<CBuffIconFactory>},
    {&WindowFactoryOf<CGameMultilineInputFactory>},
    {&WindowFactoryOf<CRichContentEditFactory>},
    {&WindowFactoryOf<GameProgressBarFactory>},
    {&WindowFactoryOf<CThinkableFrameWindowFactory>},
    {&WindowFactoryOf<CTabControlForChatFactory>},
    {&WindowFactoryOf<CGamePushButtonFactory>},
    {&WindowFactoryOf<CChatEditBoxFactory>},
    {&WindowFactoryOf<GuideBoxFactory>},
    {&WindowFactoryOf<CHTMLWindowFactory>},
    {&WindowFactoryOf<CGameMultilineEditboxFactory>},
    {nullptr},
};
// clang-format on
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
