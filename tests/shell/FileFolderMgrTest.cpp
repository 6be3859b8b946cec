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
using SHELL::FileInfo;
using SHELL::FileSet;
using SHELL::LocationTexts;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

class FileFolderMgrTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // One folder per test: the manager remembers the location texts it gave out.
        m_folder = std::filesystem::temp_directory_path() /
                   ("zugui-files-" + std::to_string(getpid()) + "-" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
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

    // The file that MakeMarkedFolder puts in the folder `bytes`: its name in hexadecimal.
    static std::string Marker(const std::string& bytes)
    {
        std::string marker = "in-";
        for (unsigned char byte : bytes)
        {
            const char digits[] = "0123456789abcdef";
            marker += {digits[byte >> 4], digits[byte & 15]};
        }
        return marker;
    }
    static void MakeMarkedFolder(const std::filesystem::path& parent, const std::string& bytes)
    {
        std::filesystem::create_directories(parent / bytes);
        std::ofstream(parent / bytes / Marker(bytes)) << "x";
    }

    static const FileInfo* EntryWithLocation(const FileSet& set, const std::string& location)
    {
        for (unsigned i = 0; i < set.getFileNum(); ++i)
        {
            if (set.getFileAt(i)->getLocation() == location)
                return set.getFileAt(i);
        }
        return nullptr;
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
    {
        EXPECT_THAT(top, ::testing::Contains(std::string("[") + home));
    }
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

// Names in UTF-8, in the system code page and in neither: each shows readably, and the
// location text it gives opens it, as do the texts of the entries listed inside it.
TEST_F(FileFolderMgrTest, EveryListedFolderOpensByItsLocationText)
{
    struct Folder
    {
        std::string bytes;
        std::string shown;
    };
    const struct
    {
        const char* codePage; // null: the C locale's, ASCII
        std::vector<Folder> folders;
    } cases[] = {
        {"CP1252", {{"caf\xE9", "caf\xC3\xA9"}}},
        {"CP1252", {{"x\x81", "x\xC2\x81"}}}, // no character in CP1252
        // The same name in UTF-8 and in CP1252, side by side.
        {"CP1252", {{"caf\xC3\xA9", "caf\xC3\xA9"}, {"caf\xE9", "caf\xC3\xA9"}}},
        {"UTF-8", {{"caf\xE9", "caf\xC3\xA9"}, {"caf\xE8", "caf\xC3\xA8"}}},
        {nullptr, {{"Caf\xC3\xA9", "Caf\xC3\xA9"}, {"caf\xE9", "caf\xC3\xA9"}}},
    };
    FileFolderMgr& files = FileFolderMgr::Instance();
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        SCOPED_TRACE("case " + std::to_string(i));
        SetSystemCodePage(cases[i].codePage);
        if (!cases[i].codePage)
        {
            ASSERT_STREQ("ANSI_X3.4-1968", GetSystemCodePage());
        }
        const std::filesystem::path parent = m_folder / ("case" + std::to_string(i));
        for (const Folder& folder : cases[i].folders)
            MakeMarkedFolder(parent, folder.bytes);
        for (const Folder& folder : cases[i].folders)
        {
            SCOPED_TRACE(folder.shown);
            files.OpenPath(parent.c_str());
            const FileInfo* entry =
                EntryWithLocation(*files.getLastResult(), (parent / folder.bytes).string());
            ASSERT_NE(nullptr, entry);
            EXPECT_EQ(folder.shown, entry->getDspNameUtf8());
            const FileInfo kept = *entry;

            files.OpenPathUtf8(kept.getLocationUtf8());
            EXPECT_THAT(Names(*files.getLastResult()), Contains(Marker(folder.bytes)));
            files.OpenPathUtf8(files.getLastResult()->getFileAt(1)->getLocationUtf8()); // ".."
            EXPECT_THAT(Names(*files.getLastResult()), Contains("[" + folder.shown));
        }
    }
}

// A text that no entry gave: as it is, else in the system code page when it converts exactly.
TEST_F(FileFolderMgrTest, OtherTextsAreTriedAsTheyAreThenInTheSystemCodePage)
{
    const struct
    {
        const char* codePage;
        std::string folder;
        std::string text;
        bool opens;
    } cases[] = {
        {"CP1252", "caf\xE9", "caf\xC3\xA9", true},
        {"CP1252", "caf\xC3\xA9", "caf\xC3\xA9", true},
        {"UTF-8", "caf\xE9", "caf\xC3\xA9", false},
        // U+65E5 has no CP1252 form: its '?' must not open "caf?".
        {"CP1252", "caf?", "caf\xE6\x97\xA5", false},
    };
    FileFolderMgr& files = FileFolderMgr::Instance();
    files.InitSearch();
    const std::vector<std::string> top = Names(*files.getLastResult());
    for (std::size_t i = 0; i < std::size(cases); ++i)
    {
        SCOPED_TRACE("case " + std::to_string(i));
        SetSystemCodePage(cases[i].codePage);
        const std::filesystem::path parent = m_folder / ("case" + std::to_string(i));
        MakeMarkedFolder(parent, cases[i].folder);
        files.OpenPathUtf8((parent.string() + "/" + cases[i].text).c_str());
        if (cases[i].opens)
            EXPECT_THAT(Names(*files.getLastResult()), Contains(Marker(cases[i].folder)));
        else
            EXPECT_EQ(top, Names(*files.getLastResult()));
    }
    files.OpenPathUtf8(nullptr);
    EXPECT_EQ(top, Names(*files.getLastResult()));
}

TEST(LocationTextsTest, RememberedTextsStayBoundedWhileTheLastListingKeepsItsOwn)
{
    LocationTexts texts;
    const auto list = [&texts](std::size_t first, std::size_t count)
    {
        texts.StartListing();
        for (std::size_t i = first; i < first + count; ++i)
            texts.Claim("/no-such-bytes/" + std::to_string(i),
                        "/no-such-text/" + std::to_string(i));
        texts.FinishListing();
    };
    for (std::size_t i = 0; i < 3 * LocationTexts::kMaxRemembered; ++i)
        list(i, 1);
    EXPECT_LE(texts.RememberedCount(), LocationTexts::kMaxRemembered + 1);
    const std::size_t last = 3 * LocationTexts::kMaxRemembered - 1;
    EXPECT_THAT(texts.LocationsFor("/no-such-text/" + std::to_string(last)),
                ElementsAre("/no-such-bytes/" + std::to_string(last)));

    // A listing larger than the bound keeps every one of its texts.
    list(0, LocationTexts::kMaxRemembered + 10);
    EXPECT_EQ(LocationTexts::kMaxRemembered + 10, texts.RememberedCount());
    EXPECT_THAT(texts.LocationsFor("/no-such-text/0"), ElementsAre("/no-such-bytes/0"));
    // A text that is its own bytes is never remembered.
    texts.Claim("/no-such-bytes/x", "/no-such-bytes/x");
    EXPECT_EQ(LocationTexts::kMaxRemembered + 10, texts.RememberedCount());
}
} // namespace
