#include "platform/folder_watch.h"

#include <memory>
#include <system_error>
#include <utility>

#include "core/text.h"
#include "core/incomplete_list.h"
#include "platform/folder_scan.h"
#include "platform/paths.h"

namespace orvane {

namespace {

constexpr DWORD kChangesWatched = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                  FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_ATTRIBUTES;
// How often a quiet watch asks whether its folder is still the one at its
// path (some file systems report nothing when the watched folder itself
// goes), and how often a folder that went is looked for.
constexpr DWORD kFolderCheckMs = 500;
// How long a request is given to end once cancelled, and how long the
// window waits for the first request: only a folder that is slow to open
// takes that long, and then the worker catches up by reading it whole.
constexpr DWORD kCancelWaitMs = 1000;
constexpr DWORD kFirstRequestWaitMs = 1000;
constexpr std::size_t kReportBytes = 64 * 1024;

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
    return SameName(WithTrailingBackslash(a), WithTrailingBackslash(b));
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

// The name of the entry that name reaches, as written on disk; empty for
// none. A name that only some other file's short name matches reaches none.
std::wstring NameOnDisk(const std::wstring& folder, const std::wstring& name) {
    if (name.find_first_of(L"*?<>\"") != std::wstring::npos) return {};  // would match other files
    WIN32_FIND_DATAW found{};
    const UniqueFind find(FindFirstFileExW(VerbatimPath(folder, name).c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0));
    if (!find) return {};
    std::wstring onDisk;
    do {
        if (name == found.cFileName) return name;
        if (onDisk.empty() && SameName(name, found.cFileName)) onDisk = found.cFileName;
    } while (FindNextFileW(find.get(), &found));
    return onDisk;
}

}  // namespace

NamedFiles ReadNamedFiles(const std::wstring& folder, const std::set<std::wstring>& names,
                          const std::function<bool()>& stopped) {
    NamedFiles read;
    for (const std::wstring& name : names) {
        if (stopped()) break;
        std::optional<FileEntry> entry = ScanOneFile(folder, name);
        // A file is looked up by its name on disk only when the reported one
        // reaches a file at all: a missing name costs one call.
        const std::wstring onDisk = entry ? NameOnDisk(folder, name) : std::wstring();
        if (onDisk.empty()) entry.reset();
        if (entry && onDisk != name) entry = ScanOneFile(folder, onDisk);
        if (!entry) {
            read.gone.push_back(name);
            if (!onDisk.empty() && onDisk != name) read.gone.push_back(onDisk);
            continue;
        }
        if (onDisk != name) {
            read.gone.push_back(name);
            read.renamed.emplace_back(name, onDisk);
        }
        read.present.push_back(std::move(*entry));
    }
    return read;
}

std::optional<FileEntryList> ReadFolderFiles(const std::wstring& folder, const std::function<bool()>& stopped) {
    FileEntryList entries = ScanFolder(folder, stopped);
    if (stopped()) return std::nullopt;
    return entries;
}

FolderWatch::FolderWatch(std::wstring folder, std::wstring listFolder, bool catchUp, UiQueue::Poster queue,
                         std::function<void()> onChanges, bool waitArmed)
    : folder_(std::move(folder)),
      listFolder_(std::move(listFolder)),
      queue_(std::move(queue)),
      onChanges_(std::move(onChanges)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      arming_(std::make_shared<Arming>()) {
    arming_->catchUp = catchUp;
    if (!stop_ || !arming_->armed) return;
    try {
        worker_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        SetEvent(arming_->armed.get());  // no thread to be had: the list does not follow, and nobody waits
        return;
    }
    if (waitArmed) WaitArmed(*arming_);
}

// A change made before the first request would be lost: whoever scans the
// folder next waits for it first. A worker that is late catches up instead.
void FolderWatch::WaitArmed(Arming& arming) {
    if (arming.armed && WaitForSingleObject(arming.armed.get(), kFirstRequestWaitMs) != WAIT_OBJECT_0)
        arming.catchUp = true;
}

std::function<void()> FolderWatch::ArmedWaiter() const {
    return [arming = arming_] { WaitArmed(*arming); };
}

FolderWatch::~FolderWatch() {
    stopping_ = true;
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
    for (auto& [from, to] : renamed_) changes.renamed.emplace_back(from, std::move(to));
    changes.complete = complete_;
    changes.folderGone = folderGone_;
    ready_.clear();
    renamed_.clear();
    complete_ = folderGone_ = posted_ = false;
    return changes;
}

void FolderWatch::Publish(const std::function<void(std::map<std::wstring, std::optional<FileEntry>>&)>& change,
                          const std::vector<Renamed>& renamed, bool complete, bool folderGone) {
    const std::lock_guard lock(mutex_);
    // What the folder held before it went, or before it was read whole, is moot.
    if (folderGone) {
        ready_.clear();
        renamed_.clear();
        complete_ = false;
        folderGone_ = true;
    }
    if (complete) {
        ready_.clear();
        complete_ = true;
        folderGone_ = false;
    }
    change(ready_);
    for (const auto& [from, to] : renamed) renamed_.insert_or_assign(from, to);
    if (posted_ || (ready_.empty() && !complete_ && !folderGone_)) return;
    posted_ = true;
    queue_.Post(onChanges_);
}

bool FolderWatch::ListFileHere() const { return !listFolder_.empty() && SameFolder(listFolder_, folder_); }

std::optional<FolderWatch::FolderId> FolderWatch::IdOf(HANDLE folder) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(folder, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FolderId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// The folder at the watched path now; nothing when no folder is there.
std::optional<FolderWatch::FolderId> FolderWatch::FolderHere() const {
    const UniqueFile folder(CreateFileW(folder_.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return folder ? IdOf(folder.get()) : std::nullopt;
}

void FolderWatch::Run() {
    bool goneTold = false;
    for (;;) {
        // Shared all ways, so that the client and the user can still rename
        // and delete the folder and its files.
        UniqueFile directory(CreateFileW(folder_.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
        const std::optional<FolderId> id = directory ? IdOf(directory.get()) : std::nullopt;
        if (id) {
            goneTold = false;
            const Ended ended = Watch(directory, *id);
            // A folder that stays but cannot be watched leaves the manual refresh.
            if (ended != Ended::FolderLeft) break;
        }
        SetEvent(arming_->armed.get());
        directory.reset();
        // Gone, or something else in its place: the list empties as the
        // refresh would empty it, and the folder is looked for until it is
        // back. One that is there but will not open now is only waited for.
        if (!goneTold && !FolderExists(folder_)) {
            Publish([](auto&) {}, {}, false, true);
            goneTold = true;
        }
        if (WaitForSingleObject(stop_.get(), kFolderCheckMs) != WAIT_TIMEOUT) break;
        arming_->catchUp = true;  // what it holds when it is back is read whole
    }
    SetEvent(arming_->armed.get());
}

// Waits for reports until stopped, until the watch fails, or until the
// folder at the path is no longer the one watched.
FolderWatch::Ended FolderWatch::Watch(UniqueFile& watched, const FolderId& id) {
    const HANDLE directory = watched.get();
    UniqueEvent ioEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ioEvent) return Ended::Failed;
    // What the system writes into while a request is under way.
    struct Request {
        OVERLAPPED overlapped{};
        std::vector<DWORD> report = std::vector<DWORD>(kReportBytes / sizeof(DWORD));  // DWORD-aligned
    };
    const HANDLE io = ioEvent.get();
    auto request = std::make_unique<Request>();
    OVERLAPPED& pending = request->overlapped;
    const auto stillHere = [&] {
        const std::optional<FolderId> here = FolderHere();
        return here ? *here == id : FolderExists(folder_);
    };
    for (bool first = true;; first = false) {
        pending = OVERLAPPED{};
        pending.hEvent = io;
        ResetEvent(io);
        if (!ReadDirectoryChangesW(directory, request->report.data(), kReportBytes, FALSE, kChangesWatched, nullptr,
                                   &pending, nullptr))
            return stillHere() ? Ended::Failed : Ended::FolderLeft;
        if (first) {
            // From here on every change is reported: what was read before
            // may be behind, what is read now is not.
            SetEvent(arming_->armed.get());
            if (!listFolder_.empty()) listLines_ = ReadIncompleteListLines(listFolder_);
            if (arming_->catchUp.exchange(false)) ReadWholeFolder();
        }
        const HANDLE waits[] = {stop_.get(), io};
        DWORD woke = WAIT_TIMEOUT;
        while ((woke = WaitForMultipleObjects(2, waits, FALSE, kFolderCheckMs)) == WAIT_TIMEOUT) {
            if (!stillHere()) break;
        }
        if (woke != WAIT_OBJECT_0 + 1) {
            CancelIoEx(directory, &pending);
            // A request the cancel leaves pending ends when its handle closes.
            // Should even that not end it (Wine has been seen to leave the
            // watch of a folder that went pending), its memory and event are
            // left to it rather than waiting for ever.
            bool ended = WaitForSingleObject(io, kCancelWaitMs) == WAIT_OBJECT_0;
            if (!ended) {
                watched.reset();
                ended = WaitForSingleObject(io, kCancelWaitMs) == WAIT_OBJECT_0;
            }
            if (!ended) {
                request.release();
                ioEvent.release();
            }
            return woke == WAIT_OBJECT_0 ? Ended::Stopped : woke == WAIT_TIMEOUT ? Ended::FolderLeft : Ended::Failed;
        }
        DWORD got = 0;
        const bool done = GetOverlappedResult(directory, &pending, &got, FALSE);
        const DWORD error = done ? ERROR_SUCCESS : GetLastError();
        // Names are read at the path: reports of a folder that went, read
        // there, would take rows of files it still holds.
        if (!stillHere()) return Ended::FolderLeft;
        if (!done && error != ERROR_NOTIFY_ENUM_DIR) return Ended::Failed;
        if (!done || got == 0) {
            // More changes than a report holds: the whole folder, read again.
            ReadWholeFolder();
            continue;
        }
        ReadNames(NamesOfReport(reinterpret_cast<const unsigned char*>(request->report.data()), got));
    }
}

void FolderWatch::ReadWholeFolder() {
    std::optional<FileEntryList> entries = ReadFolderFiles(folder_, [this] { return Stopped(); });
    if (!entries) return;
    if (!listFolder_.empty()) {
        if (ListFileHere()) listLines_ = ReadIncompleteListLines(listFolder_);
        ApplyIncompleteList(listLines_, *entries);
    }
    Publish(
        [&entries](auto& ready) {
            for (FileEntry& entry : *entries) {
                std::wstring name = entry.Name;
                ready.insert_or_assign(std::move(name), std::move(entry));
            }
        },
        {}, true, false);
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
    NamedFiles read = ReadNamedFiles(folder_, unique, [this] { return Stopped(); });
    if (Stopped()) return;
    if (!listFolder_.empty()) ApplyIncompleteList(listLines_, read.present);
    Publish(
        [&](auto& ready) {
            for (std::wstring& name : read.gone) ready.insert_or_assign(std::move(name), std::nullopt);
            for (FileEntry& entry : read.present) {
                std::wstring name = entry.Name;
                ready.insert_or_assign(std::move(name), std::move(entry));
            }
        },
        read.renamed, false, false);
}

}  // namespace orvane
