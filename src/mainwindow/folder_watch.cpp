#include "mainwindow/folder_watch.h"

#include <memory>
#include <set>
#include <utility>

#include "core/text.h"
#include "inventory/incomplete_list.h"
#include "inventory/scan_folder.h"
#include "win/paths.h"

namespace orvane {

namespace {

constexpr DWORD kChangesWatched = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                  FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_ATTRIBUTES;
// How often a quiet watch asks whether its folder is still there: some file
// systems report nothing when the watched folder itself goes.
constexpr DWORD kFolderCheckMs = 1000;
constexpr std::size_t kReportBytes = 64 * 1024;

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    const std::wstring x = WithTrailingBackslash(a), y = WithTrailingBackslash(b);
    return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()), TRUE) ==
           CSTR_EQUAL;
}

// The names a report holds; a report cut short ends where it stops making sense.
std::vector<std::wstring> NamesOfReport(const unsigned char* report, DWORD size) {
    std::vector<std::wstring> names;
    DWORD offset = 0;
    while (offset + sizeof(FILE_NOTIFY_INFORMATION) <= size) {
        const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(report + offset);
        const DWORD nameStart = offset + offsetof(FILE_NOTIFY_INFORMATION, FileName);
        if (info->FileNameLength > size - nameStart) break;
        std::wstring name(info->FileName, info->FileNameLength / sizeof(wchar_t));
        if (!name.empty() && name.find(L'\\') == std::wstring::npos) names.push_back(std::move(name));
        if (info->NextEntryOffset == 0) break;
        offset += info->NextEntryOffset;
    }
    return names;
}

}  // namespace

FolderWatch::FolderWatch(std::wstring folder, std::wstring listFolder, bool catchUp, HWND window, UINT message)
    : folder_(std::move(folder)),
      listFolder_(std::move(listFolder)),
      window_(window),
      message_(message),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (stop_) worker_ = std::thread([this, catchUp] { Run(catchUp); });
}

FolderWatch::~FolderWatch() {
    if (stop_) SetEvent(stop_.get());
    if (worker_.joinable()) worker_.join();
}

FolderChanges FolderWatch::Take() {
    FolderChanges changes;
    const std::lock_guard lock(mutex_);
    for (auto& [name, entry] : ready_) {
        if (entry)
            changes.present.push_back(std::move(*entry));
        else
            changes.gone.push_back(name);
    }
    changes.complete = complete_;
    changes.folderGone = folderGone_;
    ready_.clear();
    complete_ = folderGone_ = posted_ = false;
    return changes;
}

void FolderWatch::Publish(const std::function<void(std::map<std::wstring, std::optional<FileEntry>>&)>& change,
                          bool complete, bool folderGone) {
    const std::lock_guard lock(mutex_);
    if (complete) ready_.clear();
    change(ready_);
    complete_ = complete_ || complete;
    folderGone_ = folderGone_ || folderGone;
    if (posted_ || (ready_.empty() && !complete_ && !folderGone_)) return;
    posted_ = true;
    PostMessageW(window_, message_, 0, 0);
}

bool FolderWatch::ListFileHere() const { return !listFolder_.empty() && SameFolder(listFolder_, folder_); }

void FolderWatch::Run(bool catchUp) {
    if (!listFolder_.empty()) listLines_ = ReadIncompleteListLines(listFolder_);
    // Shared all ways, so that the client and the user can still rename and
    // delete the folder and its files.
    UniqueFile directory(CreateFileW(folder_.c_str(), FILE_LIST_DIRECTORY,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    UniqueEvent io(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (directory && io) {
        if (catchUp) ReadWholeFolder();
        if (Watch(directory, io)) return;  // stopped
    }
    // The watch ended by itself: the manual refresh is all that is left,
    // unless the folder went, which empties the list as the refresh would.
    if (!FileExists(folder_)) Publish([](auto&) {}, false, true);
}

// Waits for reports until stopped (true) or the watch fails (false).
bool FolderWatch::Watch(UniqueFile& watched, UniqueEvent& ioEvent) {
    const HANDLE directory = watched.get();
    // What the system writes into while a request is under way.
    struct Request {
        OVERLAPPED overlapped{};
        std::vector<DWORD> report = std::vector<DWORD>(kReportBytes / sizeof(DWORD));  // DWORD-aligned
    };
    const HANDLE io = ioEvent.get();
    auto request = std::make_unique<Request>();
    OVERLAPPED& pending = request->overlapped;
    for (;;) {
        pending = OVERLAPPED{};
        pending.hEvent = io;
        ResetEvent(io);
        if (!ReadDirectoryChangesW(directory, request->report.data(), kReportBytes, FALSE, kChangesWatched, nullptr,
                                   &pending, nullptr))
            return false;
        const HANDLE waits[] = {stop_.get(), io};
        DWORD woke = WAIT_TIMEOUT;
        while ((woke = WaitForMultipleObjects(2, waits, FALSE, kFolderCheckMs)) == WAIT_TIMEOUT) {
            if (!FileExists(folder_)) break;
        }
        if (woke != WAIT_OBJECT_0 + 1) {
            CancelIoEx(directory, &pending);
            // A request the cancel leaves pending ends when its handle closes.
            // Should even that not end it (Wine has been seen to leave the
            // watch of a folder that went pending), its memory and event are
            // left to it rather than waiting for ever.
            bool ended = WaitForSingleObject(io, kFolderCheckMs) == WAIT_OBJECT_0;
            if (!ended) {
                watched.reset();
                ended = WaitForSingleObject(io, kFolderCheckMs) == WAIT_OBJECT_0;
            }
            if (!ended) {
                request.release();
                ioEvent.release();
            }
            return woke == WAIT_OBJECT_0;
        }
        DWORD got = 0;
        const bool done = GetOverlappedResult(directory, &pending, &got, FALSE);
        if (!done && GetLastError() != ERROR_NOTIFY_ENUM_DIR) return false;
        if (!FileExists(folder_)) return false;
        if (!done || got == 0) {
            // More changes than a report holds: the whole folder, read again.
            ReadWholeFolder();
            continue;
        }
        ReadNames(NamesOfReport(reinterpret_cast<const unsigned char*>(request->report.data()), got));
    }
}

void FolderWatch::ReadWholeFolder() {
    FileEntryList entries = ScanFolder(folder_);
    if (!listFolder_.empty()) {
        if (ListFileHere()) listLines_ = ReadIncompleteListLines(listFolder_);
        ApplyIncompleteList(listLines_, entries);
    }
    Publish(
        [&entries](auto& ready) {
            for (FileEntry& entry : entries) {
                std::wstring name = entry.Name;
                ready.insert_or_assign(std::move(name), std::move(entry));
            }
        },
        true, false);
}

void FolderWatch::ReadNames(std::vector<std::wstring> names) {
    std::set<std::wstring> unique(std::make_move_iterator(names.begin()), std::make_move_iterator(names.end()));
    // A new list file may give or take full sizes and users of the files that
    // either version names: those are read again too.
    if (ListFileHere() && unique.contains(kIncompleteListName)) {
        std::vector<std::wstring> lines = ReadIncompleteListLines(listFolder_);
        for (std::wstring& name : IncompleteListNames(listLines_)) unique.insert(std::move(name));
        for (std::wstring& name : IncompleteListNames(lines)) unique.insert(std::move(name));
        listLines_ = std::move(lines);
    }
    FileEntryList present;
    std::vector<std::wstring> gone;
    for (const std::wstring& name : unique) {
        if (std::optional<FileEntry> entry = ScanOneFile(folder_, name))
            present.push_back(std::move(*entry));
        else
            gone.push_back(name);
    }
    if (!listFolder_.empty()) ApplyIncompleteList(listLines_, present);
    Publish(
        [&](auto& ready) {
            for (FileEntry& entry : present) {
                std::wstring name = entry.Name;
                ready.insert_or_assign(std::move(name), std::move(entry));
            }
            for (std::wstring& name : gone) ready.insert_or_assign(std::move(name), std::nullopt);
        },
        false, false);
}

}  // namespace orvane
