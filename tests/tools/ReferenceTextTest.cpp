#include "ReferenceText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace
{
using namespace ZuReference;

TEST(ReferenceTextTest, CellsAreOneLineWithEscapedBars)
{
    const struct
    {
        const char* text;
        const char* cell;
    } rows[] = {
        {"", ""},
        {"a|b", "a\\|b"},
        {"two\nlines", "two lines"},
        {"|\n|", "\\| \\|"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.cell, Cell(row.text)) << row.text;
}

TEST(ReferenceTextTest, CodeListsAreCommaSeparatedOrNone)
{
    const struct
    {
        std::vector<std::string> names;
        const char* list;
    } rows[] = {
        {{}, "none"},
        {{"Alpha"}, "`Alpha`"},
        {{"Alpha", "Text"}, "`Alpha`, `Text`"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.list, CodeList(row.names)) << row.list;
    EXPECT_EQ("`A`, `B`", CodeList(std::set<std::string>{"B", "A"}));
    EXPECT_EQ("", Code(""));
}

TEST(ReferenceTextTest, HeadingAnchorsAndPictureNamesAreMadeFromTypeNames)
{
    const struct
    {
        const char* heading;
        const char* anchor;
    } rows[] = {
        {"ZuLook/ItemIcon", "zulookitemicon"},
        {"ZuGame/CThinkableFrameWindow", "zugamecthinkableframewindow"},
        {"Skin types over CEGUI windows", "skin-types-over-cegui-windows"},
        {"a_b-c (d)", "a_b-c-d"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.anchor, HeadingAnchor(row.heading)) << row.heading;
    EXPECT_EQ("ZuLook-ItemIcon.png", PictureFileName("ZuLook/ItemIcon"));
    EXPECT_EQ("Plain.png", PictureFileName("Plain"));
}

TEST(ReferenceTextTest, FirstDifferingLineCountsFromOneAndIsZeroForEqualTexts)
{
    const struct
    {
        const char* a;
        const char* b;
        std::size_t line;
    } rows[] = {
        {"same\ntext", "same\ntext", 0}, {"a\nb", "x\nb", 1}, {"a\nb\nc", "a\nb\nx", 3},
        {"a\nb", "a\nb\nc", 2},          {"", "a", 1},
    };
    for (const auto& row : rows)
    {
        EXPECT_EQ(row.line, FirstDifferingLine(row.a, row.b)) << row.a << " / " << row.b;
        EXPECT_EQ(row.line, FirstDifferingLine(row.b, row.a)) << row.b << " / " << row.a;
    }
}

TEST(ReferenceTextTest, EventDefinitionsAreTheClassesEventStringsButTheirNamespace)
{
    const std::string source =
        "const CEGUI::String CItemIcon::EventNamespace(\"ItemIcon\");\n"
        "const CEGUI::String CItemIcon::EventPicked(\"IconPicked\");\n"
        "const CEGUI::String CItemIcon::WidgetTypeName(\"ZuGame/ItemIcon\");\n"
        "const CEGUI::String GameProgressBar::EventAdvancedToOne(\n"
        "    \"AdvancedToOne\");\n"
        "static const CEGUI::String EventThink;\n"
        "const CEGUI::String ZuWindow::EventGameObjectCreated = \"x\";\n";
    std::set<std::string> definitions{"Earlier::EventKept"};
    AddEventDefinitions(source, definitions);
    EXPECT_EQ((std::set<std::string>{"CItemIcon::EventPicked", "Earlier::EventKept",
                                     "GameProgressBar::EventAdvancedToOne",
                                     "ZuWindow::EventGameObjectCreated"}),
              definitions);
}
} // namespace
