#include "support/CeguiFixture.h"
#include "support/TestClipboard.h"

#include "ZuGUIElements/platform/Clipboard.h"
#include "ZuGUIElements/textwidgets/GameEditBox.h"
#include "ZuGUIElements/textwidgets/GameMultilineEditbox.h"
#include "ZuGUIElements/textwidgets/WrapSafeMultiLineEditbox.h"
#include "public/CodePage.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <cctype>

#include <optional>

namespace
{
using ZuGUI::CGameEditBox;
using ZuTest::TestClipboard;

// Counts the events it is subscribed to.
CEGUI::Event::Subscriber Counting(int& count)
{
    return CEGUI::Event::Subscriber(
        [&count](const CEGUI::EventArgs&)
        {
            ++count;
            return true;
        });
}

// Accepts lower-case letters and spaces: CEGUI as Debian builds it has no regex library.
class LowerCaseValidator : public CEGUI::RegexMatcher
{
public:
    void setRegexString(const CEGUI::String& regex) override { d_regex = regex; }
    const CEGUI::String& getRegexString() const override { return d_regex; }
    MatchState getMatchStateOfString(const CEGUI::String& text) const override
    {
        for (CEGUI::String::size_type i = 0; i < text.length(); ++i)
        {
            if (text[i] != ' ' && (text[i] < 'a' || text[i] > 'z'))
                return MS_INVALID;
        }
        return MS_VALID;
    }

private:
    CEGUI::String d_regex;
};

class EditBoxTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("EditBoxTest");
        m_desktop.emplace();
    }

    void TearDown() override
    {
        m_desktop.reset();
        SetSystemCodePage(nullptr);
        CeguiTest::TearDown();
    }

    // An active box, so that typed characters reach it.
    template <typename Box = CGameEditBox>
    Box& CreateBox(const char* type = "ZuTest/GameEditBox", const char* name = "Edit")
    {
        auto& box = static_cast<Box&>(CreateChild(type, name, 10, 10, 200, 30));
        box.activate();
        return box;
    }

    // A Control+key character, as the desktop delivers Ctrl+C (3), Ctrl+V (0x16), Ctrl+X (0x18).
    void Control(CEGUI::utf32 codepoint)
    {
        Context().injectKeyDown(CEGUI::Key::LeftControl);
        Context().injectChar(codepoint);
        Context().injectKeyUp(CEGUI::Key::LeftControl);
    }

    // The desktop's clipboard; none once the test takes it away.
    TestClipboard& Desktop() { return *m_desktop; }
    void RemoveDesktopClipboard() { m_desktop.reset(); }

private:
    std::optional<TestClipboard> m_desktop;
};

TEST_F(EditBoxTest, NumericBoxKeepsDigitsUpToItsMaximum)
{
    CGameEditBox& box = CreateBox();
    box.setProperty("Numeric", "True");
    box.setProperty("MaxNumber", "500");
    int invalid = 0;
    box.subscribeEvent(CGameEditBox::EventInvalidEntryAttempted, Counting(invalid));
    Type("99x");
    EXPECT_EQ("99", box.getText());
    EXPECT_EQ(0, invalid);
    Type("6");
    EXPECT_EQ("500", box.getText());
    EXPECT_EQ(0u, box.getCaretIndex());
    EXPECT_EQ(1, invalid);

    // A number past 32 bits is above every maximum: it never wraps round to a small one.
    box.setProperty("MaxNumber", "4294967295");
    box.setText("");
    Type("4294967296");
    EXPECT_EQ("4294967295", box.getText());
    EXPECT_EQ(2, invalid);
}

TEST_F(EditBoxTest, NumericPasteTakesOnlyDigitCountsOfOneOrMore)
{
    CGameEditBox& box = CreateBox();
    box.setProperty("Numeric", "True");
    box.setProperty("MaxNumber", "1000");
    const struct
    {
        const char* pasted;
        const char* text;
    } cases[] = {
        {"0", ""},    {"-3", ""},       {"0x10", ""}, {"12", "12"},  {"99999999999999999999", ""},
        {"2000", ""}, {"12 pelts", ""}, {" 7", ""},   {"007", "007"}};
    for (const auto& entry : cases)
    {
        SCOPED_TRACE(entry.pasted);
        box.setText("");
        Desktop().Hold(entry.pasted);
        Control(0x16);
        EXPECT_EQ(entry.text, box.getText());
    }
}

TEST_F(EditBoxTest, ClipboardKeysFollowReadOnlyAndMasking)
{
    CGameEditBox& box = CreateBox();
    box.setText("secret");
    box.setSelection(0, 3);
    box.setReadOnly(true);
    Desktop().Hold("other");
    Control(0x18);
    EXPECT_EQ("secret", box.getText());
    Control(0x16);
    EXPECT_EQ("secret", box.getText());
    Control(0x03);
    EXPECT_EQ("sec", Desktop().bytes);

    box.setReadOnly(false);
    box.setTextMasked(true);
    Desktop().Hold("other");
    Control(0x03);
    Control(0x18);
    Control(0x16);
    EXPECT_EQ("other", Desktop().bytes);
    EXPECT_EQ("secret", box.getText());

    box.setTextMasked(false);
    box.setSelection(0, 3);
    Control(0x18);
    EXPECT_EQ("sec", Desktop().bytes);
    EXPECT_EQ("ret", box.getText());
    // CEGUI's own requests go the same way.
    box.setSelection(0, 3);
    EXPECT_TRUE(Context().injectCopyRequest());
    EXPECT_EQ("ret", Desktop().bytes);
}

TEST_F(EditBoxTest, PastingDropsLineFeedsAndRefusesLongTexts)
{
    CGameEditBox& box = CreateBox();
    Desktop().Hold("ab\r\ncd");
    Control(0x16);
    EXPECT_EQ("ab\rcd", box.getText());

    box.setText("");
    Desktop().Hold(std::string(ZuGUI::kClipboardTextLimit, 'x'));
    Control(0x16);
    EXPECT_EQ("", box.getText());
    Desktop().Hold(std::string(ZuGUI::kClipboardTextLimit - 1, 'x'));
    Control(0x16);
    EXPECT_EQ(ZuGUI::kClipboardTextLimit - 1, box.getText().length());

    // Only text is pasted.
    box.setText("");
    Desktop().Hold("picture", "image/png");
    Control(0x16);
    EXPECT_EQ("", box.getText());
}

TEST_F(EditBoxTest, ClipboardCarriesTheSystemCodePage)
{
    SetSystemCodePage("CP1252");
    CGameEditBox& box = CreateBox();
    box.setText(reinterpret_cast<const CEGUI::utf8*>("Caf\xC3\xA9 \xE2\x82\xAC"));
    box.setSelection(0, 6);
    Control(0x03);
    EXPECT_EQ("Caf\xE9 \x80", Desktop().bytes);

    box.setText("");
    Control(0x16);
    EXPECT_EQ(CEGUI::String(reinterpret_cast<const CEGUI::utf8*>("Caf\xC3\xA9 \xE2\x82\xAC")),
              box.getText());

    // Without a desktop clipboard, copy and paste work inside the application.
    RemoveDesktopClipboard();
    box.setSelection(0, 3);
    Control(0x03);
    box.setText("");
    Control(0x16);
    EXPECT_EQ("Caf", box.getText());
}

TEST_F(EditBoxTest, InsertTextReplacesAValidSelectionAndMovesTheCaret)
{
    CGameEditBox& box = CreateBox();
    box.setText("hello world");
    box.setSelection(6, 11);
    box.setProperty("InsertText", "there");
    EXPECT_EQ("hello there", box.getText());
    EXPECT_EQ(11u, box.getCaretIndex());
    EXPECT_EQ("", box.getProperty("InsertText"));

    // A text that the box's validation refuses keeps the selection and inserts nothing.
    LowerCaseValidator validator;
    box.setValidator(&validator);
    box.setSelection(0, 5);
    int invalid = 0;
    box.subscribeEvent(CGameEditBox::EventInvalidEntryAttempted, Counting(invalid));
    box.InsertText("HI");
    EXPECT_EQ("hello there", box.getText());
    EXPECT_EQ(5u, box.getSelectionLength());
    EXPECT_EQ(1, invalid);

    box.setMaxTextLength(12);
    box.setSelection(0, 0);
    box.InsertText("ab");
    EXPECT_EQ("hello there", box.getText());
    box.setValidator(nullptr);
}

TEST_F(EditBoxTest, CaretOffsetIsTheWidthBeforeTheCaretAtTheLastTextChange)
{
    CGameEditBox& box = CreateBox();
    box.setText("abc");
    box.setCaretIndex(2);
    EXPECT_EQ(0.0f, box.getCaratOffset());
    box.InsertText("X");
    EXPECT_FLOAT_EQ(box.getFont()->getTextExtent("abX"), box.getCaratOffset());
    // Never past the box.
    box.setText(CEGUI::String(200, 'W'));
    box.setCaretIndex(200);
    box.setText(CEGUI::String(201, 'W'));
    EXPECT_FLOAT_EQ(box.getUnclippedInnerRect().get().getWidth(), box.getCaratOffset());
}

// A key that the GUI leaves unhandled goes on to the game (its hot keys, here a handler on the
// root window); one typed into an editable box must not, whatever the key. A read-only box
// passes every key on, but the multi-line input never does.
TEST_F(EditBoxTest, AnEditableBoxKeepsEveryKeyFromItsParents)
{
    struct Row
    {
        const char* type;
        bool readOnly;
        bool reachesParent;
    };
    const Row rows[] = {
        {"ZuTest/GameEditBox", false, false},          {"ZuTest/GameEditBox", true, true},
        {"ZuTest/ChatEditBox", false, false},          {"ZuTest/RichContentEdit", false, false},
        {"ZuTest/GameMultilineEditbox", false, false}, {"ZuTest/GameMultilineEditbox", true, true},
        {"ZuTest/GameMultilineInput", false, false},   {"ZuTest/GameMultilineInput", true, false},
    };
    const CEGUI::Key::Scan keys[] = {CEGUI::Key::A,   CEGUI::Key::F5,        CEGUI::Key::Escape,
                                     CEGUI::Key::Tab, CEGUI::Key::Backspace, CEGUI::Key::ArrowUp};
    int reached = 0;
    CEGUI::Event::Connection hotKeys = Root().subscribeEvent(
        CEGUI::Window::EventKeyDown, [&reached](const CEGUI::EventArgs&) { return ++reached > 0; });
    for (const Row& row : rows)
    {
        auto& box = CreateBox<CEGUI::Window>(row.type, "Keys");
        box.setProperty("ReadOnly", row.readOnly ? "True" : "False");
        int seenByBox = 0;
        box.subscribeEvent(CEGUI::Window::EventKeyDown,
                           [&seenByBox](const CEGUI::EventArgs&)
                           {
                               ++seenByBox;
                               return false;
                           });
        for (const CEGUI::Key::Scan key : keys)
        {
            reached = 0;
            seenByBox = 0;
            Context().injectKeyDown(key);
            Context().injectKeyUp(key);
            const std::string what = std::string(row.type) + (row.readOnly ? " read-only" : "") +
                                     ", key " + std::to_string(key);
            EXPECT_EQ(row.reachesParent ? 1 : 0, reached) << what;
            EXPECT_GE(seenByBox, 1) << what;
        }
        CEGUI::WindowManager::getSingleton().destroyWindow(&box);
    }
    hotKeys->disconnect();
}

TEST_F(EditBoxTest, MultilineBoxPastesWithinItsLengthAndCuts)
{
    auto& box = CreateBox<ZuGUI::CGameMultilineEditbox>("ZuTest/GameMultilineEditbox");
    box.setText("one two");
    box.setSelection(4, 7);
    // The lines stay lines, whatever the desktop ends them with.
    Desktop().Hold("three\r\nfour\rfive");
    Control(0x16);
    EXPECT_EQ("one three\nfour\nfive\n", box.getText());
    EXPECT_EQ(19u, box.getCaretIndex());

    // A paste that does not fit changes nothing: the selection it would replace stays.
    box.setMaxTextLength(box.getText().length() + 3);
    box.setSelection(0, 3);
    Desktop().Hold("seventy");
    EXPECT_TRUE(box.PasteToSelection());
    EXPECT_EQ("one three\nfour\nfive\n", box.getText());
    EXPECT_EQ(3u, box.getSelectionLength());

    box.setSelection(0, 4);
    Control(0x18);
    EXPECT_EQ("one ", Desktop().bytes);
    EXPECT_EQ("three\nfour\nfive\n", box.getText());
    box.setReadOnly(true);
    box.setSelection(0, 5);
    EXPECT_FALSE(box.CutSelection());
    EXPECT_EQ("three\nfour\nfive\n", box.getText());
}

TEST_F(EditBoxTest, ARefusedInsertionKeepsTheTextAndItsSelection)
{
    const struct
    {
        const char* before;
        const char* inserted;
        const char* after;
        std::size_t selected;
    } cases[] = {
        {"hello", "a text far too long for the box", "hello", 2}, // past the maximum length
        {"12", "99999", "12", 2},                                 // past the maximum number
        {"hello", "hi", "hillo", 0},
    };
    for (const auto& c : cases)
    {
        CGameEditBox& box = CreateBox();
        box.setMaxTextLength(8);
        box.SetNumericOnly(std::isdigit(c.before[0]) != 0);
        box.SetMaxNumber(500);
        box.setText(c.before);
        box.setSelection(0, 2);
        box.InsertText(c.inserted);
        EXPECT_EQ(c.after, box.getText()) << c.inserted;
        EXPECT_EQ(c.selected, box.getSelectionLength()) << c.inserted;
        CEGUI::WindowManager::getSingleton().destroyWindow(&box);
    }
}
} // namespace

// CEGUI's own box word-wraps forever when its text area is narrower than a glyph; the module's
// multi-line boxes wait for a usable width and format then.
TEST_F(EditBoxTest, MultilineBoxesNarrowerThanAGlyphFormatAtTheNextUsableWidth)
{
    for (const char* type : {"ZuTest/GameMultilineEditbox", "ZuTest/GameMultilineInput"})
    {
        auto& box = CreateBox<CEGUI::MultiLineEditbox>(type);
        box.setWordWrapping(true);
        box.setText("Bring twelve wolf pelts to Old Tom");
        box.setSize(CEGUI::USize(CEGUI::UDim(0, 2), CEGUI::UDim(0, 120)));
        EXPECT_FALSE(ZuGUI::CanWrapEveryGlyph(box)) << type;
        box.setSize(CEGUI::USize(CEGUI::UDim(0, 140), CEGUI::UDim(0, 120)));
        EXPECT_TRUE(ZuGUI::CanWrapEveryGlyph(box)) << type;
        // Wrapped into lines at the usable width: the last character is on a later line.
        EXPECT_GT(box.getLineNumberFromIndex(box.getText().length() - 1), 0u) << type;
        CEGUI::WindowManager::getSingleton().destroyWindow(&box);
    }
}
