#include "support/CeguiFixture.h"

#include "ZuGUIElements/base/LookImagery.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace
{
using ZuGUI::LookImagery::LookElement;
using Read = std::pair<LookElement, std::string>;

std::vector<Read> g_reads;

void RecordRead(const CEGUI::Window&, LookElement kind, const CEGUI::String& name)
{
    g_reads.emplace_back(kind, name.c_str());
}

class LookImageryTest : public ZuTest::CeguiTest
{
protected:
    void TearDown() override
    {
        ZuGUI::LookImagery::SetLookReadObserver(nullptr);
        g_reads.clear();
        CeguiTest::TearDown();
    }
};

// Every helper that asks a look for an element tells the observer, found or not, and nothing
// is told once the observer is removed.
TEST_F(LookImageryTest, ObserverIsToldEveryElementAskedForUntilRemoved)
{
    namespace Look = ZuGUI::LookImagery;
    CEGUI::Window& window = CreateChild("DefaultWindow", "Plain");
    struct Row
    {
        const char* helper;
        std::function<void()> ask;
        Read expected;
    };
    const Row rows[] = {
        {"RenderStateImagery",
         [&] { Look::RenderStateImagery(window, "Enabled"); },
         {LookElement::StateImagery, "Enabled"}},
        {"RenderStateImageryIn",
         [&] { Look::RenderStateImageryIn(window, "Lights", CEGUI::Rectf(0, 0, 5, 5)); },
         {LookElement::StateImagery, "Lights"}},
        {"NamedAreaRect",
         [&] { Look::NamedAreaRect(window, "TextArea"); },
         {LookElement::NamedArea, "TextArea"}},
        {"WindowPropertyOr",
         [&] { Look::WindowPropertyOr(window, "Alpha", 0.5f); },
         {LookElement::Property, "Alpha"}},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.helper);
        g_reads.clear();
        Look::SetLookReadObserver(&RecordRead);
        row.ask();
        EXPECT_EQ(std::vector<Read>{row.expected}, g_reads);
        Look::SetLookReadObserver(nullptr);
        row.ask();
        EXPECT_EQ(1u, g_reads.size());
    }
}
} // namespace
