#include "ZuGUIElements/shell/FileFolderMgr.h"
#include "public/CodePage.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace
{
using SHELL::FileFolderMgr;
using SHELL::FileSet;
using ::testing::ElementsAre;

class FileFolderMgrTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder =
            std::filesystem::temp_directory_path() / ("zugui-files-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_folder / "zeta");
        std::filesystem::create_directories(m_folder / "Alpha");
        std::ofstream(m_folder / "b.txt") << "b";
        std::ofstream(m_folder / "a.txt") << "a";
        // A name in the system code page of the test: "café" in CP1252.
        std::ofstream(m_folder / "caf\xE9.map") << "c";
        std::filesystem::create_directory_symlink(m_folder / "zeta", m_folder / "link");
    }
    void TearDown() override
    {
        SetSystemCodePage(nullptr);
        std::filesystem::remove_all(m_folder);
    }

    static std::vector<std::string> Names(const FileSet& set)
    {
        std::vector<std::string> names;
        for (unsigned i = 0; i < set.getFileNum(); ++i)
            names.push_back(std::string(set.getFileAt(i)->isFolder() ? "[" : "") +
                            set.getFileAt(i)->getDspNameUtf8());
        return names;
    }

    std::filesystem::path m_folder;
};

TEST_F(FileFolderMgrTest, AFolderListsFoldersFirstEachKindInOrder)
{
    SetSystemCodePage("CP1252");
    FileFolderMgr& files = FileFolderMgr::Instance();
    files.OpenPath(m_folder.string().c_str());
    const FileSet& set = *files.getLastResult();
    EXPECT_THAT(Names(set), ElementsAre("[.", "[..", "[Alpha", "[link", "[zeta", "a.txt", "b.txt",
                                        "caf\xC3\xA9.map"));
    EXPECT_EQ((m_folder / "a.txt").string(), set.getFileAt(5)->getLocationUtf8());
    EXPECT_EQ(nullptr, set.getFileAt(set.getFileNum()));
    EXPECT_EQ(nullptr, set.getFileAt(0xFFFFFFFFu));

    // A location that ends in "/" is joined without a second one.
    files.OpenPath((m_folder.string() + "/").c_str());
    EXPECT_EQ((m_folder / "zeta").string(), files.getLastResult()->getFileAt(4)->getLocation());
}

TEST_F(FileFolderMgrTest, AFolderThatCannotBeReadGivesTheTopLevel)
{
    FileFolderMgr& files = FileFolderMgr::Instance();
    files.InitSearch();
    const std::vector<std::string> top = Names(*files.getLastResult());
    EXPECT_THAT(top, ::testing::Contains("[/"));
    if (const char* home = std::getenv("HOME"))
        EXPECT_THAT(top, ::testing::Contains(std::string("[") + home));
    for (const std::string& name : top)
    {
        EXPECT_EQ('[', name[0]) << "only folders";
        EXPECT_NE(0u, name.rfind("[/proc", 0)) << name;
        EXPECT_NE(0u, name.rfind("[/sys", 0)) << name;
    }
    for (const std::string& unreadable :
         {(m_folder / "missing").string(), (m_folder / "a.txt").string(), std::string()})
    {
        files.OpenPath(unreadable.c_str());
        EXPECT_EQ(top, Names(*files.getLastResult())) << unreadable;
    }
    files.OpenPath(nullptr);
    EXPECT_EQ(top, Names(*files.getLastResult()));
    EXPECT_EQ(0u, FileSet().getFileNum());
}
} // namespace
