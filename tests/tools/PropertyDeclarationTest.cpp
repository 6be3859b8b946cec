// The module's property declarations against the windows that carry them: every module window
// type as the sample skin maps it (its renderer attached, before its look sets anything), and
// as its factory makes it when the skin does not map it. A declared default is what a layout
// writer compares with, so it must be the text that a fresh window reads back, in the
// property's own form; a command reads back nothing and declares nothing; a help text that
// names a value type names the property's.
#include "support/CeguiFixture.h"

#include "SkinWindows.h"

#include <CEGUI/CEGUI.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace
{
using ZuReference::FreshWindow;

const char* const kModuleOrigin = "ZuGUIElements";

struct WindowVariant
{
    std::string name; // the skin type, or the module type when the skin does not map it
    std::string targetType;
    std::string renderer;
    std::string look;
};

std::vector<WindowVariant> ModuleWindowVariants()
{
    std::vector<WindowVariant> variants;
    const std::vector<ZuReference::SkinMapping> mappings = ZuReference::ModuleSkinMappings();
    for (const ZuReference::SkinMapping& mapping : mappings)
        variants.push_back(
            {mapping.windowType, mapping.targetType, mapping.renderer, mapping.look});
    for (const std::string& type : ZuReference::ModuleWindowTypes())
    {
        const bool mapped =
            std::any_of(mappings.begin(), mappings.end(),
                        [&](const ZuReference::SkinMapping& m) { return m.targetType == type; });
        if (!mapped)
            variants.push_back({type, type, "", ""});
    }
    return variants;
}

// Calls `check` with each module property of a fresh window of each variant.
void ForEachModuleProperty(
    const std::function<void(const std::string& where, CEGUI::Window&, CEGUI::Property&)>& check)
{
    for (const WindowVariant& variant : ModuleWindowVariants())
    {
        FreshWindow window(variant.targetType, variant.renderer, variant.look);
        for (auto it = window->getPropertyIterator(); !it.isAtEnd(); ++it)
        {
            CEGUI::Property& property = *it.getCurrentValue();
            if (property.getOrigin() == kModuleOrigin)
                check(variant.name + " " + property.getName().c_str(), *window, property);
        }
    }
}

// Whether `text` is a value of the CEGUI data type `type`, for the plain number and bool
// types; any text passes for the others (the read-back and round trip check them).
bool IsTextOfType(const std::string& type, const std::string& text)
{
    static const std::map<std::string, std::regex> forms = {
        {"bool", std::regex("True|False|true|false")},
        {"int", std::regex("-?[0-9]+")},
        {"uint", std::regex("[0-9]+")},
        {"float", std::regex("-?[0-9]+(\\.[0-9]+)?([eE][-+]?[0-9]+)?")},
    };
    const auto form = forms.find(type);
    return form == forms.end() || std::regex_match(text, form->second);
}

// The CEGUI data type that a help text says its value is ("Value is a int.", "Value is
// either \"True\" or \"False\"."), or "" when it names none of the types checked here.
std::string StatedType(const std::string& help)
{
    if (help.find("either \"True\" or \"False\"") != std::string::npos)
        return "bool";
    static const std::regex statement("Value is (?:an? )?([A-Za-z]+)", std::regex::icase);
    std::smatch match;
    if (!std::regex_search(help, match, statement))
        return "";
    std::string word = match[1];
    std::transform(word.begin(), word.end(), word.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const std::map<std::string, std::string> types = {
        {"int", "int"},     {"integer", "int"},   {"interger", "int"},
        {"uint", "uint"},   {"bool", "bool"},     {"boolean", "bool"},
        {"float", "float"}, {"string", "String"}, {"colour", "Colour"},
    };
    const auto type = types.find(word);
    return type == types.end() ? "" : type->second;
}

class PropertyDeclarationTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        if (!CEGUI::SchemeManager::getSingleton().isDefined("ZuLook"))
            CEGUI::SchemeManager::getSingleton().createFromFile("ZuLook.scheme", "skin");
    }
};

TEST_F(PropertyDeclarationTest, EveryModuleWindowTypeIsWalked)
{
    const std::vector<WindowVariant> variants = ModuleWindowVariants();
    for (const std::string& type : ZuReference::ModuleWindowTypes())
        EXPECT_TRUE(std::any_of(variants.begin(), variants.end(),
                                [&](const WindowVariant& v) { return v.targetType == type; }))
            << type;
}

TEST_F(PropertyDeclarationTest, DefaultsAreWhatAFreshWindowReadsInThePropertysOwnForm)
{
    int checked = 0;
    ForEachModuleProperty(
        [&](const std::string& where, CEGUI::Window& window, CEGUI::Property& property)
        {
            const std::string declared = property.getDefault(&window).c_str();
            if (!property.isReadable())
            {
                EXPECT_EQ("", declared) << where << ": a command reads back nothing";
                return;
            }
            ++checked;
            EXPECT_EQ(declared, property.get(&window).c_str()) << where;
            EXPECT_TRUE(IsTextOfType(property.getDataType().c_str(), declared))
                << where << ": \"" << declared << "\" is no " << property.getDataType();
            if (property.isWritable())
            {
                property.set(&window, declared.c_str());
                EXPECT_EQ(declared, property.get(&window).c_str())
                    << where << ": the default does not read back as written";
            }
        });
    EXPECT_GT(checked, 0);
}

TEST_F(PropertyDeclarationTest, HelpNamesNoOtherTypeThanThePropertys)
{
    ForEachModuleProperty(
        [&](const std::string& where, CEGUI::Window&, CEGUI::Property& property)
        {
            const std::string stated = StatedType(property.getHelp().c_str());
            if (!stated.empty())
            {
                EXPECT_EQ(property.getDataType().c_str(), stated)
                    << where << ": " << property.getHelp();
            }
        });
}

TEST(StatedTypeTest, ReadsTheTypeThatAHelpTextNames)
{
    const struct
    {
        const char* help;
        const char* type;
    } rows[] = {
        {"Property to get/set the index.  Value is a int.", "int"},
        {"Value is a integer.", "int"},
        {"Value is a interger.", "int"},
        {"Value is an int.", "int"},
        {"Value is a uint.", "uint"},
        {"Value is a boolean.", "bool"},
        {"Value is either \"True\" or \"False\".", "bool"},
        {"Value is a float.", "float"},
        {"Value is a string.", "String"},
        {"Value is string", "String"},
        {"Value is Colour", "Colour"},
        {"Value is \"Character\" or \"Word\".", ""},
        {"Value is a UVector2.", ""},
        {"to push a chat", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.type, StatedType(row.help)) << row.help;
}
} // namespace
