// The module's factory tables, in the order in which they are registered. Each widget and
// renderer adds its row here.
#include "ZuGUIElements/module/FactoryRegistry.h"
#include "ZuGUIElements/module/FactoryTemplates.h"

#include "ZuGUIElements/gamewidgets/GameValueText.h"

namespace ZuGUI
{
namespace
{
const RendererFactoryRow kRendererFactories[] = {
    {"ZuGame/GameValueText", &RendererFactoryOf<CEGUI::CGameValueTextRendererWRFactory>},
    {nullptr, nullptr},
};

const WindowFactoryRow kWindowFactories[] = {
    {&WindowFactoryOf<CGameValueTextFactory>},
    {nullptr},
};
} // namespace

const RendererFactoryTable& ModuleRendererFactories()
{
    static const RendererFactoryTable table(kRendererFactories);
    return table;
}

const WindowFactoryRow* ModuleWindowFactories()
{
    return kWindowFactories;
}
} // namespace ZuGUI
