#include "support/CeguiFixture.h"
#include "support/QuadGeometry.h"
#include "support/RecordingHost.h"
#include "support/TestLogger.h"

#include "ZuGUIElements/textwidgets/ChatEditBox.h"
#include "ZuGUIElements/textwidgets/EditLineLayout.h"
#include "ZuGUIElements/textwidgets/RichContentEdit.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <string>
#include <utility>
#include <vector>

namespace
{
using ZuGUI::EditLineLayout;
using ZuTest::Quad;

CEGUI::String Utf8(const char* text)
{
    return CEGUI::String(reinterpret_cast<const CEGUI::utf8*>(text));
}

const CEGUI::Font& DefaultFont()
{
    return CEGUI::FontManager::getSingleton().get(ZuTest::kDefaultFont);
}

// The width of the first `glyphs` characters of `shown` as the default font draws them.
float AdvanceTo(const CEGUI::String& shown, std::size_t glyphs)
{
    return DefaultFont().getTextAdvance(shown.substr(0, glyphs));
}

// A text, the characters it shows left to right, and for each caret position 0..length the
// number of those characters left of the caret.
struct ShownLine
{
    const char* name;
    const char* text;
    const char* shown;
    std::vector<std::size_t> caretAfterGlyphs;
};

const ShownLine kShownLines[] = {
    {"Hebrew", "שלום", "םולש", {4, 3, 2, 1, 0}},
    // seen initial, lam-alef final (the alef shows nothing of its own), meem isolated.
    {"Arabic with a lam-alef", "سلام", "\uFEE1\uFEFC\uFEB3", {3, 2, 1, 1, 0}},
    {"Arabic initial, medial, final", "بيت", "\uFE96\uFEF4\uFE91", {3, 2, 1, 0}},
    // An Arabic number after Arabic is right to left between its letters, its digits in order.
    {"Arabic and a number", "سلام 25", "25 \uFEE1\uFEFC\uFEB3", {6, 5, 4, 4, 3, 2, 1, 2}},
    {"Hebrew, a name and a number",
     "שלום Bob 42",
     "Bob 42 םולש",
     {11, 10, 9, 8, 7, 6, 1, 2, 3, 4, 5, 6}},
    {"a name, Hebrew and a number",
     "Bob: שלום 42",
     "Bob: 42 םולש",
     {0, 1, 2, 3, 4, 5, 11, 10, 9, 8, 7, 6, 7}},
    {"mirrored parentheses", "(שלום)", "(םולש)", {6, 5, 4, 3, 2, 1, 0}},
    {"mirrored brackets round a Latin letter", "שלום [x]", "[x] םולש", {8, 7, 6, 5, 4, 3, 2, 2, 0}},
    {"an override, its controls not shown", "\u202Eabc\u202C", "cba", {0, 0, 2, 1, 0, 0}},
};

class EditLineLayoutTest : public ZuTest::CeguiTest
{
};

TEST_F(EditLineLayoutTest, ShowsRunsInDisplayOrderLettersJoinedAndBracketsMirrored)
{
    EditLineLayout layout;
    for (const ShownLine& line : kShownLines)
    {
        layout.Layout(Utf8(line.text), DefaultFont());
        EXPECT_EQ(Utf8(line.shown), layout.Shown()) << line.name;
        EXPECT_FLOAT_EQ(DefaultFont().getTextAdvance(Utf8(line.shown)), layout.Width())
            << line.name;
        // The font has every character shown, so that the positions below tell them apart.
        for (const EditLineLayout::Slot& slot : layout.Slots())
            EXPECT_TRUE(slot.shown == EditLineLayout::kNothingShown || slot.advance > 0)
                << line.name << " " << slot.shown;
    }
}

TEST_F(EditLineLayoutTest, CaretStandsAtTheTrailingEdgeOfTheCodePointBeforeIt)
{
    EditLineLayout layout;
    for (const ShownLine& line : kShownLines)
    {
        const CEGUI::String text = Utf8(line.text);
        ASSERT_EQ(text.length() + 1, line.caretAfterGlyphs.size()) << line.name;
        layout.Layout(text, DefaultFont());
        for (std::size_t position = 0; position <= text.length(); ++position)
            EXPECT_FLOAT_EQ(AdvanceTo(Utf8(line.shown), line.caretAfterGlyphs[position]),
                            layout.CaretX(position))
                << line.name << " at " << position;
        // Past the end is the end.
        EXPECT_EQ(layout.CaretX(text.length()), layout.CaretX(text.length() + 5)) << line.name;
    }
}

void ExpectSameQuads(const std::vector<Quad>& expected, const std::vector<Quad>& actual,
                     const std::string& name)
{
    ASSERT_EQ(expected.size(), actual.size()) << name;
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_FLOAT_EQ(expected[i].rect.left(), actual[i].rect.left()) << name << " quad " << i;
        EXPECT_FLOAT_EQ(expected[i].rect.right(), actual[i].rect.right()) << name << " quad " << i;
        EXPECT_FLOAT_EQ(expected[i].rect.top(), actual[i].rect.top()) << name << " quad " << i;
        EXPECT_EQ(expected[i].colour, actual[i].colour) << name << " quad " << i;
    }
}

std::size_t IndexAt(CEGUI::Editbox& input, const CEGUI::Vector2f& point)
{
    return static_cast<CEGUI::EditboxWindowRenderer*>(input.getWindowRenderer())
        ->getTextIndexFromPosition(point);
}

const CEGUI::Colour kActiveSelection(0xFF607FFF);

class ChatInputDisplayOrderTest : public ZuTest::CeguiTest
{
protected:
    static constexpr const char* kFalagardInput = "ZuTest/ChatEditBox";
    static constexpr const char* kDisplayOrderInput = "ZuTest/DisplayOrderChatEditBox";

    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("EditBoxTest");
        CEGUI::WindowFactoryManager& factories = CEGUI::WindowFactoryManager::getSingleton();
        if (!factories.isFalagardMappedType(kDisplayOrderInput))
            factories.addFalagardWindowMapping(kDisplayOrderInput, "ZuGame/ChatEditBox",
                                               "TaharezLook/Editbox",
                                               CEGUI::CRichContentEditRenderer::TypeName);
    }

    CEGUI::Editbox& CreateInput(const char* type = kDisplayOrderInput, float width = 300,
                                const char* name = "Input")
    {
        return static_cast<CEGUI::Editbox&>(CreateChild(type, name, 10, 10, width, 30));
    }

    // The quads of a new, active input of `type` with `text`, its caret at `caret` and the
    // selection [start, end), drawn once.
    std::vector<Quad> Drawn(const char* type, const CEGUI::String& text, std::size_t caret,
                            std::size_t start = 0, std::size_t end = 0,
                            const char* formatting = "LeftAligned", bool masked = false)
    {
        CEGUI::Editbox& input = CreateInput(type);
        input.setProperty("TextFormatting", formatting);
        input.setTextMasked(masked);
        input.setText(text);
        input.activate();
        input.setCaretIndex(caret);
        input.setSelection(start, end);
        RenderFrame();
        std::vector<Quad> quads = ZuTest::WindowQuads(input);
        CEGUI::WindowManager::getSingleton().destroyWindow(&input);
        return quads;
    }

    // Clicks the input at window x `x`, its vertical middle, as a single click however near
    // the one before.
    void ClickAt(CEGUI::Window& input, float x)
    {
        input.setWantsMultiClickEvents(false);
        const CEGUI::Vector2f point =
            input.getUnclippedOuterRect().get().getPosition() + CEGUI::Vector2f(x, 15);
        Context().injectMousePosition(point.d_x, point.d_y);
        Context().injectMouseButtonDown(CEGUI::LeftButton);
        Context().injectMouseButtonUp(CEGUI::LeftButton);
    }
};

TEST_F(ChatInputDisplayOrderTest, DrawsWhatAFalagardBoxDrawsForTheDisplayStringAlignedToItsStart)
{
    for (const ShownLine& line : kShownLines)
    {
        const CEGUI::String text = Utf8(line.text);
        const bool rightToLeft = line.caretAfterGlyphs.front() != 0;
        for (const std::size_t caret : {std::size_t(0), text.length() / 2, text.length()})
        {
            const std::vector<Quad> expected =
                Drawn(kFalagardInput, Utf8(line.shown), line.caretAfterGlyphs[caret], 0, 0,
                      rightToLeft ? "RightAligned" : "LeftAligned");
            ExpectSameQuads(expected, Drawn(kDisplayOrderInput, text, caret),
                            std::string(line.name) + ", caret " + std::to_string(caret));
        }
    }
    // A right-aligned look puts a right-to-left paragraph at the left.
    ExpectSameQuads(Drawn(kFalagardInput, Utf8("םולש"), 0, 0, 0, "LeftAligned"),
                    Drawn(kDisplayOrderInput, Utf8("שלום"), 4, 0, 0, "RightAligned"),
                    "mirrored alignment");
}

TEST_F(ChatInputDisplayOrderTest, SelectionIsHighlightedOverEachVisualPieceItCovers)
{
    using Spans = std::vector<std::pair<std::size_t, std::size_t>>;
    const struct
    {
        const char* text;
        const char* shown;
        std::size_t start;
        std::size_t end;
        // Each highlighted piece, as the characters of `shown` before its left and right.
        Spans glyphs;
    } cases[] = {
        {"Bob: שלום 42", "Bob: 42 םולש", 3, 7, {{3, 5}, {10, 12}}},
        {"שלום Bob 42", "Bob 42 םולש", 2, 7, {{0, 2}, {6, 9}}},
        {"שלום Bob 42", "Bob 42 םולש", 0, 11, {{0, 11}}},
        {"سلام", "\uFEE1\uFEFC\uFEB3", 1, 3, {{1, 2}}},
        // The alef alone has no width of its own: nothing shows.
        {"سلام", "\uFEE1\uFEFC\uFEB3", 2, 3, {}},
    };
    for (const auto& entry : cases)
    {
        SCOPED_TRACE(entry.text);
        const CEGUI::String shown = Utf8(entry.shown);
        const std::vector<Quad> quads =
            Drawn(kDisplayOrderInput, Utf8(entry.text), 0, entry.start, entry.end);
        // The caret, drawn last, stands at the paragraph's start edge: the line's left end.
        EditLineLayout layout;
        layout.Layout(Utf8(entry.text), DefaultFont());
        const float lineLeft = quads.back().rect.left() - layout.CaretX(0);
        std::vector<Quad> highlights;
        for (const Quad& quad : quads)
            if (quad.colour == kActiveSelection)
                highlights.push_back(quad);
        ASSERT_EQ(entry.glyphs.size(), highlights.size());
        for (std::size_t i = 0; i < highlights.size(); ++i)
        {
            EXPECT_FLOAT_EQ(lineLeft + AdvanceTo(shown, entry.glyphs[i].first),
                            highlights[i].rect.left());
            EXPECT_FLOAT_EQ(lineLeft + AdvanceTo(shown, entry.glyphs[i].second),
                            highlights[i].rect.right());
        }
    }
}

TEST_F(ChatInputDisplayOrderTest, AClickAtACaretsPlacePutsTheCaretThere)
{
    CEGUI::Editbox& input = CreateInput();
    EditLineLayout layout;
    for (const ShownLine& line : kShownLines)
    {
        const CEGUI::String text = Utf8(line.text);
        input.setText(text);
        layout.Layout(text, DefaultFont());
        for (std::size_t position = 0; position <= text.length(); ++position)
        {
            input.activate();
            input.setCaretIndex(position);
            RenderFrame();
            const float caretLeft = ZuTest::WindowQuads(input).back().rect.left();
            input.setCaretIndex(position == 0 ? text.length() : 0);
            ClickAt(input, caretLeft);
            // The same place, though it may be another position there (after a lam-alef's
            // lam or its alef, on either side of a control).
            EXPECT_FLOAT_EQ(layout.CaretX(position), layout.CaretX(input.getCaretIndex()))
                << line.name << " at " << position << " gave " << input.getCaretIndex();
        }
    }
    // Past either end of the line is its nearest end.
    input.setText(Utf8("שלום"));
    ClickAt(input, 295);
    EXPECT_EQ(0u, input.getCaretIndex());
    ClickAt(input, 1);
    EXPECT_EQ(4u, input.getCaretIndex());
}

TEST_F(ChatInputDisplayOrderTest, LeftToRightAndMaskedTextDrawAndTakeClicksAsBefore)
{
    const struct
    {
        const char* name;
        const char* text;
        std::size_t caret;
        std::size_t start;
        std::size_t end;
        const char* formatting;
        bool masked;
    } cases[] = {
        {"plain words", "plain words", 3, 0, 0, "LeftAligned", false},
        {"a selection", "buy [Sword] now", 15, 4, 11, "LeftAligned", false},
        {"right aligned", "gg all", 2, 1, 3, "RightAligned", false},
        {"centred", "gg all", 6, 0, 0, "HorzCentred", false},
        {"masked Hebrew", "שלום 42", 2, 1, 4, "LeftAligned", true},
        {"longer than the box",
         "the keep gate is open, bring potions and pelts for the raid "
         "at nine, we meet at the bridge",
         70, 0, 0, "LeftAligned", false},
    };
    for (const auto& entry : cases)
    {
        const CEGUI::String text = Utf8(entry.text);
        ExpectSameQuads(Drawn(kFalagardInput, text, entry.caret, entry.start, entry.end,
                              entry.formatting, entry.masked),
                        Drawn(kDisplayOrderInput, text, entry.caret, entry.start, entry.end,
                              entry.formatting, entry.masked),
                        entry.name);
        CEGUI::Editbox& falagard = CreateInput(kFalagardInput, 300, "Falagard");
        CEGUI::Editbox& subject = CreateInput(kDisplayOrderInput, 300, "Subject");
        for (CEGUI::Editbox* input : {&falagard, &subject})
        {
            input->setTextMasked(entry.masked);
            input->setText(text);
        }
        for (float x : {0.0f, 14.0f, 40.0f, 120.0f, 400.0f})
        {
            const CEGUI::Vector2f point(x, 20);
            EXPECT_EQ(IndexAt(falagard, point), IndexAt(subject, point))
                << entry.name << " at " << x;
        }
        CEGUI::WindowManager::getSingleton().destroyWindow(&falagard);
        CEGUI::WindowManager::getSingleton().destroyWindow(&subject);
    }
}

TEST_F(ChatInputDisplayOrderTest, TheTextTypedAndSentStaysInLogicalOrder)
{
    ZuTest::RecordingHost host;
    ZuTest::ScopedHost scopedHost(&host);
    host.scriptStrings["gFn_make_chat_item_text:17"] = "{I 17:[item 17]}";
    auto& input = static_cast<ZuGUI::CChatEditBox&>(CreateInput());
    input.activate();
    Type(Utf8("מחיר 35 "));
    input.setProperty("PushId", "17");
    input.setProperty("PushText", Utf8("[חרב]"));
    Type(Utf8(" سلام"));
    RenderFrame();
    EXPECT_EQ(Utf8("מחיר 35 [חרב] سلام"), input.getText());
    EXPECT_EQ(Utf8("מחיר 35 {I 17:[item 17]} سلام"), input.getProperty("EncodedText"));
    EXPECT_EQ(input.getText().length(), input.getCaretIndex());
}

TEST_F(ChatInputDisplayOrderTest, TheCaretStaysInViewInALineWiderThanTheBox)
{
    CEGUI::String text;
    for (int i = 0; i < 12; ++i)
        text += Utf8(i % 2 ? "שלום 12 " : "سلام Bob ");
    CEGUI::Editbox& input = CreateInput(kDisplayOrderInput, 120);
    input.setText(text);
    input.activate();
    EditLineLayout layout;
    layout.Layout(text, DefaultFont());
    ASSERT_GT(layout.Width(), 300.0f);
    const std::size_t length = text.length();
    // Typing goes on at the left end, Home goes to the right end, then about the middle.
    for (const std::size_t caret : {length, std::size_t(0), length / 2, length, std::size_t(1)})
    {
        input.setCaretIndex(caret);
        RenderFrame();
        const Quad caretQuad = ZuTest::WindowQuads(input).back();
        // The text area is 3 pixels in from each side.
        EXPECT_GE(caretQuad.rect.left(), 3.0f) << caret;
        EXPECT_LE(caretQuad.rect.right(), 117.0f) << caret;
    }
}

TEST_F(ChatInputDisplayOrderTest, HostileTextDrawsAndTakesClicksWithoutFailing)
{
    CEGUI::String nested;
    for (int i = 0; i < 200; ++i)
        nested += CEGUI::utf32(i % 2 ? 0x202B : 0x202A);
    nested += Utf8("שלום abc");
    CEGUI::String invalid = Utf8("שלום ");
    for (const CEGUI::utf32 codePoint : {0x110000u, 0xFFFFFFFFu, 0xD800u, 0x644u})
        invalid += codePoint;
    const CEGUI::String texts[] = {Utf8("\u202Eabc 12"), Utf8("\u202E"), nested, invalid};
    CEGUI::Editbox& input = CreateInput();
    ZuTest::TestLogger::Get().Clear();
    for (const CEGUI::String& text : texts)
    {
        input.setText(text);
        input.activate();
        for (const std::size_t caret : {std::size_t(0), text.length() / 2, text.length()})
        {
            input.setCaretIndex(caret);
            input.setSelection(caret / 2, caret);
            RenderFrame();
            const Quad caretQuad = ZuTest::WindowQuads(input).back();
            EXPECT_GE(caretQuad.rect.left(), 3.0f);
            EXPECT_LE(caretQuad.rect.right(), 297.0f);
            ClickAt(input, caretQuad.rect.left());
            EXPECT_LE(input.getCaretIndex(), text.length());
        }
    }
    EXPECT_THAT(ZuTest::TestLogger::Get().Lines(),
                ::testing::Not(::testing::Contains(::testing::HasSubstr("failed"))));
}
} // namespace
