#include "support/CeguiFixture.h"
#include "support/FakeRenderProxies.h"
#include "support/HostTextView.h"
#include "support/RecordingHost.h"

#include "gamewidgets/SampleLook.h"
#include "support/QuadGeometry.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <sstream>

namespace
{
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ZuGUI::CGameMultiLine;
using ZuTest::RecordingHost;
using namespace ZuGUI::TextBlocks;

constexpr CEGUI::argb_t kCommandColour = 0xFF00FF00;
constexpr CEGUI::argb_t kHoverHighlight = 0x80FFFFFF;
constexpr CEGUI::argb_t kHoverText = 0xFFFFFF00;
constexpr CEGUI::argb_t kFramedColour = 0xFF102030;
constexpr CEGUI::argb_t kNoFrameColour = 0xFF203040;
constexpr CEGUI::argb_t kPickedColour = 0xFFFFD700;
const CEGUI::Rectf kViewRect(100, 100, 400, 300); // screen pixels of the test view

class GameMultiLineTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("GameMultiLineTest");
        ZuGUI::TextParser::CColorPropertyManager::Instance().SetClickColorByString(
            "FF00FF00", "80FFFFFF", "FFFFFF00");
        ZuGUI::HostRichTextClient::ForgetPictureProxyId();
        // Off every view, so that the first move onto a view is a move.
        MoveTo(CEGUI::Vector2f(0, 0));
    }

    CGameMultiLine& CreateView(const CEGUI::String& text = "",
                               const char* type = "ZuTest/GameMultiLine")
    {
        auto& view = static_cast<CGameMultiLine&>(CreateChild(type, "View", kViewRect.left(),
                                                              kViewRect.top(), kViewRect.getWidth(),
                                                              kViewRect.getHeight()));
        view.setProperty("CmdFont", ZuTest::kDefaultFont);
        if (!text.empty())
            view.setText(text);
        return view;
    }

    static const CRichTextDoc& DocOf(const CGameMultiLine& view)
    {
        return dynamic_cast<const CRichTextDoc&>(*view.QueryDoc());
    }

    static std::vector<const ZuGUI::ITextBlock*> BlocksOf(const CGameMultiLine& view)
    {
        std::vector<const ZuGUI::ITextBlock*> blocks;
        for (const auto& line : DocOf(view).GetLines())
            for (const auto& block : line->GetBlocks())
                blocks.push_back(block.get());
        return blocks;
    }

    // The screen point a few pixels inside block `index`, vertically centred.
    static CEGUI::Vector2f PointIn(const CGameMultiLine& view, std::size_t index)
    {
        const CEGUI::Rectf area = BlocksOf(view).at(index)->GetArea();
        return view.DocumentToScreen(area.getPosition() + CEGUI::Vector2f(3, area.getHeight() / 2));
    }

    void MoveTo(const CEGUI::Vector2f& point)
    {
        Context().injectMousePosition(point.d_x, point.d_y);
    }

    // Presses and releases `button` at `point`; returns the host calls of the press.
    std::vector<std::string> ClickAt(const CEGUI::Vector2f& point,
                                     CEGUI::MouseButton button = CEGUI::LeftButton)
    {
        MoveTo(point);
        m_host.ClearCalls();
        Context().injectMouseButtonDown(button);
        const std::vector<std::string> calls = m_host.CallLines();
        Context().injectMouseButtonUp(button);
        return calls;
    }

    // The colours of the window's quads, in drawing order.
    static std::vector<CEGUI::argb_t> QuadColours(CEGUI::Window& window)
    {
        std::vector<CEGUI::argb_t> colours;
        for (const ZuTest::Quad& quad : ZuTest::WindowQuads(window))
            colours.push_back(quad.colour.getARGB());
        return colours;
    }

    static bool Drew(CEGUI::Window& window, CEGUI::argb_t colour)
    {
        const std::vector<CEGUI::argb_t> colours = QuadColours(window);
        return std::find(colours.begin(), colours.end(), colour) != colours.end();
    }

    // How many times the text was laid out: each layout asks the client for the colour of
    // every item link.
    // How often the client was asked for the item colours of the view's text: once per parse,
    // never again for a layout at another width.
    int ItemColourQuestions() const
    {
        return static_cast<int>(m_host.CallLines("CallScriptRetInt").size());
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
};

std::string LayoutOf(CEGUI::Window& window)
{
    std::ostringstream xml;
    CEGUI::WindowManager::getSingleton().writeLayoutToStream(window, xml);
    return xml.str();
}

// A text of `lines` lines, each a name that a press can tell apart.
CEGUI::String NameLines(int lines)
{
    CEGUI::String text;
    for (int i = 0; i < lines; ++i)
        text += "{N name" + CEGUI::PropertyHelper<int>::toString(i) + "}\n";
    return text;
}

TEST_F(GameMultiLineTest, PropertiesKeepTheirNamesHelpAndDefaults)
{
    struct Expected
    {
        const char* name;
        const char* help;
        const char* defaultValue;
    };
    const Expected properties[] = {
        {"FrameEnabled",
         "Property to get/set if this game multiline needs frame.  Value is a boolean.", "True"},
        {"ForceHideVertScrollbar",
         "Property to get/set the 'never show' setting for the vertical scroll bar of the game "
         "multiline.  Value is either \"True\" or \"False\".",
         "False"},
        {"ForceHideHorzScrollbar",
         "Property to get/set the 'never show' setting for the horizontal scroll bar of the game "
         "multiline.  Value is either \"True\" or \"False\".",
         "False"},
        {"EncodedText",
         "Property to get/set the plain text of the game multiline.  Value is string", ""},
        {"DefaultColour",
         "Property to get/set the default text colour of the game multiline.  Value is Colour",
         "FFFFFFFF"},
        {"Picked", "Property to get/set the if this CGameMultiLine is picked.  Value is a boolean.",
         "False"},
        {"CmdFont",
         "Property to get/set the command text font of CGameMultiLine.  Value is a string.", ""},
        {"IndentRestLine",
         "Property to get/set the rest line's indent of CGameMultiLine.  Value is an int.", "0"},
        {"Indent1stLine",
         "Property to get/set the 1st line's indent of CGameMultiLine.  Value is an int.", "0"},
        {"LineBreak", "Property to get/set how lines break.  Value is \"Character\" or \"Word\".",
         "Character"},
        {"TextDirection",
         "Property to get/set the direction of the text's paragraphs.  Value is \"Auto\", "
         "\"LeftToRight\" or \"RightToLeft\".",
         "Auto"},
        {"TextSelectable",
         "Property to get/set if the player can select and copy the text of the game multiline.  "
         "Value is either \"True\" or \"False\".",
         "False"},
    };
    CGameMultiLine& view = CreateView();
    std::vector<std::string> order;
    for (const CEGUI::Property* property : CGameMultiLine::s_SharePros)
        order.push_back(property->getName().c_str());
    std::vector<std::string> expectedOrder;
    for (const Expected& expected : properties)
    {
        expectedOrder.push_back(expected.name);
        EXPECT_EQ(expected.help, view.getPropertyHelp(expected.name)) << expected.name;
        EXPECT_EQ(expected.defaultValue, view.getPropertyDefault(expected.name)) << expected.name;
    }
    EXPECT_EQ(expectedOrder, order);

    // Values at their defaults stay out of a layout, and the read-only plain text is never
    // written; the view's command font (set by CreateView) is.
    view.setText("{T x:abc}");
    std::string layout = LayoutOf(view);
    for (const char* atDefault :
         {"\"Picked\"", "\"DefaultColour\"", "\"Indent1stLine\"", "EncodedText"})
        EXPECT_THAT(layout, Not(HasSubstr(atDefault)));
    EXPECT_THAT(layout, HasSubstr("name=\"CmdFont\" value=\"" + std::string(ZuTest::kDefaultFont)));
    view.setProperty("Picked", "True");
    view.setProperty("DefaultColour", "FF102030");
    view.setProperty("Indent1stLine", "8");
    layout = LayoutOf(view);
    EXPECT_THAT(layout, HasSubstr("name=\"Picked\" value=\"True\""));
    EXPECT_THAT(layout, HasSubstr("name=\"DefaultColour\" value=\"FF102030\""));
    EXPECT_THAT(layout, HasSubstr("name=\"Indent1stLine\" value=\"8\""));
}

TEST_F(GameMultiLineTest, EncodedTextIsTheTextWithoutMarkupAndIgnoresWrites)
{
    CGameMultiLine& view = CreateView("{T red:ab}c{N Dee}\nend");
    EXPECT_EQ("abcDee\nend", view.getProperty("EncodedText"));
    view.setProperty("EncodedText", "other");
    EXPECT_EQ("abcDee\nend", view.getProperty("EncodedText"));
    EXPECT_EQ("{T red:ab}c{N Dee}\nend", view.getText());
}

TEST_F(GameMultiLineTest, OnceDrawnTheDocumentIsTheOnlyParsedFormOfTheText)
{
    // CEGUI would parse the whole text with its own markup parser before drawing it, a line
    // and a component for each line feed, and keep that.
    CGameMultiLine& view = CreateView("{N Mallory}: up" + CEGUI::String(1000, '\n') + "[down]");
    RenderFrame();
    EXPECT_EQ(0u, view.getRenderedString().getComponentCount());
    EXPECT_EQ("Mallory: up" + CEGUI::String(1000, '\n') + "[down]", view.getPlainText());
}

TEST_F(GameMultiLineTest, EmptyTextBecomesOneLineFeedAndTheEditBoxKeepsOneLine)
{
    CGameMultiLine& view = CreateView();
    // A view whose text was never set has an empty document.
    EXPECT_EQ("", view.getText());
    EXPECT_EQ(CEGUI::Sizef(4, 4), view.getDocSize());

    view.setText("{T red:ab}\ncd");
    ASSERT_EQ(1u, view.getFormattedLines().size());
    EXPECT_EQ(0u, view.getFormattedLines()[0].d_startIdx);
    EXPECT_EQ(view.getText().length(), view.getFormattedLines()[0].d_length);
    EXPECT_EQ(0.0f, view.getFormattedLines()[0].d_extent);
    const CEGUI::Font& font = *view.getFont();
    EXPECT_FLOAT_EQ(font.getTextExtent("cd") + 4, view.getDocWidth());
    EXPECT_FLOAT_EQ(2 * font.getLineSpacing() + 4, view.getDocHeight());

    view.setText("");
    EXPECT_EQ("\n", view.getText());
    ASSERT_EQ(1u, view.getFormattedLines().size());
    EXPECT_EQ(1u, view.getFormattedLines()[0].d_length);
    EXPECT_FLOAT_EQ(font.getLineSpacing() + 4, view.getDocHeight());
}

TEST_F(GameMultiLineTest, LineBreakReadsItsNamesAndLaysTheTextOutAgain)
{
    CGameMultiLine& view = CreateView("the keep gate is open");
    const float fits = view.getFont()->getTextExtent("the keep gate is op") + 1.0f;
    // The text area is the framed view's, inset by 4 pixels; the layout leaves 2 more.
    view.setWidth(CEGUI::UDim(0, fits + 8 + 2));
    const auto lastBlockText = [&] { return BlocksOf(view).back()->GetText(view); };
    EXPECT_EQ("Character", view.getProperty("LineBreak"));
    EXPECT_EQ("en", lastBlockText());
    const struct
    {
        const char* written;
        const char* read;
        const char* lastBlock;
    } cases[] = {{"Word", "Word", "open"}, {"word", "Character", "en"}, {"", "Character", "en"}};
    for (const auto& test : cases)
    {
        view.setProperty("LineBreak", "Word");
        view.setProperty("LineBreak", test.written);
        EXPECT_EQ(test.read, view.getProperty("LineBreak")) << test.written;
        EXPECT_EQ(test.lastBlock, lastBlockText()) << test.written;
    }
    EXPECT_EQ("the keep gate is open", view.getPlainText());
}

TEST_F(GameMultiLineTest, TextIsLaidOutToTheTextAreaAndAgainWhenResized)
{
    CGameMultiLine& view = CreateView("abc");
    // The framed text area is inset by 4 pixels; the layout leaves 2 more.
    EXPECT_FLOAT_EQ(kViewRect.getWidth() - 8 - 2, view.QueryDoc()->GetWidth());
    view.setWidth(CEGUI::UDim(0, 200));
    EXPECT_FLOAT_EQ(200 - 8 - 2, view.QueryDoc()->GetWidth());
    // Without a frame the whole window is the text area.
    view.setProperty("FrameEnabled", "False");
    EXPECT_FLOAT_EQ(200 - 2, view.QueryDoc()->GetWidth());
    view.setIndent1stLine(30);
    view.setText("abc");
    EXPECT_FLOAT_EQ(30, BlocksOf(view).at(0)->GetArea().left());
}

TEST_F(GameMultiLineTest, AVerticalBarThatAppearsMakesOneMoreLayoutAtTheNarrowerWidth)
{
    CGameMultiLine& view = CreateView();
    view.setText("{I 5:sword}\n" + NameLines(20));
    EXPECT_TRUE(view.getVertScrollbar()->isVisible());
    EXPECT_FALSE(view.getHorzScrollbar()->isVisible());
    EXPECT_EQ(1, ItemColourQuestions()); // one parse for both layouts
    EXPECT_FLOAT_EQ(kViewRect.getWidth() - 4 - 16 - 2, view.QueryDoc()->GetWidth());
    EXPECT_FLOAT_EQ(view.QueryDoc()->GetHeight(), view.getVertScrollbar()->getDocumentSize());
    EXPECT_FLOAT_EQ(kViewRect.getHeight() - 8, view.getVertScrollbar()->getPageSize());

    m_host.ClearCalls();
    view.setText("{I 5:sword}");
    EXPECT_FALSE(view.getVertScrollbar()->isVisible());
    EXPECT_EQ(1, ItemColourQuestions()); // one parse for both layouts
    EXPECT_FLOAT_EQ(kViewRect.getWidth() - 8 - 2, view.QueryDoc()->GetWidth());
}

TEST_F(GameMultiLineTest, LayoutStopsAfterTwoPassesEvenWhenTheBarWouldFlipAgain)
{
    // Showing the bar widens this look's text area from 100 to 300 pixels: the text needs the
    // bar at 98 pixels and no longer needs it at 298.
    CEGUI::String text = "{I 5:x}";
    CEGUI::Window& probe = CreateChild("DefaultWindow", "Probe");
    const CEGUI::Font& font = *probe.getFont();
    const int lines = static_cast<int>(kViewRect.getHeight() / font.getLineSpacing()) + 2;
    while (font.getTextExtent(text) < lines * 98.0f)
        text += " word";
    ASSERT_LT(font.getTextExtent(text) / 298.0f * font.getLineSpacing() + 2 * font.getLineSpacing(),
              kViewRect.getHeight());

    CGameMultiLine& view = CreateView(text, "ZuTest/GameMultiLineWideScroll");
    EXPECT_EQ(1, ItemColourQuestions()); // one parse for both layouts
    EXPECT_FALSE(view.getVertScrollbar()->isVisible());
    EXPECT_FLOAT_EQ(298.0f, view.QueryDoc()->GetWidth());
}

TEST_F(GameMultiLineTest, ForceHiddenBarsStayHiddenAndTheViewShowsTheTop)
{
    CGameMultiLine& view = CreateView();
    view.setProperty("ForceHideVertScrollbar", "True");
    view.setText(NameLines(30));
    EXPECT_FALSE(view.getVertScrollbar()->isVisible());
    // However far the hidden bar is moved, the view shows and hits the top of its text.
    view.getVertScrollbar()->setScrollPosition(60);
    EXPECT_EQ(CEGUI::Vector2f(0, 0), view.GetScrollOffset());
    RenderFrame();
    const CEGUI::Vector2f firstLine(kViewRect.left() + 4 + 3, kViewRect.top() + 4 + 5);
    EXPECT_THAT(ClickAt(firstLine), Contains(HasSubstr("_KeyVal_Cmd_Content=\"name0\"")));

    view.setProperty("ForceHideHorzScrollbar", "True");
    view.setProperty("ForceHideVertScrollbar", "False");
    view.setText(NameLines(31));
    EXPECT_TRUE(view.getVertScrollbar()->isVisible());
    EXPECT_FALSE(view.getHorzScrollbar()->isVisible());
}

TEST_F(GameMultiLineTest, PressesInAScrolledViewHitTheTextShownThere)
{
    CGameMultiLine& view = CreateView(NameLines(40));
    const float lineHeight = view.getFont()->getLineSpacing();
    view.getVertScrollbar()->setScrollPosition(7 * lineHeight);
    const CEGUI::Vector2f topLine(kViewRect.left() + 4 + 3, kViewRect.top() + 4 + lineHeight / 2);
    EXPECT_THAT(ClickAt(topLine), Contains(HasSubstr("_KeyVal_Cmd_Content=\"name7\"")));
}

TEST_F(GameMultiLineTest, HoverHighlightsACommandTextUntilThePointerLeavesIt)
{
    CGameMultiLine& view = CreateView("say {C go:here}");
    RenderFrame();
    EXPECT_TRUE(Drew(view, kCommandColour));
    EXPECT_FALSE(Drew(view, kHoverText));

    MoveTo(PointIn(view, 1));
    RenderFrame();
    EXPECT_TRUE(BlocksOf(view)[1]->IsHovered());
    const std::vector<CEGUI::argb_t> colours = QuadColours(view);
    const auto highlight = std::find(colours.begin(), colours.end(), kHoverHighlight);
    ASSERT_NE(colours.end(), highlight);
    // The highlight lies behind the text, which turns to the hover colour.
    EXPECT_NE(colours.end(), std::find(highlight, colours.end(), kHoverText));
    EXPECT_FALSE(Drew(view, kCommandColour));

    MoveTo(PointIn(view, 0)); // onto the plain text
    RenderFrame();
    EXPECT_TRUE(Drew(view, kCommandColour));
    EXPECT_FALSE(Drew(view, kHoverHighlight));

    MoveTo(PointIn(view, 1));
    RenderFrame();
    MoveTo(CEGUI::Vector2f(20, 20)); // off the view
    RenderFrame();
    EXPECT_FALSE(BlocksOf(view)[1]->IsHovered());
    EXPECT_TRUE(Drew(view, kCommandColour));
}

TEST_F(GameMultiLineTest, AHoveredWebLinkShowsItsTargetAsTheToolTipUntilItIsLeft)
{
    CGameMultiLine& view =
        CreateView("{H a.portal.example/1:One}{H b.portal.example/2:Two}{N Bob} plain");
    view.setTooltipText("Own tip");
    const auto tooltip = [&view] { return std::string(view.getTooltipText().c_str()); };
    const CEGUI::Vector2f offView(20, 20);
    const struct
    {
        CEGUI::Vector2f point;
        const char* tooltip;
    } moves[] = {
        {PointIn(view, 0), "a.portal.example/1"},
        {PointIn(view, 1), "b.portal.example/2"},
        // Back onto a link earlier in the text: it is hovered before the other one is left.
        {PointIn(view, 0), "a.portal.example/1"},
        {PointIn(view, 2), "Own tip"},
        {PointIn(view, 1), "b.portal.example/2"},
        {PointIn(view, 3), "Own tip"},
        {PointIn(view, 1), "b.portal.example/2"},
        {offView, "Own tip"},
    };
    for (const auto& move : moves)
    {
        MoveTo(move.point);
        EXPECT_EQ(move.tooltip, tooltip()) << move.point.d_x;
    }

    // A new text makes new blocks, none of them hovered.
    MoveTo(PointIn(view, 0));
    view.setText("{H c.portal.example/3:Three}");
    EXPECT_EQ("Own tip", tooltip());

    // A tool tip text set while a target shows is the view's own from then on.
    MoveTo(PointIn(view, 0));
    view.setTooltipText("New tip");
    MoveTo(offView);
    EXPECT_EQ("New tip", tooltip());
    MoveTo(PointIn(view, 0));
    EXPECT_EQ("c.portal.example/3", tooltip());
    MoveTo(offView);
    EXPECT_EQ("New tip", tooltip());
}

TEST_F(GameMultiLineTest, PressesOnANameAnItemAndAnEmoteSendTheirTrees)
{
    ZuTest::TestPictureSource pictures;
    pictures.Add(kEmoteSet, kFirstEmoteIndex + 12, 20, 20);
    const CEGUI::String text = "say {N Alice} sells {I 1001:[Sword]} {E 12}";
    CGameMultiLine& view = CreateView(text);
    RenderFrame();

    EXPECT_THAT(ClickAt(PointIn(view, 0)), IsEmpty()); // "say "
    EXPECT_THAT(ClickAt(PointIn(view, 1)),
                ElementsAre("SendCommand(_KeyVal_Cmd_Click{_KeyVal_Cmd_Content=\"Alice\" "
                            "_KeyVal_Cmd_Text=\"Alice\" _KeyVal_Cmd_WholeText=\"" +
                                std::string(text.c_str()) +
                                "\" _KeyVal_Cmd_Opcode=1 "
                                "_KeyVal_Cmd_MouseButton_Type=\"_KeyVal_Cmd_MouseButton_Left\"})",
                            "CallScriptIntStr(\"gFn_guide_cmd_text_on_click\", 1, \"Alice\")",
                            "ChangeCursor(0, true)"));
    EXPECT_THAT(ClickAt(PointIn(view, 3), CEGUI::RightButton),
                ElementsAre(HasSubstr("_KeyVal_Cmd_Content=\"1001\" _KeyVal_Cmd_Text=\"[Sword]\""),
                            "CallScriptIntStr(\"gFn_guide_cmd_text_on_click\", 4, \"1001\")",
                            "ChangeCursor(0, true)"));
    EXPECT_THAT(ClickAt(PointIn(view, 5)),
                ElementsAre(HasSubstr("{_KeyVal_Cmd_Opcode=7 _KeyVal_Cmd_MouseButton_Type="
                                      "\"_KeyVal_Cmd_MouseButton_Left\" _KeyVal_Cmd_PicIdx=12")));
}

TEST_F(GameMultiLineTest, RightAndMiddleButtonsSendTheirButtonType)
{
    CGameMultiLine& view = CreateView("{C /join 3:here}");
    EXPECT_THAT(ClickAt(PointIn(view, 0), CEGUI::RightButton),
                Contains("SendCommand(_KeyVal_Cmd_Click{_KeyVal_Cmd_Content=\"/join 3\" "
                         "_KeyVal_Cmd_Text=\"here\" _KeyVal_Cmd_WholeText=\"{C /join 3:here}\" "
                         "_KeyVal_Cmd_Opcode=0 "
                         "_KeyVal_Cmd_MouseButton_Type=\"_KeyVal_Cmd_MouseButton_Right\"})"));
    EXPECT_THAT(ClickAt(PointIn(view, 0), CEGUI::MiddleButton),
                Contains(HasSubstr("_KeyVal_Cmd_MouseButton_Type=\"\"}")));
}

TEST_F(GameMultiLineTest, EveryPressOfAQuickSeriesSendsOneTree)
{
    // CEGUI turns the second and third press into a double and a triple click.
    CGameMultiLine& view = CreateView("{N Alice}");
    std::vector<std::string> sent;
    for (int press = 0; press < 3; ++press)
    {
        for (const std::string& call : ClickAt(PointIn(view, 0)))
            if (call.rfind("SendCommand(", 0) == 0)
                sent.push_back(call);
    }
    EXPECT_THAT(sent, ::testing::SizeIs(3));
    EXPECT_THAT(sent, ::testing::Each(HasSubstr("_KeyVal_Cmd_Content=\"Alice\"")));
    EXPECT_EQ(0u, view.getSelectionLength());
}

TEST_F(GameMultiLineTest, WithoutCommandFontCommandsAreInvisibleYetHighlightedAndClickable)
{
    CGameMultiLine& view = CreateView("{C go:here}");
    int fontChanges = 0;
    view.subscribeEvent(CEGUI::Window::EventFontChanged, CEGUI::Event::Subscriber(
                                                             [&fontChanges]
                                                             {
                                                                 ++fontChanges;
                                                                 return true;
                                                             }));
    view.setProperty("CmdFont", "");
    EXPECT_EQ(nullptr, view.getCmdFont());
    EXPECT_EQ(1, fontChanges);
    RenderFrame();
    EXPECT_THAT(QuadColours(view), ElementsAre(kFramedColour));

    MoveTo(PointIn(view, 0));
    RenderFrame();
    EXPECT_THAT(QuadColours(view), ElementsAre(kFramedColour, kHoverHighlight));
    EXPECT_THAT(ClickAt(PointIn(view, 0)), Contains(HasSubstr("_KeyVal_Cmd_Content=\"go\"")));

    view.setProperty("CmdFont", ZuTest::kDefaultFont);
    EXPECT_EQ(view.getFont(), view.getCmdFont());
    view.setProperty("CmdFont", "NoSuchFont");
    EXPECT_EQ(nullptr, view.getCmdFont());
}

TEST_F(GameMultiLineTest, FrameAndPickedChooseTheImageryAndRedrawOnlyOnChange)
{
    // Every redraw reports where the command text is drawn.
    CGameMultiLine& view = CreateView("{C go:x}");
    m_host.ClearCalls();
    RenderFrame();
    // The centre of the command text, in the view's window pixels.
    const CEGUI::Rectf x = BlocksOf(view).at(0)->GetArea();
    EXPECT_THAT(m_host.CallLines("ReportCmdTextPos"),
                ElementsAre("ReportCmdTextPos(\"go\", \"TestRoot/View\", 0, " +
                            std::to_string(int(4 + x.left() + x.getWidth() / 2)) + ", " +
                            std::to_string(int(4 + x.top() + x.getHeight() / 2)) + ")"));
    const auto redraws = [this]
    {
        m_host.ClearCalls();
        RenderFrame();
        return m_host.CallLines("ReportCmdTextPos").size();
    };
    view.setProperty("Picked", "False");
    view.setProperty("FrameEnabled", "True");
    EXPECT_EQ(0u, redraws());

    view.setProperty("Picked", "True");
    EXPECT_EQ(1u, redraws());
    EXPECT_EQ(kFramedColour, QuadColours(view).front());
    EXPECT_EQ(kPickedColour, QuadColours(view).back());

    view.setProperty("FrameEnabled", "False");
    EXPECT_EQ(1u, redraws());
    EXPECT_EQ(kNoFrameColour, QuadColours(view).front());
}

TEST_F(GameMultiLineTest, PicturesAreDrawnOverTheTextClippedToTheTextArea)
{
    ZuTest::FakeRenderProxies proxies;
    ZuTest::TestPictureSource pictures;
    pictures.Add(1, 2, 16, 16);
    m_host.ReplyWith("GameCreatureProvider",
                     [](KeyValues& reply) { reply.SetInt("CreatureId", 77); });
    CGameMultiLine& view = CreateView("ab{P 1:2}");
    RenderFrame();
    EXPECT_THAT(proxies.bindings, ElementsAre("77/65538"));
    ASSERT_EQ(1u, proxies.draws.size());
    const float extent = view.getFont()->getTextExtent("ab");
    EXPECT_FLOAT_EQ(4 + extent, proxies.draws[0].anchor.d_x);
    EXPECT_FLOAT_EQ(4, proxies.draws[0].anchor.d_y);
    EXPECT_EQ(CEGUI::Rectf(4, 4, kViewRect.getWidth() - 4, kViewRect.getHeight() - 4),
              proxies.draws[0].clip);
    EXPECT_TRUE(view.GetZuImageCache().hasCachedImagery());

    // A view drawn by another renderer shows its text but no pictures.
    proxies.bindings.clear();
    auto& stock = static_cast<CGameMultiLine&>(
        CreateChild("ZuTest/GameMultiLineStockRenderer", "Stock", 0, 0, 200, 100));
    stock.setText("ab{P 1:2}");
    RenderFrame();
    EXPECT_EQ(nullptr, stock.GetPictureSink());
    EXPECT_THAT(proxies.bindings, IsEmpty());
    EXPECT_GT(stock.getGeometryBuffer().getVertexCount(), 0u);
}

TEST_F(GameMultiLineTest, TheWheelScrollsTheViewAndThenReachesTheParent)
{
    CGameMultiLine& view = CreateView(NameLines(40));
    int parentWheels = 0;
    Root().subscribeEvent(CEGUI::Window::EventMouseWheel, CEGUI::Event::Subscriber(
                                                              [&parentWheels]
                                                              {
                                                                  ++parentWheels;
                                                                  return true;
                                                              }));
    MoveTo(PointIn(view, 0));
    Context().injectMouseWheelChange(-1);
    EXPECT_GT(view.getVertScrollbar()->getScrollPosition(), 0.0f);
    EXPECT_EQ(1, parentWheels);
}

TEST_F(GameMultiLineTest, DestroyingTheViewReleasesTheItemsOfItsText)
{
    CGameMultiLine& view = CreateView("{I 5:a}{I 7:b}");
    EXPECT_THAT(m_host.CallLines("CallScript"),
                ElementsAre("CallScript(\"gFn_chatItem_add_ref\", 5)",
                            "CallScript(\"gFn_chatItem_add_ref\", 7)"));
    m_host.ClearCalls();
    CEGUI::WindowManager::getSingleton().destroyWindow(&view);
    EXPECT_THAT(m_host.CallLines("CallScript"),
                ElementsAre("CallScript(\"gFn_chatItem_release_ref\", 5)",
                            "CallScript(\"gFn_chatItem_release_ref\", 7)"));
}

TEST_F(GameMultiLineTest, SampleSkinLookProvidesEverythingTheRendererDraws)
{
    const CEGUI::WidgetLookFeel& look =
        ZuTest::SampleLook("ZuLook.GameMultiLine.looknfeel", "ZuLook/GameMultiLine");
    EXPECT_THAT(ZuTest::MissingStateImagery(look, {"Framed", "NoFrame", "PickedFrame"}), IsEmpty());
    for (const char* area :
         {"TextArea", "NoFrameTextArea", "TextAreaVScroll", "TextAreaHScroll", "TextAreaHVScroll"})
        EXPECT_TRUE(look.isNamedAreaDefined(area)) << area;
    auto& view =
        static_cast<CGameMultiLine&>(CreateChild(CGameMultiLine::WidgetTypeName, "Sample"));
    view.setWindowRenderer(CEGUI::GameMultiLineRenderer::TypeName);
    view.setLookNFeel("ZuLook/GameMultiLine");
    view.setText(NameLines(20));
    RenderFrame();
    EXPECT_TRUE(view.getVertScrollbar()->isVisible());
    EXPECT_NE(nullptr, view.GetHoverBrush());
    EXPECT_GT(view.getGeometryBuffer().getVertexCount(), 0u);
}
} // namespace

// A game's click handler may rewrite the view, close it or unset the client before the
// module's own handling of the press is over, whether a name or an emote was clicked.
TEST_F(GameMultiLineTest, AClickHandlerMayRewriteCloseOrLeaveTheViewItClicked)
{
    enum class Reaction
    {
        Rewrite,
        Close,
        Leave
    };
    ZuTest::TestPictureSource pictures;
    pictures.Add(kEmoteSet, kFirstEmoteIndex + 12, 20, 20);
    for (int run = 0; run < 12; ++run)
    {
        const auto reaction = static_cast<Reaction>(run % 3);
        const bool selectable = run % 6 >= 3;         // the command goes at the release
        const std::size_t clicked = run >= 6 ? 5 : 1; // the emote, or the name
        SCOPED_TRACE(run);
        CGameMultiLine& view = CreateView("say {N Alice} sells {I 1001:[Sword]} {E 12}\n{N Bob}");
        view.setProperty("TextSelectable", selectable ? "True" : "False");
        RenderFrame();
        bool reacted = false;
        m_host.onCall = [&](const ZuTest::HostCall& call)
        {
            if (reacted || call.operation != "SendCommand")
                return;
            reacted = true;
            if (reaction == Reaction::Rewrite)
                view.setText("{N Carol} took over");
            else if (reaction == Reaction::Close)
                CEGUI::WindowManager::getSingleton().destroyWindow(&view);
            else
                ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
        };
        ClickAt(PointIn(view, clicked));
        m_host.onCall = nullptr;
        EXPECT_TRUE(reacted);
        ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(&m_host);
        RenderFrame();
        if (reaction != Reaction::Close)
            CEGUI::WindowManager::getSingleton().destroyWindow(&view);
        RenderFrame();
    }
}

namespace
{
TEST_F(GameMultiLineTest, TextDirectionReadsItsNamesAndMovesTheTextAgain)
{
    // "abc" at the left edge, or at the right one of a right-to-left paragraph.
    CGameMultiLine& view = CreateView("abc");
    const auto startsAtLeft = [&] { return BlocksOf(view).front()->GetArea().left() == 0.0f; };
    EXPECT_EQ("Auto", view.getProperty("TextDirection"));
    const struct
    {
        const char* written;
        const char* read;
        bool atLeft;
    } cases[] = {{"RightToLeft", "RightToLeft", false},
                 {"LeftToRight", "LeftToRight", true},
                 {"rtl", "Auto", true},
                 {"Auto", "Auto", true}};
    for (const auto& test : cases)
    {
        view.setProperty("TextDirection", "RightToLeft");
        view.setProperty("TextDirection", test.written);
        EXPECT_EQ(test.read, view.getProperty("TextDirection")) << test.written;
        EXPECT_EQ(test.atLeft, startsAtLeft()) << test.written;
    }
}
} // namespace
