// Cost of one item icon update on the GUI thread: the provider request and its reply, the
// watch moved to the new object, and the tool-tip and compare queries, against a game client
// that answers at once.
#include "ZuGUIElements/gamewidgets/ItemIcon.h"
#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "public/KeyValues.h"
#include "support/text/HeadlessCegui.h"

#include <CEGUI/CEGUI.h>
#include <CEGUI/RendererModules/Null/Renderer.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace
{
// A game client that answers every request at once. The bag slot holds another object at each
// request, so that every update moves the watch and changes the tool tip.
class ImmediateHost : public ZuGUI::IZuGUI
{
public:
    bool Query(KeyValues* request, KeyValues* reply) override
    {
        const char* name = request->GetName();
        if (std::strcmp(name, "GameObjectTooltip") == 0)
            reply->SetString("GameObjectTooltipValue", request->GetInt("ObjectId") == kFirstCell
                                                           ? "Sword of Dawn\nLevel 12"
                                                           : "Shield of Dusk\nLevel 14");
        else if (std::strcmp(name, "GameObjectCompare") == 0)
            reply->SetInt("GameObjectCompareId", kComparedCell);
        else
            reply->SetInt("CellId", m_cell = (m_cell == kFirstCell ? kSecondCell : kFirstCell));
        return true;
    }
    void WatchObject(ZuGUI::ZuWindow*, int) override { ++watches; }
    void UnwatchObject(ZuGUI::ZuWindow*, int) override { ++unwatches; }

    const float* GetUITime() override { return &m_time; }

    long watches = 0;
    long unwatches = 0;

private:
    static constexpr int kFirstCell = 1001;
    static constexpr int kSecondCell = 1002;
    static constexpr int kComparedCell = 2001;
    int m_cell = kSecondCell;
    float m_time = 0.0f;
};

// Runs the update that a draw runs after requestUpdate(), without the draw.
class BenchIcon : public ZuGUI::CItemIcon
{
public:
    using CItemIcon::CItemIcon;
    using CItemIcon::UpdateImp;
};

void BM_ItemIconUpdate(benchmark::State& state)
{
    const ZuTest::ScopedHeadlessCegui cegui(ZU_CEGUI_DATA_DIR, ZU_SKIN_DIR);
    ImmediateHost host;
    ZuGUI::ZuGUIExtraFacoryManager& manager = ZuGUI::ZuGUIExtraFacoryManager::Instance();
    manager.SetIZuGUI(&host);
    {
        BenchIcon icon(ZuGUI::CItemIcon::WidgetTypeName, "BenchIcon");
        icon.setPackageName("Bag");
        icon.setPackageIndex(3);
        for (auto _ : state)
        {
            icon.UpdateImp();
            benchmark::DoNotOptimize(icon.GetTargetId());
        }
        if (host.watches != static_cast<long>(state.iterations()) ||
            host.unwatches < host.watches - 1)
            state.SkipWithError("an update did not move the watch");
    }
    manager.SetIZuGUI(nullptr);
}
BENCHMARK(BM_ItemIconUpdate);
} // namespace
