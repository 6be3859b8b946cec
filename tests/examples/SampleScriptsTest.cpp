#include "client/SampleScripts.h"
#include "client/SampleGameClient.h"

#include "support/CeguiFixture.h"

#include "ZuGUIElements/richtext/ColorPropertyManager.h"
#include "ZuGUIElements/script/ScriptModule.h"
#include "ZuGUIElements/textwidgets/GameChatBox.h"
#include "public/CodePage.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <unistd.h>

namespace
{
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::SizeIs;
using ZuDemo::ScriptError;

// The sample game's script on the client's state, the module's binding handed over first.
class SampleScriptsTest : public ZuTest::CeguiTest
{
protected:
    // The sample client needs CEGUI when it is constructed, before SetUp.
    static void SetUpTestSuite() { ZuTest::CeguiSystem::Boot(); }

    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuTest::LoadTestScheme("GameChatBoxTest");
        m_client.RegisterScriptModule(&ZuGUI::OpenScriptModule);
        m_client.SetScripts(&m_scripts);
        m_scripts.RunFile("demo.lua", "skin");
    }

    ZuDemo::SampleScripts m_scripts;
    ZuDemo::SampleGameClient m_client;
};

TEST_F(SampleScriptsTest, ScriptRegistersTheChatColours)
{
    const auto& colours = ZuGUI::TextParser::CColorPropertyManager::Instance();
    EXPECT_EQ(0xFFFFD700u, colours.GetColor("gold").text);
    EXPECT_EQ(0xFFA8A8A8u, colours.GetColor("grey").text);
    EXPECT_EQ(0xFF6FC3FFu, colours.GetClickColors().command);
    EXPECT_EQ(0xFFFFF27Au, colours.GetClickColors().hoverText);
}

TEST_F(SampleScriptsTest, ChatFeedPushesEachLineOnceWhenItsTimeHasCome)
{
    auto& box = static_cast<ZuGUI::CGameChatBox&>(
        CreateChild("ZuTest/GameChatBox", "Chat", 0, 0, 300, 200));
    box.SetChatCapacity(12);
    EXPECT_TRUE(m_scripts.Call("demo_push_chat", {&box, 0.05}).empty());
    const std::vector<std::string> first = m_scripts.Call("demo_push_chat", {&box, 0.3});
    ASSERT_THAT(first, SizeIs(2));
    EXPECT_THAT(first[1], HasSubstr("{N Bram}: evening all"));
    EXPECT_TRUE(m_scripts.Call("demo_push_chat", {&box, 0.3}).empty());
    EXPECT_EQ(2u, box.GetCurChatSize());
    EXPECT_THAT(m_scripts.Call("demo_push_chat", {&box, 100.0}), SizeIs(14));
}

TEST_F(SampleScriptsTest, FileListShowsFoldersFirstWithTheirPictures)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zu-scripts-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "maps");
    std::ofstream(folder / "a.txt") << "x";
    auto& list = static_cast<CEGUI::MultiColumnList&>(
        CreateChild("TaharezLook/MultiColumnList", "Files", 0, 0, 300, 200));

    EXPECT_THAT(m_scripts.Call("demo_fill_file_list", {&list, folder.string()}),
                ElementsAre("listed 4 entries of " + folder.string()));
    std::filesystem::remove_all(folder);

    // "." and ".." lead, as the folder manager lists them.
    const auto cell = [&list](unsigned row, unsigned column)
    { return list.getItemAtGridReference(CEGUI::MCLGridRef(row, column))->getText(); };
    ASSERT_EQ(4u, list.getRowCount());
    EXPECT_EQ("..", cell(1, 1));
    EXPECT_EQ("maps", cell(2, 1));
    EXPECT_EQ("ZuLookIcons/Folder", cell(2, 0));
    EXPECT_EQ("a.txt", cell(3, 1));
    EXPECT_EQ("ZuLookIcons/File", cell(3, 0));
}

// As a double click on a folder's row: the script opens the folder through its listed entry,
// here one whose name is not UTF-8.
TEST_F(SampleScriptsTest, FileListOpensAListedFolderByTheLocationItsEntryGave)
{
    SetSystemCodePage("UTF-8");
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zu-scripts-open-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder / "caf\xE9");
    std::ofstream(folder / "caf\xE9" / "a.map") << "x";
    auto& list = static_cast<CEGUI::MultiColumnList&>(
        CreateChild("TaharezLook/MultiColumnList", "Files", 0, 0, 300, 200));

    m_scripts.Call("demo_fill_file_list", {&list, folder.string()});
    const std::vector<std::string> opened =
        m_scripts.Call("demo_open_listed_folder", {&list, std::string("caf\xC3\xA9")});
    const std::vector<std::string> missing =
        m_scripts.Call("demo_open_listed_folder", {&list, std::string("maps")});
    std::filesystem::remove_all(folder);
    SetSystemCodePage(nullptr);

    EXPECT_THAT(opened, ElementsAre("opened caf\xC3\xA9: listed 3 entries of " + folder.string() +
                                    "/caf\xC3\xA9"));
    ASSERT_EQ(3u, list.getRowCount());
    EXPECT_EQ("a.map", list.getItemAtGridReference(CEGUI::MCLGridRef(2, 1))->getText());
    EXPECT_THAT(missing, ElementsAre("no folder maps is listed"));
}

TEST_F(SampleScriptsTest, ScriptFailuresComeOutWithLuasMessage)
{
    struct Case
    {
        const char* what;
        std::function<void()> run;
        const char* message;
    };
    const Case cases[] = {
        {"unknown function", [this] { m_scripts.Call("no_such_function", {}); },
         "no script function 'no_such_function'"},
        {"nil window",
         [this] {
             m_scripts.Call("demo_push_chat", {static_cast<CEGUI::Window*>(nullptr), 1.0});
         },
         "attempt to index"},
        {"missing file", [this] { m_scripts.RunFile("missing.lua", "skin"); }, "missing.lua"},
    };
    for (const Case& failure : cases)
    {
        try
        {
            failure.run();
            ADD_FAILURE() << failure.what << ": no error";
        }
        catch (const ScriptError& error)
        {
            EXPECT_THAT(error.what(), HasSubstr(failure.message)) << failure.what;
        }
    }
}
} // namespace
