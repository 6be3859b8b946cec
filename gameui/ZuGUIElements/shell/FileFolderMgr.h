// Folder browsing for the scripts' open-file dialog: SHELL::FileFolderMgr lists the computer's
// top-level places or one folder, and keeps the last listing as a FileSet of FileInfo
// entries, folders first. Names are kept in the system code page and given to scripts in
// UTF-8.
//
// On Linux the top level is "/", the mount points of real file systems (not proc, sys, cgroup,
// device, temporary and other kernel file systems) and the home folder.
#pragma once

#include "ZuGUIElements/module/Singleton.h"

#include <string>
#include <vector>

namespace SHELL
{
class FileInfo
{
public:
    FileInfo() = default;
    FileInfo(std::string dspName, std::string location, bool isFolder)
        : d_dspName(std::move(dspName)), d_location(std::move(location)), d_isFolder(isFolder)
    {
    }

    // Both in UTF-8, in a conversion buffer that the next conversion reuses.
    const char* getDspNameUtf8() const;
    const char* getLocationUtf8() const;
    bool isFolder() const { return d_isFolder; }

    const std::string& getDspName() const { return d_dspName; }
    const std::string& getLocation() const { return d_location; }
    void setDspName(std::string name) { d_dspName = std::move(name); }
    void setLocation(std::string location) { d_location = std::move(location); }
    void setFolder(bool isFolder) { d_isFolder = isFolder; }

    // Folders before files; within each kind, by display name.
    bool operator<(const FileInfo& other) const;

private:
    std::string d_dspName;
    std::string d_location;
    bool d_isFolder = false;
};

class FileSet
{
public:
    unsigned getFileNum() const { return static_cast<unsigned>(d_files.size()); }
    // Null for an index past the end.
    const FileInfo* getFileAt(unsigned index) const;

    void Clear() { d_files.clear(); }
    void Add(FileInfo info) { d_files.push_back(std::move(info)); }
    void Sort();

private:
    std::vector<FileInfo> d_files;
};

class FileFolderMgr : public Singleton<FileFolderMgr>
{
    friend class Singleton<FileFolderMgr>;

public:
    const FileSet* getLastResult() const { return &d_result; }
    // Lists the top-level places.
    void InitSearch();
    // Lists the folder `path` (system code page), "." and ".." included; a folder that cannot
    // be read gives the top level instead.
    void OpenPath(const char* path);

protected:
    FileFolderMgr() = default;

private:
    FileSet d_result;
};
} // namespace SHELL
