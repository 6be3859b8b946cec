#include "support/CeguiFixture.h"

#include "SampleLayouts.h"

#include <CEGUI/Exceptions.h>

#include <gtest/gtest.h>

namespace
{
using ZuReference::LayoutWindow;
using ZuReference::ParseLayoutWindows;
using ZuReference::PropertyValues;

class SampleLayoutsTest : public ZuTest::CeguiTest
{
};

TEST_F(SampleLayoutsTest, WindowsKeepTheirParentsTypeAndTheirPropertiesInOrder)
{
    const char* const layout = R"(<?xml version="1.0" ?>
<GUILayout version="4">
  <Window type="ZuLook/Panel" name="Top">
    <Property name="Area" value="{{0,0},{0,0},{1,0},{1,0}}"/>
    <Window type="ZuLook/PercentBar" name="Bar">
      <Property name="Style" value="Slim"/>
      <Property name="Text">Two
lines</Property>
      <Event name="Clicked" function="OnBar"/>
    </Window>
    <AutoWindow namePath="__auto_titlebar__">
      <Property name="Text" value="Title"/>
      <Window type="ZuLook/ItemIcon" name="Icon"/>
    </AutoWindow>
    <Window type="ZuLook/ItemIcon" name="Second"/>
  </Window>
</GUILayout>)";
    const std::vector<LayoutWindow> windows = ParseLayoutWindows(layout);
    const struct
    {
        const char* type;
        const char* parentType;
        PropertyValues properties;
    } expected[] = {
        {"ZuLook/Panel", "", {{"Area", "{{0,0},{0,0},{1,0},{1,0}}"}}},
        {"ZuLook/PercentBar", "ZuLook/Panel", {{"Style", "Slim"}, {"Text", "Two\nlines"}}},
        // In an automatic part: the layout does not say of which type.
        {"ZuLook/ItemIcon", "", {}},
        {"ZuLook/ItemIcon", "ZuLook/Panel", {}},
    };
    ASSERT_EQ(std::size(expected), windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i)
    {
        EXPECT_EQ(expected[i].type, windows[i].type) << i;
        EXPECT_EQ(expected[i].parentType, windows[i].parentType) << i;
        EXPECT_EQ(expected[i].properties, windows[i].properties) << i;
    }
}

TEST_F(SampleLayoutsTest, MalformedLayoutsThrowCeguisException)
{
    EXPECT_THROW(ParseLayoutWindows("<GUILayout><Window type=\"A\">"), CEGUI::Exception);
    EXPECT_TRUE(ParseLayoutWindows("<GUILayout version=\"4\"/>").empty());
}

TEST_F(SampleLayoutsTest, TheSampleSkinsLayoutsAreRead)
{
    const std::vector<LayoutWindow> windows = ZuReference::ReadLayoutWindows("skin");
    // The demo's HUD shows a slim percent bar.
    EXPECT_TRUE(std::any_of(
        windows.begin(), windows.end(),
        [](const LayoutWindow& window)
        {
            return window.type == "ZuLook/PercentBar" &&
                   std::count(window.properties.begin(), window.properties.end(),
                              std::make_pair(std::string("Style"), std::string("Slim")));
        }));
}
} // namespace
