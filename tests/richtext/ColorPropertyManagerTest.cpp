#include "ZuGUIElements/richtext/ColorPropertyManager.h"

#include <gtest/gtest.h>

namespace
{
using ZuGUI::TextParser::CColorPropertyManager;

CColorPropertyManager& Colors()
{
    return CColorPropertyManager::Instance();
}

TEST(ColorPropertyManagerTest, UnregisteredNamesGiveTheDefaultPairOfOpaqueWhiteOnBlack)
{
    const auto& fallback = Colors().GetColor("never registered");
    EXPECT_EQ(&Colors().GetDefaultColor(), &fallback);
    EXPECT_EQ(0xFFFFFFFFu, fallback.text);
    EXPECT_EQ(0xFF000000u, fallback.second);
}

TEST(ColorPropertyManagerTest, NamesMatchExactlyAndReRegisteringReplaces)
{
    Colors().RegisterColorByString("crimson", "FFFF0000", "FF000000");
    EXPECT_EQ(0xFFFF0000u, Colors().GetColor("crimson").text);
    EXPECT_EQ(0xFF000000u, Colors().GetColor("crimson").second);
    EXPECT_EQ(0xFFFFFFFFu, Colors().GetColor("Crimson").text);
    EXPECT_EQ(0xFFFFFFFFu, Colors().GetColor("crimson ").text);

    Colors().RegisterColorByString("crimson", "FF00FF00", "80102030");
    EXPECT_EQ(0xFF00FF00u, Colors().GetColor("crimson").text);
    EXPECT_EQ(0x80102030u, Colors().GetColor("crimson").second);
}

TEST(ColorPropertyManagerTest, ClickColoursKeepTheirOrder)
{
    Colors().SetClickColorByString("FF00FF00", "80FFFFFF", "FFFFFF00");
    EXPECT_EQ(0xFF00FF00u, Colors().GetClickColors().command);
    EXPECT_EQ(0x80FFFFFFu, Colors().GetClickColors().hoverHighlight);
    EXPECT_EQ(0xFFFFFF00u, Colors().GetClickColors().hoverText);
}

TEST(ColorPropertyManagerTest, MalformedArgumentsAreStoredAsCeguiReadsThemOrIgnored)
{
    // A short text is read as far as it goes; a missing one is CEGUI's opaque black.
    Colors().RegisterColorByString("short", "FFFF", nullptr);
    EXPECT_EQ(0x0000FFFFu, Colors().GetColor("short").text);
    EXPECT_EQ(0xFF000000u, Colors().GetColor("short").second);

    Colors().RegisterColorByString(nullptr, "FF123456", "FF123456");
    EXPECT_EQ(0xFFFFFFFFu, Colors().GetColor("").text);

    // A truncated UTF-8 sequence becomes U+FFFD instead of being read past its end.
    Colors().RegisterColorByString("bad\xE2\x82", "FF010203", "FF000000");
    CEGUI::String replaced("bad");
    replaced += CEGUI::utf32(0xFFFD);
    EXPECT_EQ(0xFF010203u, Colors().GetColor(replaced).text);
}
} // namespace
