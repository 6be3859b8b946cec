#include "public/MarkupText.h"

#include <gtest/gtest.h>

namespace
{
TEST(MarkupTextTest, EscapingDoublesEveryBraceAndUnescapingUndoesIt)
{
    const struct
    {
        const char* text;
        const char* markup;
    } cases[] = {
        {"plain", "plain"},
        {"{I 1001:[Legendary Blade]}", "{{I 1001:[Legendary Blade]}}"},
        {"}{", "}}{{"},
        {"{{}}", "{{{{}}}}"},
        {"caf\xC3\xA9 {x}", "caf\xC3\xA9 {{x}}"},
        {"", ""},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.markup, EscapeMarkup(c.text)) << c.text;
        EXPECT_EQ(c.text, MarkupText::Unescape(std::string(c.markup))) << c.markup;
    }
}

TEST(MarkupTextTest, PlayerMessagesKeepOnlyTheAllowedTags)
{
    const struct
    {
        const char* message;
        const char* kept;
    } cases[] = {
        {"wts {I 1001:[Iron Sword]} {E 3}", "wts {I 1001:[Iron Sword]} {E 3}"},
        {"{M /kick Bob:click}", "{{M /kick Bob:click}"},
        {"{C /evil:    }{Ak 0,-1}{N Alice}: trade?", "{{C /evil:    }{{Ak 0,-1}{{N Alice}: trade?"},
        // A tag left open at the end is closed: nothing after the message joins it.
        {"look {I 5:[Pelt]", "look {I 5:[Pelt]}"},
        {"{I 5:[a}}b]} ok", "{I 5:[a}}b]} ok"},
        // Escapes keep their meaning; a "{" that opens nothing is escaped.
        {"{{I 5:x}} a{ {Zz y} {", "{{I 5:x}} a{{ {{Zz y} {{"},
        {"{E", "{{E"},
        {"{Ii 5:x}", "{{Ii 5:x}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.kept, KeepMarkupTags(c.message)) << c.message;

    EXPECT_EQ("{N Bo} {{I 1:x}", KeepMarkupTags("{N Bo} {I 1:x}", {"N"}));
    EXPECT_EQ("{{E 1}", KeepMarkupTags("{E 1}", {}));
}
} // namespace
