// The states that the reference draws each skin type in reach the look elements that a
// renderer reads only in some of them.
#include "support/CeguiFixture.h"

#include "LookStates.h"

#include <CEGUI/CEGUI.h>

#include <gtest/gtest.h>

#include <map>

namespace
{
using ZuGUI::LookImagery::LookElement;
using ZuReference::LookReads;

class LookStatesTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        if (!CEGUI::SchemeManager::getSingleton().isDefined("ZuLook"))
            CEGUI::SchemeManager::getSingleton().createFromFile("ZuLook.scheme", "skin");
    }

    const LookReads& ReadsOf(const std::string& windowType)
    {
        auto found = m_reads.find(windowType);
        if (found != m_reads.end())
            return found->second;
        for (const ZuReference::SkinMapping& mapping : ZuReference::ModuleSkinMappings())
        {
            if (mapping.windowType == windowType)
                return m_reads[windowType] = ZuReference::RecordLookReads(mapping, m_layouts);
        }
        ADD_FAILURE() << windowType << " is no module type of the skin";
        return m_reads[windowType];
    }

private:
    const std::vector<ZuReference::LayoutWindow> m_layouts = ZuReference::ReadLayoutWindows("skin");
    std::map<std::string, LookReads> m_reads;
};

TEST_F(LookStatesTest, ElementsReadOnlyInSomeStatesAreRecorded)
{
    const struct
    {
        const char* windowType;
        LookElement kind;
        const char* element;
        const char* state;
    } rows[] = {
        {"ZuLook/PercentBar", LookElement::StateImagery, "BroadFrame", "as created"},
        {"ZuLook/PercentBar", LookElement::StateImagery, "SlimFrame", "a layout's Style"},
        {"ZuLook/PercentBar", LookElement::NamedArea, "SlimProgressArea", "a layout's Style"},
        {"ZuLook/PercentBar", LookElement::StateImagery, "Divider", "a layout's Divide"},
        {"ZuLook/GameValueText", LookElement::StateImagery, "DisabledFrame", "framed, disabled"},
        {"ZuLook/CreatureViewer", LookElement::StateImagery, "NoFrameDisabledBackground",
         "background without frame, disabled"},
        {"ZuLook/ItemIcon", LookElement::StateImagery, "PickedFrame", "picked"},
        {"ZuLook/GameMultiLine", LookElement::NamedArea, "TextAreaVScroll", "a long text"},
        {"ZuLook/GameMultiLine", LookElement::Property, "ActiveSelectionColour",
         "selectable text dragged over"},
        {"ZuLook/StripedEntry", LookElement::StateImagery, "odd", "in its list"},
    };
    for (const auto& row : rows)
    {
        const LookReads& reads = ReadsOf(row.windowType);
        const auto kind = reads.find(row.kind);
        EXPECT_TRUE(kind != reads.end() && kind->second.count(row.element))
            << row.windowType << ": " << row.element << " (" << row.state << ")";
    }
}

TEST_F(LookStatesTest, OnlyTheDrawnWindowsRendererIsRecordedAndTheRootComesBack)
{
    // A CEGUI renderer reads nothing through the module; its holder and neighbours are not
    // the drawn window.
    EXPECT_TRUE(ReadsOf("ZuLook/GameEditBox").empty());
    EXPECT_EQ(&Root(), Context().getRootWindow());
}
} // namespace
