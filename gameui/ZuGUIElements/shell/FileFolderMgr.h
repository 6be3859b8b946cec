// Folder browsing for the scripts' open-file dialog: SHELL::FileFolderMgr lists the computer's
// top-level places or one folder, and keeps the last listing as a FileSet of FileInfo
// entries, folders first. Names are kept as the file system's bytes (the system code page)
// and given to scripts in UTF-8 (see LocationTexts.h); a location's UTF-8 text opens it again.
//
// On Linux the top level is "/", the mount points of real file systems (not proc, sys, cgroup,
// device, temporary and other kernel file systems) and the home folder.
#pragma once

#include "ZuGUIElements/shell/LocationTexts.h"
#include "public/Singleton.h"

#include <string>
#include <vector>

namespace SHELL
{
class FileInfo
{
public:
    FileInfo() = default;
    // The name and location in the file system's bytes; their texts are decoded from them.
    FileInfo(std::string dspName, std::string location, bool isFolder);
    // With the texts already made: the name's, and the one that the folder manager gave out
    // for the location.
    FileInfo(std::string dspName, std::string dspNameUtf8, std::string location,
             std::string locationUtf8, bool isFolder);

    // Both in UTF-8, whole, and valid as long as the entry is.
    const char* getDspNameUtf8() const { return d_dspNameUtf8.c_str(); }
    const char* getLocationUtf8() const { return d_locationUtf8.c_str(); }
    bool isFolder() const { return d_isFolder; }

    const std::string& getDspName() const { return d_dspName; }
    const std::string& getLocation() const { return d_location; }
    void setDspName(std::string name);
    void setLocation(std::string location);
    void setFolder(bool isFolder) { d_isFolder = isFolder; }

    // Folders before files; within each kind, by display name.
    bool operator<(const FileInfo& other) const;

private:
    std::string d_dspName;
    std::string d_location;
    bool d_isFolder = false;
    std::string d_dspNameUtf8;
    std::string d_locationUtf8;
};

class FileSet
{
public:
    unsigned getFileNum() const { return static_cast<unsigned>(d_files.size()); }
    // Null for an index past the end. Valid until the next listing.
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
    // Lists the folder `location` given as UTF-8 text, as scripts do: a location text that an
    // entry gave opens that entry's folder; another text is tried as it is, then in the system
    // code page. Bytes that are not UTF-8 open the folder of those bytes, whose entries get
    // UTF-8 texts as any listing's. A folder that cannot be read gives the top level.
    void OpenPathUtf8(const char* location);

protected:
    FileFolderMgr() = default;

private:
    // Lists `folder` (bytes) under the text `folderText`; false when it cannot be read.
    bool ListFolder(const std::string& folder, const std::string& folderText);

    FileSet d_result;
    LocationTexts d_texts;
};
} // namespace SHELL
