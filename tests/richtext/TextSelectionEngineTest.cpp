#include "support/text/RichTextFixture.h"

#include "ZuGUIElements/richtext/TextSelection.h"
#include "public/MarkupText.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
using ZuGUI::TextIndex;
using ZuGUI::TextSelection::Range;

class TextSelectionEngineTest : public ZuTest::RichTextTest
{
protected:
    // The shown text of `range`.
    CEGUI::String Selected(const Range& range) const
    {
        std::vector<ZuGUI::TextSelection::CopiedLink> links;
        return Copy(range, links);
    }

    CEGUI::String Copy(const Range& range,
                       std::vector<ZuGUI::TextSelection::CopiedLink>& links) const
    {
        std::vector<CEGUI::utf32> text;
        ZuGUI::TextSelection::AppendSelectedText(view, Doc(), range, text, links);
        return MarkupText::MakeText<CEGUI::String>(text);
    }
};

CEGUI::String Utf8(const char* text)
{
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(text));
}

TEST_F(TextSelectionEngineTest, WordsFollowUnicodeWordBoundaries)
{
    const struct
    {
        const char* markup;
        const char* clicked; // the text before the clicked character
        const char* word;
    } cases[] = {
        {u8"naïve café, déjà vu", u8"naïve ca", u8"café"},
        {u8"it's {T gold:gold} now", "it", "it's"},
        {u8"东京タワー is tall", "", u8"东京"}, // a word of ICU's dictionary
        {"a    b", "a  ", " "},
        {"wait... what", "wait.", "."},
        {"x\ny", "", "x"},
        {"x\ny", "x\n", "y"},
    };
    for (const auto& check : cases)
    {
        Format(Utf8(check.markup));
        const CEGUI::String markup = Utf8(check.markup);
        const CEGUI::String before = Utf8(check.clicked);
        const ZuGUI::TextIndex index = markup.find(before) + before.length();
        EXPECT_EQ(Utf8(check.word), Selected(ZuGUI::TextSelection::WordAt(view, Doc(), index)))
            << check.markup;
    }
}

TEST_F(TextSelectionEngineTest, PointsAwayFromTheTextMeetItsNearestBoundary)
{
    Format("ab\n\ncd {P 1:1} ef");
    const float lineHeight = Lines()[0]->GetArea().getHeight();
    const struct
    {
        CEGUI::Vector2f point;
        ZuGUI::TextIndex index;
    } cases[] = {
        {{-50, -50}, 0},                 // above the text
        {{5000, lineHeight / 2}, 2},     // right of "ab": before its line feed
        {{1, lineHeight * 1.5f}, 3},     // the empty line
        {{1, lineHeight * 2.5f}, 4},     // the start of "cd"
        {{5000, lineHeight * 2.5f}, 17}, // after "ef", the end of the text
        {{5000, lineHeight * 50}, 17},   // below the text
        {{Extent("a") * 0.4f, lineHeight / 2}, 0},
        {{Extent("a") * 0.6f, lineHeight / 2}, 1},
    };
    for (const auto& check : cases)
        EXPECT_EQ(check.index, ZuGUI::TextSelection::IndexAt(view, Doc(), check.point))
            << check.point.d_x << ", " << check.point.d_y;
    EXPECT_EQ("ab\n\ncd  ef", Selected(ZuGUI::TextSelection::WholeText(Doc())))
        << "the picture copies as nothing";
}
TEST_F(TextSelectionEngineTest, ALinkCopiesAsOneLinkOnlyWhenItsWholeNameIsSelected)
{
    using ZuGUI::TextSelection::CopiedLink;
    const CEGUI::String sword = "[Iron Sword of the Long Night]";
    const float narrow = Extent(sword) / 2.5f;
    const Range all{0, ZuGUI::kNoText};
    // Selections from the start of a line of the document to the end of the text.
    const auto fromLine = [this](std::size_t line)
    {
        const auto* first = Lines()[line]->GetBlocks().front()->AsPlainText();
        return Range{first->GetTextStart(), ZuGUI::kNoText};
    };
    const struct
    {
        const char* markup;
        float width;
        std::function<Range()> range;
        std::vector<CopiedLink> links;
    } cases[] = {
        {"{I 31:[Iron Sword of the Long Night]}", narrow, [&] { return all; }, {{31, 0, 30}}},
        {"{I 31:[a}}b]}", kWidth, [&] { return all; }, {{31, 0, 5}}},
        {"x {I 1:a}{I 2:b}", kWidth, [&] { return all; }, {{1, 2, 1}, {2, 3, 1}}},
        // A part of a name is text.
        {"{I 31:[Iron Sword of the Long Night]}", narrow, [&] { return fromLine(1); }, {}},
        // "[a}" is [6, 9) of the markup, "b]" [10, 12).
        {"{I 31:[a}}b]}",
         kWidth,
         [&] {
             return Range{7, ZuGUI::kNoText};
         },
         {}},
        {"{I 31:[a}}b]}",
         kWidth,
         [&] {
             return Range{0, 9};
         },
         {}},
        // A name that draws nothing is no link at all.
        {"hello {I 5:\u200B\u200E\u2060}world", kWidth, [&] { return all; }, {}},
    };
    for (const auto& check : cases)
    {
        Format(Utf8(check.markup), check.width);
        std::vector<CopiedLink> links;
        Copy(check.range(), links);
        EXPECT_EQ(check.links, links) << check.markup;
    }
}

// A message out of sight is copied from its parsed text: every selection of a text laid out
// whole gives the same characters and links from either.
TEST_F(TextSelectionEngineTest, TheParsedTextCopiesAsItsLayoutDoes)
{
    using ZuGUI::TextSelection::CopiedLink;
    const char* const markups[] = {
        "{N Al}: {I 7:[a}}b]} x{P 1:2}{I 8:c}\nline {{two}}",
        "{I 3:[Iron Sword]}? and {T gold:gold}\n\n{I 4:\u200B}end",
    };
    for (const char* markup : markups)
    {
        Format(Utf8(markup), 1000.0f);
        const CEGUI::String& text = view.text;
        int withLinks = 0;
        for (TextIndex start = 0; start <= text.length(); ++start)
        {
            for (TextIndex end = start; end <= text.length() + 1; ++end)
            {
                const Range range{start, end};
                std::vector<CopiedLink> laidOutLinks;
                const CEGUI::String laidOut = Copy(range, laidOutLinks);
                std::vector<CEGUI::utf32> parsed;
                std::vector<CopiedLink> parsedLinks;
                ZuGUI::TextSelection::AppendSelectedText(Doc().GetParagraph(), text, range, parsed,
                                                         parsedLinks);
                ASSERT_EQ(laidOut, MarkupText::MakeText<CEGUI::String>(parsed))
                    << markup << " [" << start << "," << end << ")";
                ASSERT_EQ(laidOutLinks, parsedLinks)
                    << markup << " [" << start << "," << end << ")";
                withLinks += parsedLinks.empty() ? 0 : 1;
            }
        }
        EXPECT_GT(withLinks, 0) << markup;
    }
}
} // namespace
