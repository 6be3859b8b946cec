#include "ZuGUIElements/shell/FileFolderMgr.h"

#include "public/CodePage.h"

#include <dirent.h>
#include <mntent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>

namespace SHELL
{
namespace
{
// Kernel and memory file systems: not places where a player keeps files.
const std::set<std::string> kPseudoFileSystems = {
    "autofs",     "binfmt_misc", "bpf",      "cgroup",   "cgroup2",  "configfs",
    "debugfs",    "devpts",      "devtmpfs", "efivarfs", "fusectl",  "hugetlbfs",
    "mqueue",     "nsfs",        "proc",     "pstore",   "ramfs",    "rpc_pipefs",
    "securityfs", "sysfs",       "tmpfs",    "tracefs",  "squashfs",
};
const char* const kSystemFolders[] = {"/proc", "/sys", "/dev", "/run"};

bool IsSystemFolder(const std::string& path)
{
    return std::any_of(std::begin(kSystemFolders), std::end(kSystemFolders),
                       [&](const char* folder)
                       {
                           const std::size_t length = std::strlen(folder);
                           return path.compare(0, length, folder) == 0 &&
                                  (path.size() == length || path[length] == '/');
                       });
}

std::set<std::string> RealMountPoints()
{
    std::set<std::string> points;
    const std::unique_ptr<FILE, int (*)(FILE*)> mounts(setmntent("/proc/self/mounts", "r"),
                                                       endmntent);
    if (!mounts)
        return points;
    while (const mntent* entry = getmntent(mounts.get()))
    {
        const std::string point = entry->mnt_dir;
        if (!kPseudoFileSystems.count(entry->mnt_type) && !IsSystemFolder(point))
            points.insert(point);
    }
    return points;
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

// A link to a folder is a folder too.
bool IsFolderEntry(const dirent& entry, const std::string& location)
{
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat status;
    return stat(location.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}
} // namespace

FileInfo::FileInfo(std::string dspName, std::string location, bool isFolder)
    : FileInfo(dspName, FileSystemText(dspName), location, FileSystemText(location), isFolder)
{
}

FileInfo::FileInfo(std::string dspName, std::string dspNameUtf8, std::string location,
                   std::string locationUtf8, bool isFolder)
    : d_dspName(std::move(dspName)), d_location(std::move(location)), d_isFolder(isFolder),
      d_dspNameUtf8(std::move(dspNameUtf8)), d_locationUtf8(std::move(locationUtf8))
{
}

void FileInfo::setDspName(std::string name)
{
    d_dspName = std::move(name);
    d_dspNameUtf8 = FileSystemText(d_dspName);
}

void FileInfo::setLocation(std::string location)
{
    d_location = std::move(location);
    d_locationUtf8 = FileSystemText(d_location);
}

bool FileInfo::operator<(const FileInfo& other) const
{
    if (d_isFolder != other.d_isFolder)
        return d_isFolder;
    return d_dspName < other.d_dspName;
}

const FileInfo* FileSet::getFileAt(unsigned index) const
{
    return index < d_files.size() ? &d_files[index] : nullptr;
}

void FileSet::Sort()
{
    std::stable_sort(d_files.begin(), d_files.end());
}

void FileFolderMgr::InitSearch()
{
    d_result.Clear();
    d_texts.StartListing();
    std::set<std::string> places = RealMountPoints();
    places.insert("/");
    if (const char* home = std::getenv("HOME"); home && *home)
        places.insert(home);
    for (const std::string& place : places)
    {
        std::string text = FileSystemText(place);
        std::string locationText = d_texts.Claim(place, text);
        d_result.Add(FileInfo(place, std::move(text), place, std::move(locationText), true));
    }
    d_texts.FinishListing();
    d_result.Sort();
}

void FileFolderMgr::OpenPath(const char* path)
{
    if (!path)
    {
        InitSearch();
        return;
    }
    // A copy: `path` may be an entry's location, which the listing replaces.
    const std::string folder = path;
    if (!ListFolder(folder, FileSystemText(folder)))
        InitSearch();
}

void FileFolderMgr::OpenPathUtf8(const char* location)
{
    if (location)
    {
        // A copy: `location` may be an entry's text, which the listing replaces.
        const std::string text = location;
        // A text that is not UTF-8 can only open the folder of those bytes, whose own text the
        // entries then build on.
        const bool isUtf8 = IsValidUtf8(text.c_str());
        for (const std::string& folder : d_texts.LocationsFor(text))
        {
            if (ListFolder(folder, isUtf8 ? text : FileSystemText(folder)))
                return;
        }
    }
    InitSearch();
}

bool FileFolderMgr::ListFolder(const std::string& folder, const std::string& folderText)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), closedir);
    if (!directory)
        return false;
    d_result.Clear();
    d_texts.StartListing();
    const std::string claimedFolderText = d_texts.Claim(folder, folderText);
    while (const dirent* entry = readdir(directory.get()))
    {
        std::string location = JoinPath(folder, entry->d_name);
        std::string nameText = FileSystemText(entry->d_name);
        std::string locationText = d_texts.Claim(location, JoinPath(claimedFolderText, nameText));
        const bool isFolder = IsFolderEntry(*entry, location);
        d_result.Add(FileInfo(entry->d_name, std::move(nameText), std::move(location),
                              std::move(locationText), isFolder));
    }
    d_texts.FinishListing();
    d_result.Sort();
    return true;
}
} // namespace SHELL
