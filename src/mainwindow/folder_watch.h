// Following a shown folder: a worker thread waits for the file system's
// reports of changes in it, reads afresh each file they name (and the
// client's list file when that changed), and tells the window that changes
// wait to be taken.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "inventory/file_entry.h"
#include "win/handles.h"

namespace orvane {

// What changed since the last take.
struct FolderChanges {
    FileEntryList present;           // files there now, as a scan lists them
    std::vector<std::wstring> gone;  // names that are no listed file any more
    bool complete = false;           // present is the whole folder
    bool folderGone = false;         // the folder itself is gone
};

class FolderWatch {
public:
    // listFolder: where the client's list file lies when the folder shown is
    // the client's, else empty. catchUp: the worker first reads the whole
    // folder, for a list that may be behind it. The window gets message
    // (no parameters) whenever changes wait and none were waiting before. A
    // folder that cannot be watched (a share that reports nothing, a folder
    // gone) ends the watch without a word; a folder gone is reported.
    FolderWatch(std::wstring folder, std::wstring listFolder, bool catchUp, HWND window, UINT message);
    ~FolderWatch();  // stops the worker and waits for it
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    const std::wstring& Folder() const { return folder_; }
    FolderChanges Take();

private:
    void Run(bool catchUp);
    bool Watch(UniqueFile& directory, UniqueEvent& ioEvent);
    void ReadNames(std::vector<std::wstring> names);
    void ReadWholeFolder();
    void Publish(const std::function<void(std::map<std::wstring, std::optional<FileEntry>>&)>& change, bool complete,
                 bool folderGone);
    bool ListFileHere() const;

    const std::wstring folder_;
    const std::wstring listFolder_;
    const HWND window_;
    const UINT message_;
    std::vector<std::wstring> listLines_;  // the worker's: the list file as last read
    UniqueEvent stop_;

    std::mutex mutex_;                                        // guards what follows
    std::map<std::wstring, std::optional<FileEntry>> ready_;  // nothing: gone
    bool complete_ = false;
    bool folderGone_ = false;
    bool posted_ = false;

    std::thread worker_;  // last: starts once everything above is made
};

}  // namespace orvane
