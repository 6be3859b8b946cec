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

std::string JoinPath(const std::string& folder, const char* name)
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

const char* FileInfo::getDspNameUtf8() const
{
    return AnsiToUtf8(d_dspName.c_str(), "");
}

const char* FileInfo::getLocationUtf8() const
{
    return AnsiToUtf8(d_location.c_str(), "");
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
    std::set<std::string> places = RealMountPoints();
    places.insert("/");
    if (const char* home = std::getenv("HOME"); home && *home)
        places.insert(home);
    for (const std::string& place : places)
        d_result.Add(FileInfo(place, place, true));
    d_result.Sort();
}

void FileFolderMgr::OpenPath(const char* path)
{
    d_result.Clear();
    const std::string folder = path ? path : "";
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), closedir);
    if (!directory)
    {
        InitSearch();
        return;
    }
    while (const dirent* entry = readdir(directory.get()))
    {
        std::string location = JoinPath(folder, entry->d_name);
        const bool isFolder = IsFolderEntry(*entry, location);
        d_result.Add(FileInfo(entry->d_name, std::move(location), isFolder));
    }
    d_result.Sort();
}
} // namespace SHELL
