#include "support/CeguiFixture.h"
#include "support/QuadGeometry.h"
#include "support/RecordingHost.h"

#include "ZuGUIElements/module/ZuGUIExtraFacoryManager.h"
#include "ZuGUIElements/richtext/RichTextDoc.h"
#include "ZuGUIElements/textwidgets/ChatEditBox.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "ZuGUIElements/textwidgets/GameMultiLine.h"
#include "ZuGUIElements/textwidgets/RichContentEdit.h"
#include "ZuGUIElements/textwidgets/TabControlForChat.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <functional>

namespace
{
using ::testing::ElementsAre;
using ZuGUI::CChatEditBox;
using ZuTest::RecordingHost;

class ChatEditBoxTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("EditBoxTest");
        for (int id : {17, 18, 42})
            m_host.scriptStrings["gFn_make_chat_item_text:" + std::to_string(id)] =
                "{I " + std::to_string(id) + ":[item " + std::to_string(id) + "]}";
    }

    CChatEditBox& CreateInput()
    {
        return static_cast<CChatEditBox&>(
            CreateChild("ZuTest/ChatEditBox", "Input", 10, 10, 300, 30));
    }

    static void PushItem(CEGUI::Window& input, unsigned id, const char* name)
    {
        input.setProperty("PushId", CEGUI::PropertyHelper<CEGUI::uint>::toString(id));
        input.setProperty("PushText", name);
    }

    RecordingHost m_host;
    ZuTest::ScopedHost m_scopedHost{&m_host};
};

TEST_F(ChatEditBoxTest, EveryChatBoxShowsExactlyWhatThePlayerTypedWithPushedItemsAsLinks)
{
    ZuTest::LoadTestScheme("GameChatBoxTest");
    auto& box = static_cast<ZuGUI::CGameChatBox&>(
        CreateChild("ZuTest/GameChatBox", "Chat", 10, 50, 300, 200));
    box.setProperty("ChatCapacity", "8");
    CChatEditBox& input = CreateInput();
    const char* const typed[] = {
        "{I 1001:[Legendary Blade]} {M /kick Bob:click}",
        "{C /evil:            }{Ak 0,-1}{N Alice}: trade?",
        "}}{{ {{{ {Zz x} {",
        "plain words",
    };
    for (const char* text : typed)
    {
        input.setText(text);
        input.setText(input.getText() + " for ");
        PushItem(input, 42, "[Sword]");
        const CEGUI::String encoded = input.getProperty("EncodedText");
        m_host.ClearCalls();
        ASSERT_TRUE(box.PushChatText(encoded));
        // Laid out once for its width and height: the client colours the item once.
        EXPECT_THAT(m_host.CallLines("CallScriptRetInt"),
                    ElementsAre("CallScriptRetInt(\"item_color\", 42)"))
            << text;
        auto& view = dynamic_cast<ZuGUI::CGameMultiLine&>(
            *box.GetChatWindowByIndex(box.GetCurChatSize() - 1));
        EXPECT_EQ(std::string(text) + " for [item 42]", view.getPlainText().c_str()) << text;
        // The pushed item is the line's one link.
        std::vector<int> kinds;
        for (const auto& line :
             static_cast<const ZuGUI::TextBlocks::CRichTextDoc*>(view.QueryDoc())->GetLines())
            for (const auto& block : line->GetBlocks())
                if (auto* command = block->AsCmdText())
                    kinds.push_back(command->GetCommandKind());
        EXPECT_THAT(kinds, ElementsAre(ZuGUI::TextBlocks::kItemName)) << text;
        input.setText("");
    }
}

TEST_F(ChatEditBoxTest, EncodingReplacesPushedNamesWithTheClientsItemText)
{
    struct Case
    {
        const char* name;
        std::function<void(CChatEditBox&)> edit;
        const char* limit;
        const char* encoded;
        const char* count;
    };
    const Case cases[] = {
        {"a prefix, a name and a suffix",
         [](CChatEditBox& input)
         {
             input.setText("buy ");
             PushItem(input, 17, "[Sword]");
             input.setText(input.getText() + " now");
         },
         "", "buy {I 17:[item 17]} now", "1"},
        {"a name pushed twice, with a limit of one",
         [](CChatEditBox& input)
         {
             PushItem(input, 17, "[Sword]");
             input.setText(input.getText() + " or ");
             PushItem(input, 18, "[Sword]");
         },
         "1", "{I 17:[item 17]} or [Sword]", "2"},
        {"a limit of 0 encodes every name",
         [](CChatEditBox& input)
         {
             PushItem(input, 17, "[A]");
             PushItem(input, 18, "[B]");
         },
         "0", "{I 17:[item 17]}{I 18:[item 18]}", "2"},
        {"a name the script took out is no link; the others stay",
         [](CChatEditBox& input)
         {
             PushItem(input, 17, "[A]");
             PushItem(input, 18, "[B]");
             input.setText("[B]");
             input.setText(input.getText() + " only");
         },
         "", "{I 18:[item 18]} only", "1"},
        {"a cleared text forgets its names",
         [](CChatEditBox& input)
         {
             PushItem(input, 17, "[A]");
             input.setText("");
             input.setText("[A] typed");
         },
         "", "[A] typed", "0"},
        {"a name without its item is plain text",
         [](CChatEditBox& input) { input.setProperty("PushText", "[A]"); }, "", "[A]", "0"},
    };
    for (const Case& entry : cases)
    {
        SCOPED_TRACE(entry.name);
        CChatEditBox& input = CreateInput();
        if (*entry.limit)
            input.setProperty("MaxEncodeNum", entry.limit);
        entry.edit(input);
        EXPECT_EQ(entry.encoded, input.getProperty("EncodedText"));
        EXPECT_EQ(entry.count, input.getProperty("EncodeNum"));
        CEGUI::WindowManager::getSingleton().destroyWindow(&input);
    }
}

TEST_F(ChatEditBoxTest, LinksFollowTheirNamesAsThePlayerEdits)
{
    using CEGUI::Key;
    struct Case
    {
        const char* name;
        std::function<void(CChatEditBox&)> edit;
        const char* encoded;
    };
    const Case cases[] = {
        {"linking an item again links it where it now stands",
         [this](CChatEditBox& input)
         {
             PushItem(input, 17, "[Potion]");
             Type(" and ");
             PushItem(input, 18, "[Sword]");
             input.setCaretIndex(8);
             for (int i = 0; i < 8; ++i)
                 Press(Key::Backspace);
             input.setCaretIndex(input.getText().length());
             Type(" or ");
             PushItem(input, 17, "[Potion]");
         },
         " and {I 18:[item 18]} or {I 17:[item 17]}"},
        {"a typed text that reads like a link's name stays text",
         [this](CChatEditBox& input)
         {
             Type("price 5 gold, item: ");
             PushItem(input, 17, "5 gold");
         },
         "price 5 gold, item: {I 17:[item 17]}"},
        {"typing before a link moves it",
         [this](CChatEditBox& input)
         {
             PushItem(input, 17, "[aa]");
             input.setCaretIndex(0);
             Type("[aa] ");
         },
         "[aa] {I 17:[item 17]}"},
        {"typing in a name makes it text",
         [this](CChatEditBox& input)
         {
             PushItem(input, 17, "[Sword]");
             input.setCaretIndex(3);
             Type("x");
         },
         "[Swxord]"},
        {"deleting the last character of a name makes it text",
         [this](CChatEditBox& input)
         {
             PushItem(input, 17, "[Sword]");
             Press(Key::Backspace);
         },
         "[Sword"},
        {"deleting a repeated character before a link keeps it",
         [this](CChatEditBox& input)
         {
             Type("]");
             PushItem(input, 17, "]]");
             input.setCaretIndex(1);
             Press(Key::Backspace);
         },
         "{I 17:[item 17]}"},
        {"deleting a repeated character between links keeps both",
         [this](CChatEditBox& input)
         {
             PushItem(input, 17, "x");
             Type("xx");
             PushItem(input, 18, "x");
             input.setCaretIndex(2);
             Press(Key::Backspace);
         },
         "{I 17:[item 17]}x{I 18:[item 18]}"},
        {"a selection typed over takes the links it covers",
         [this](CChatEditBox& input)
         {
             PushItem(input, 17, "[A]");
             PushItem(input, 18, "[B]");
             input.setSelection(0, 3);
             Type("x");
         },
         "x{I 18:[item 18]}"},
    };
    for (const Case& entry : cases)
    {
        SCOPED_TRACE(entry.name);
        CChatEditBox& input = CreateInput();
        input.activate();
        entry.edit(input);
        EXPECT_EQ(entry.encoded, input.getProperty("EncodedText"));
        CEGUI::WindowManager::getSingleton().destroyWindow(&input);
    }
}

TEST_F(ChatEditBoxTest, APushedNameIsOneLineAndAnEmptyOneNoLink)
{
    CChatEditBox& input = CreateInput();
    PushItem(input, 17, "[Two\nLines]");
    PushItem(input, 18, "");
    EXPECT_EQ("[Two Lines]", input.getText());
    EXPECT_EQ("{I 17:[item 17]}", input.getProperty("EncodedText"));
    EXPECT_EQ("1", input.getProperty("EncodeNum"));
}

TEST_F(ChatEditBoxTest, CommandPropertiesReadNothingAndReadOnlyOnesIgnoreWrites)
{
    CChatEditBox& input = CreateInput();
    PushItem(input, 42, "[Gem]");
    EXPECT_EQ("[Gem]", input.getText());
    EXPECT_EQ("", input.getProperty("PushId"));
    EXPECT_EQ("", input.getProperty("PushText"));
    input.setProperty("EncodedText", "forged");
    input.setProperty("EncodeNum", "9");
    EXPECT_EQ("{I 42:[item 42]}", input.getProperty("EncodedText"));
    EXPECT_EQ("1", input.getProperty("EncodeNum"));
    // The name is appended whatever the caret's position, and typing goes on after it.
    input.setCaretIndex(0);
    PushItem(input, 17, "[Sword]");
    EXPECT_EQ("[Gem][Sword]", input.getText());
    EXPECT_EQ(12u, input.getCaretIndex());
    EXPECT_THAT(m_host.CallLines("CallScriptRetString"),
                ElementsAre("CallScriptRetString(\"gFn_make_chat_item_text\", 42)"));

    // Without a client the names stay in the text and nothing is added for them.
    ZuGUI::ZuGUIExtraFacoryManager::Instance().SetIZuGUI(nullptr);
    EXPECT_EQ("", input.getProperty("EncodedText"));
}

TEST_F(ChatEditBoxTest, APushedNameMovesTheCaretOffsetAndNeverPassesTheMaximumLength)
{
    CChatEditBox& input = CreateInput();
    input.setMaxTextLength(12);
    int full = 0;
    input.subscribeEvent(CEGUI::Editbox::EventEditboxFull,
                         [&full](const CEGUI::EventArgs&) { return ++full > 0; });
    input.setText("wts ");
    input.setCaretIndex(4);
    PushItem(input, 17, "[Sword]");
    EXPECT_EQ("wts [Sword]", input.getText());
    EXPECT_FLOAT_EQ(input.getFont()->getTextExtent("wts [Sword]"), input.getCaratOffset());

    // One more name would pass 12 characters: it is refused whole, and not encoded later.
    PushItem(input, 18, "[Axe]");
    EXPECT_EQ("wts [Sword]", input.getText());
    EXPECT_EQ(1, full);
    input.setText(input.getText() + "!");
    EXPECT_EQ("wts {I 17:[item 17]}!", input.getProperty("EncodedText"));
}

// A tag list over the rich content edit's protected operations.
class TaggedEdit : public ZuGUI::CRichContentEdit
{
public:
    static const CEGUI::String WidgetTypeName;

    using CRichContentEdit::CRichContentEdit;
    using CRichContentEdit::FindTagAtSize;
    using CRichContentEdit::PushTag;
    using CRichContentEdit::RemoveTag;
};

const CEGUI::String TaggedEdit::WidgetTypeName("ZuTest/TaggedEdit");

TEST_F(ChatEditBoxTest, ContentTagsAreFoundStrictlyInsideTheirRange)
{
    CEGUI::WindowFactoryManager& factories = CEGUI::WindowFactoryManager::getSingleton();
    if (!factories.isFactoryPresent(TaggedEdit::WidgetTypeName))
    {
        factories.addFactory(&ZuGUI::FactoryInstance<ZuGUI::ZuWindowFactory<TaggedEdit>>());
        factories.addFalagardWindowMapping("ZuTest/TaggedRichEdit", TaggedEdit::WidgetTypeName,
                                           "TaharezLook/Editbox",
                                           CEGUI::CRichContentEditRenderer::TypeName);
    }
    auto& edit = static_cast<TaggedEdit&>(CreateChild("ZuTest/TaggedRichEdit", "Rich"));
    ZuGUI::CRichContentTag first(2, 5);
    ZuGUI::CRichContentTag second(4, 9);
    edit.PushTag(&first);
    edit.PushTag(&second);
    const struct
    {
        unsigned pos;
        const ZuGUI::CRichContentTag* tag;
    } cases[] = {{2, nullptr}, {3, &first}, {4, &first}, {5, &second}, {9, nullptr}};
    for (const auto& entry : cases)
        EXPECT_EQ(entry.tag, edit.FindTagAtSize(entry.pos)) << entry.pos;
    edit.RemoveTag(&first);
    edit.RemoveTag(&first);
    EXPECT_EQ(&second, edit.FindTagAtSize(5));
    EXPECT_EQ(nullptr, edit.FindTagAtSize(4));

    // It edits and draws as a game edit box.
    edit.setProperty("InsertText", "abc");
    EXPECT_EQ("abc", edit.getText());
    RenderFrame();
    EXPECT_FALSE(ZuTest::WindowQuads(edit).empty());
}

TEST_F(ChatEditBoxTest, ChatTabsDrawTheirOwnImageryLikeAPlainWindow)
{
    CEGUI::Window& stock = CreateChild("ZuTest/StockChatTabs", "Stock");
    CEGUI::Window& tabs = CreateChild("ZuTest/TabControlForChat", "Tabs");
    RenderFrame();
    EXPECT_TRUE(ZuTest::WindowQuads(stock).empty());
    EXPECT_FALSE(ZuTest::WindowQuads(tabs).empty());
}
} // namespace
