// Following a shown folder: a worker thread waits for the file system's
// reports of changes in it, reads afresh each file they name (and the
// client's list file when that changed), and tells the window's thread,
// through its queue, that changes wait to be taken.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/file_entry.h"
#include "platform/handles.h"
#include "platform/ui_queue.h"

namespace orvane {

// A file renamed: the name it had, the name it has now.
using Renamed = std::pair<std::wstring, std::wstring>;

// What changed since the last take.
struct FolderChanges {
    FileEntryList present;           // files there now, as a scan lists them
    std::vector<std::wstring> gone;  // names that are no listed file any more
    std::vector<Renamed> renamed;    // gone names whose file is present under another name
    bool complete = false;           // present is the whole folder
    bool folderGone = false;         // the folder itself is gone
};

// The files a report named, as the folder holds them now.
struct NamedFiles {
    FileEntryList present;
    std::vector<std::wstring> gone;
    std::vector<Renamed> renamed;
};

// Reads each named file afresh by the name it has on disk: the platform
// finds a file under any letter case, so a name reported in the case the
// file had before a rename is the renamed file's, and goes. stopped is asked
// before each file; once it holds, what is read is incomplete.
NamedFiles ReadNamedFiles(const std::wstring& folder, const std::set<std::wstring>& names,
                          const std::function<bool()>& stopped);

// The folder's files as a scan lists them; nothing once stopped holds
// (asked before each file, so a stop never waits for a long folder).
std::optional<FileEntryList> ReadFolderFiles(const std::wstring& folder, const std::function<bool()>& stopped);

class FolderWatch {
public:
    // listFolder: where the client's list file lies when the folder shown is
    // the client's, else empty. catchUp: the worker first reads the whole
    // folder, for a list that may be behind it. Changes made once the
    // constructor returns are reported, so the caller may scan the folder
    // afterwards. onChanges is posted to the queue whenever changes wait and
    // none were waiting before; once the queue is gone, nothing is posted. A
    // folder that cannot be watched (a share that reports nothing) ends the
    // watch without a word; a folder that goes is reported, looked for twice
    // a second, and read whole when it is there again. Without waitArmed the
    // constructor returns at once, and whoever scans the folder next calls
    // ArmedWaiter's call first: a folder on a share that does not answer
    // then holds up that thread, not the caller's.
    FolderWatch(std::wstring folder, std::wstring listFolder, bool catchUp, UiQueue::Poster queue,
                std::function<void()> onChanges, bool waitArmed = true);
    ~FolderWatch();  // stops the worker and waits for it
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    const std::wstring& Folder() const { return folder_; }
    const std::wstring& ListFolder() const { return listFolder_; }
    FolderChanges Take();
    // Waits until changes made from then on are reported, for at most a
    // second (a watch that is later reads the whole folder first). Callable
    // on any thread, also once the watch is gone.
    std::function<void()> ArmedWaiter() const;

private:
    enum class Ended { Stopped, Failed, FolderLeft };
    struct FolderId {
        DWORD volume = 0, high = 0, low = 0;
        bool operator==(const FolderId&) const = default;
    };
    struct Arming {
        UniqueEvent armed{
            CreateEventW(nullptr, TRUE, FALSE, nullptr)};  // set once the first request is made, or none can be
        std::atomic<bool> catchUp{false};                  // read the whole folder once a request is made
    };
    static void WaitArmed(Arming& arming);
    static std::optional<FolderId> IdOf(HANDLE folder);
    std::optional<FolderId> FolderHere() const;
    void Run();
    Ended Watch(UniqueFile& directory, const FolderId& id);
    bool Stopped() const { return stopping_.load(std::memory_order_relaxed); }
    void ReadNames(std::vector<std::wstring> names);
    void ReadWholeFolder();
    void Publish(const std::function<void(std::map<std::wstring, std::optional<FileEntry>>&)>& change,
                 const std::vector<Renamed>& renamed, bool complete, bool folderGone);
    bool ListFileHere() const;

    const std::wstring folder_;
    const std::wstring listFolder_;
    const UiQueue::Poster queue_;
    const std::function<void()> onChanges_;
    std::vector<std::wstring> listLines_;  // the worker's: the list file as last read
    UniqueEvent stop_;
    const std::shared_ptr<Arming> arming_;  // shared with the waiters, which may outlive the watch
    std::atomic<bool> stopping_{false};

    std::mutex mutex_;                                        // guards what follows
    std::map<std::wstring, std::optional<FileEntry>> ready_;  // nothing: gone
    std::map<std::wstring, std::wstring> renamed_;
    bool complete_ = false;
    bool folderGone_ = false;
    bool posted_ = false;

    std::thread worker_;  // last: starts once everything above is made
};

}  // namespace orvane
