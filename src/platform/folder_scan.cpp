#include "platform/folder_scan.h"

#include <atomic>

#include <windows.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <new>
#include <string_view>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "core/text.h"
#include "core/download_name.h"
#include "core/incomplete_list.h"
#include "platform/files.h"
#include "platform/handles.h"
#include "platform/code_page.h"
#include "platform/paths.h"

namespace orvane {

namespace {

constexpr unsigned long long kTicksPerDay = 864000000000ull;  // 100 ns ticks
constexpr double kDaysFrom1601To1899 = 109205.0;              // 1601-01-01 .. 1899-12-30

bool IsListedFile(DWORD attributes) {
    return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

// One entry of a folder as its enumeration describes it.
struct Found {
    std::wstring_view name;
    DWORD attributes = 0;
    unsigned long long size = 0;
    unsigned long long writeTicks = 0;  // UTC, 100 ns since 1601; 0 when unknown
};

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The entries of a folder asked for through a handle to it, a megabyte's
// worth at a time: under Wine this reads a big folder about a quarter
// faster than a search does. each(found) is called for every entry ("." and
// ".." included) until it answers false. False, having called nothing, when
// the folder cannot be read so; a search is then made instead.
template <class Each>
bool ReadInBlocks(const std::wstring& folder, const Each& each) {
    // The folder opened by the path its files are opened by; others may
    // still rename or delete in it meanwhile.
    const UniqueFile directory(CreateFileW(VerbatimPath(folder, L"").c_str(), FILE_LIST_DIRECTORY,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!directory) return false;
    constexpr std::size_t kBlockBytes = 1 << 20;
    const std::unique_ptr<unsigned long long[]> block(new (std::nothrow) unsigned long long[kBlockBytes / 8]);
    if (!block) return false;
    FILE_INFO_BY_HANDLE_CLASS question = FileFullDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(directory.get(), question, block.get(), kBlockBytes)) {
        question = FileFullDirectoryInfo;
        const auto* at = reinterpret_cast<const unsigned char*>(block.get());
        for (;;) {
            const auto* info = reinterpret_cast<const FILE_FULL_DIR_INFO*>(at);
            const Found found{std::wstring_view(info->FileName, info->FileNameLength / sizeof(wchar_t)),
                              info->FileAttributes, static_cast<unsigned long long>(info->EndOfFile.QuadPart),
                              static_cast<unsigned long long>(info->LastWriteTime.QuadPart)};
            if (!each(found)) return true;
            if (!info->NextEntryOffset) break;
            at += info->NextEntryOffset;
        }
    }
    // The end of the folder, or a folder that went away half way: what was
    // read stands. A file system that cannot answer at all is searched.
    const DWORD error = GetLastError();
    return question == FileFullDirectoryInfo || error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND;
}

// The entries of a folder through a search, for file systems that do not
// answer ReadInBlocks' question.
template <class Each>
void ReadBySearch(const std::wstring& folder, const Each& each) {
    WIN32_FIND_DATAW data{};
    UniqueFind find(FindFirstFileExW(JoinPath(folder, L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        const Found found{data.cFileName, data.dwFileAttributes,
                          (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                          Ticks(data.ftLastWriteTime)};
        if (!each(found)) return;
    } while (FindNextFileW(find.get(), &data));
}

template <class Each>
void ForEachFound(const std::wstring& folder, FolderReading how, const Each& each) {
    if (how == FolderReading::InBlocks && ReadInBlocks(folder, each)) return;
    ReadBySearch(folder, each);
}

double DaysFromLocalTicks(unsigned long long ticks) {
    const double day = static_cast<double>(ticks / kTicksPerDay) - kDaysFrom1601To1899;
    const double time = static_cast<double>(ticks % kTicksPerDay) / static_cast<double>(kTicksPerDay);
    // Before the base date the day counts backwards but the time of day still
    // forwards: 1899-12-29 06:00 is -1.25, not -0.75.
    return day < 0 ? day - time : day + time;
}

bool ToLocalTicks(unsigned long long utcTicks, unsigned long long& localTicks) {
    const FILETIME utc{static_cast<DWORD>(utcTicks), static_cast<DWORD>(utcTicks >> 32)};
    FILETIME local{};
    if (!FileTimeToLocalFileTime(&utc, &local)) return false;
    localTicks = (static_cast<unsigned long long>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
    return true;
}

// FileTimeToLocalFileTime moves every time by the zone's present bias; under
// Wine each call asks the C library for the zone afresh (10 to 20 ms per
// 100,000 files). The bias is asked for once per scan and applied as the
// call would; a scan then never straddles a change of daylight saving time.
class LocalTimeShift {
public:
    double Days(unsigned long long utcTicks) {
        if (!known_) {
            unsigned long long local = 0;
            if (!ToLocalTicks(utcTicks, local)) return 0;
            shift_ = local - utcTicks;  // modulo 2^64, as the call's own arithmetic
            known_ = true;
        }
        return DaysFromLocalTicks(utcTicks + shift_);
    }

private:
    bool known_ = false;
    unsigned long long shift_ = 0;
};

std::optional<DummyHeader> ReadDummyHeaderAt(const std::wstring& verbatimPath) {
    const UniqueFile file = OpenFoundFileAt(verbatimPath, 0);
    if (!file) return std::nullopt;
    unsigned char header[kDummyFileSize + 1] = {};
    DWORD got = 0;
    // One byte more than a header: a file that grew since the scan is no dummy.
    if (!ReadFile(file.get(), header, sizeof(header), &got, nullptr)) return std::nullopt;
    return ParseDummyHeader(std::span<const unsigned char>(header, got));
}

// Makes entry the file as the enumeration describes it, keeping the room its
// strings have; localDays turns a write time (UTC ticks) into local days.
template <class LocalDays>
void FillEntry(FileEntry& entry, const Found& found, const LocalDays& localDays) {
    entry.Name.assign(found.name);
    entry.Size = static_cast<std::int64_t>(found.size);
    entry.TotalSize = FullSizeFromName(entry.Name);
    entry.Modified = found.writeTicks ? localDays(found.writeTicks) : 0;
    entry.User.clear();
    entry.DummyFlag = false;
}

// Makes entries the folder's files, overwriting the entries it holds in
// place (a refresh then finds the room for most names already there), and
// calls made(index, entry) for each right after it is made. stopped, when
// given, is asked before each file.
template <class Made>
void ScanInto(const std::wstring& folder, FolderReading how, FileEntryList& entries, const Made& made,
              const std::function<bool()>& stopped = {}, std::atomic<std::size_t>* scanned = nullptr) {
    std::size_t count = 0;
    LocalTimeShift localTime;
    const auto localDays = [&localTime](unsigned long long ticks) { return localTime.Days(ticks); };
    ForEachFound(folder, how, [&](const Found& found) {
        if (stopped && stopped()) return false;
        if (!IsListedFile(found.attributes)) return true;
        if (count == entries.size()) entries.emplace_back();
        FileEntry& entry = entries[count++];
        FillEntry(entry, found, localDays);
        if (scanned) scanned->store(count, std::memory_order_relaxed);
        made(count - 1, entry);
        return true;
    });
    entries.resize(count);
    // Room kept from a far longer listing is given back.
    if (entries.capacity() > 2 * count + 1024) entries.shrink_to_fit();
}

// Runs work(job) for the jobs handed to it, in order, on a thread of its
// own started with the first. Every path out joins the thread; one that
// leaves early (an exception) drops what is still waiting, and so does a
// thread that runs out of memory.
template <class Job>
class JobThread {
public:
    // At most limit jobs wait; 0 starts no thread.
    JobThread(std::size_t limit, std::function<void(Job&)> work) : limit_(limit), work_(std::move(work)) {}
    JobThread(const JobThread&) = delete;
    JobThread& operator=(const JobThread&) = delete;
    ~JobThread() { Join(true); }

    // Takes the job (moving it); false, leaving it as it was, when no thread
    // runs or enough wait.
    bool Offer(Job& job) {
        if (!Started()) return false;
        {
            const std::lock_guard lock(mutex_);
            if (pending_.size() >= limit_) return false;
            pending_.push_back(std::move(job));
        }
        wake_.notify_one();
        return true;
    }

    // Waits for the thread: it ends once what waits is done, or at once
    // with abandon, dropping it.
    void Join(bool abandon) {
        if (!thread_.joinable()) return;
        {
            const std::lock_guard lock(mutex_);
            finished_ = true;
            if (abandon) pending_.clear();
        }
        wake_.notify_one();
        thread_.join();
    }

private:
    bool Started() {
        if (thread_.joinable()) return true;
        if (limit_ == 0 || failed_) return false;
        try {
            thread_ = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
            failed_ = true;  // no thread to be had: the caller does the work itself
        }
        return thread_.joinable();
    }

    void Run() noexcept {
        try {
            std::unique_lock lock(mutex_);
            for (;;) {
                wake_.wait(lock, [this] { return finished_ || !pending_.empty(); });
                if (pending_.empty()) return;
                Job job = std::move(pending_.front());
                pending_.pop_front();
                lock.unlock();
                work_(job);
                lock.lock();
            }
        } catch (...) {
            // Out of memory: what this thread has not done, the caller does.
        }
    }

    const std::size_t limit_;
    const std::function<void(Job&)> work_;
    bool failed_ = false;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> pending_;
    bool finished_ = false;
    std::thread thread_;  // last: started after, and joined before, everything it uses
};

// Makes the name column's sort keys of the names handed to it, in batches,
// on a thread of its own while the enumeration goes on: otherwise the first
// sort makes them all after it.
class NameKeyThread {
public:
    // No thread and no keys without a collator.
    explicit NameKeyThread(const Collator* collator)
        : collator_(collator), thread_(collator ? SIZE_MAX : 0, [this](Batch& batch) { Make(batch); }) {}

    // The name of entry index, the one after the last offered (copied).
    void Offer(std::size_t index, std::wstring_view name) {
        if (!collator_) return;
        if (batch_.ends.empty()) batch_.first = index;
        batch_.text.append(name);
        batch_.ends.push_back(batch_.text.size());
        if (batch_.ends.size() == kBatchNames) Hand();
    }

    // The keys by entry index ("" for an entry whose key was not made);
    // none when abandon holds.
    std::vector<std::string> Finish(bool abandon) {
        if (!abandon) Hand();
        thread_.Join(abandon);
        return abandon ? std::vector<std::string>() : std::move(keys_);
    }

private:
    static constexpr std::size_t kBatchNames = 1024;
    struct Batch {
        std::size_t first = 0;
        std::wstring text;              // the names one after another
        std::vector<std::size_t> ends;  // where each ends in text
    };

    void Hand() {
        // Without a thread the sort makes the keys.
        if (!batch_.ends.empty()) thread_.Offer(batch_);
        batch_ = Batch{};
    }

    // On the thread.
    void Make(const Batch& batch) {
        if (!maker_) maker_.emplace(*collator_);
        if (keys_.size() < batch.first + batch.ends.size()) keys_.resize(batch.first + batch.ends.size());
        std::size_t start = 0;
        for (std::size_t i = 0; i < batch.ends.size(); ++i) {
            keys_[batch.first + i] = maker_->Key(std::wstring_view(batch.text).substr(start, batch.ends[i] - start));
            start = batch.ends[i];
        }
    }

    const Collator* const collator_;
    Batch batch_;
    std::optional<NameKeyMaker> maker_;  // the thread's
    std::vector<std::string> keys_;      // the thread's until it is joined
    JobThread<Batch> thread_;            // last: joined before everything it uses goes
};

// Reads the headers of the 40-byte files handed to it, on a thread of its
// own started with the first.
class DummyReaderThread {
public:
    explicit DummyReaderThread(std::size_t pendingLimit)
        : thread_(pendingLimit, [this](Pending& job) { read_.emplace_back(job.slot, ReadDummyHeaderAt(job.path)); }) {}

    // Takes the file to read for the slot (moving the path); false, leaving
    // the path as it was, when no thread runs or enough are waiting.
    bool Offer(std::size_t slot, std::wstring&& verbatimPath) {
        Pending job{slot, std::move(verbatimPath)};
        if (thread_.Offer(job)) return true;
        verbatimPath = std::move(job.path);
        return false;
    }

    // Waits for the thread; gives the headers it read, by slot (a slot
    // handed over but missing here is still to be read).
    std::vector<std::pair<std::size_t, std::optional<DummyHeader>>> Finish() {
        thread_.Join(false);
        return std::move(read_);
    }

private:
    struct Pending {
        std::size_t slot;
        std::wstring path;
    };
    std::vector<std::pair<std::size_t, std::optional<DummyHeader>>> read_;  // the thread's until it is joined
    JobThread<Pending> thread_;  // last: joined before everything it uses goes
};

}  // namespace

std::optional<FileEntry> ScanOneFile(const std::wstring& folder, const std::wstring& name) {
    // The attributes alone, as the enumeration gives them: a search would
    // open the folder, which under Wine keeps others from deleting it meanwhile.
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (name.size() >= MAX_PATH ||
        !GetFileAttributesExW(VerbatimPath(folder, name).c_str(), GetFileExInfoStandard, &attributes))
        return std::nullopt;
    if (!IsListedFile(attributes.dwFileAttributes)) return std::nullopt;
    const Found found{name, attributes.dwFileAttributes,
                      (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow,
                      Ticks(attributes.ftLastWriteTime)};
    FileEntry entry;
    FillEntry(entry, found, LocalDaysFromFileTime);
    return entry;
}

double LocalDaysFromFileTime(unsigned long long utcTicks) {
    unsigned long long local = 0;
    return ToLocalTicks(utcTicks, local) ? DaysFromLocalTicks(local) : 0;
}

FileEntryList ScanFolder(const std::wstring& folder, const std::function<bool()>& stopped, FolderReading how) {
    FileEntryList entries;
    ScanInto(
        folder, how, entries, [](std::size_t, const FileEntry&) {}, stopped);
    return entries;
}

FolderScan ScanFolderAndDummies(const std::wstring& folder, std::size_t pendingLimit, FileEntryList room,
                                const std::function<bool()>& stopped, std::atomic<std::size_t>* scanned,
                                const Collator* nameKeys) {
    FolderScan scan;
    scan.entries = std::move(room);
    // The verbatim path of a file is this plus its name: worked out once, not per file.
    const std::wstring prefix = VerbatimPath(folder, L"");
    std::vector<bool> read;
    DummyReaderThread reader(pendingLimit);
    NameKeyThread keys(nameKeys);
    ScanInto(
        folder, FolderReading::InBlocks, scan.entries,
        [&](std::size_t index, const FileEntry& entry) {
            keys.Offer(index, entry.Name);
            if (entry.Size != kDummyFileSize) return;
            const std::size_t slot = scan.dummies.size();
            scan.dummies.push_back({index, std::nullopt});
            read.push_back(false);
            std::wstring path = prefix + entry.Name;
            if (reader.Offer(slot, std::move(path))) return;
            scan.dummies[slot].header = ReadDummyHeaderAt(path);
            read[slot] = true;
        },
        stopped, scanned);
    scan.nameKeys = keys.Finish(stopped && stopped());
    for (auto& [slot, header] : reader.Finish()) {
        scan.dummies[slot].header = header;
        read[slot] = true;
    }
    for (std::size_t slot = 0; slot < scan.dummies.size(); ++slot)
        if (!read[slot] && !(stopped && stopped()))
            scan.dummies[slot].header = ReadDummyHeaderAt(prefix + scan.entries[scan.dummies[slot].index].Name);
    return scan;
}

DummyReader ScannedDummyReader(const FileEntryList& entries, const std::vector<ScannedDummy>* dummies,
                               const std::wstring& folder) {
    return [&entries, dummies, &folder](const FileEntry& entry) {
        const FileEntry* first = entries.data();
        if (dummies && !std::less<>()(&entry, first) && std::less<>()(&entry, first + entries.size())) {
            const auto index = static_cast<std::size_t>(&entry - first);
            const auto it = std::lower_bound(dummies->begin(), dummies->end(), index,
                                             [](const ScannedDummy& d, std::size_t i) { return d.index < i; });
            if (it != dummies->end() && it->index == index) return it->header;
        }
        return ReadDummyHeader(folder, entry.Name);
    };
}

std::vector<std::wstring> ReadIncompleteListLines(const std::wstring& folder) {
    const DWORD attributes = GetFileAttributesW(VerbatimPath(folder, kIncompleteListName).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        return {};
    const UniqueFile file = OpenFoundFile(folder, kIncompleteListName, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file) return {};
    return SplitLines(FromAnsi(ReadWholeFile(file.get())));
}

void ReadIncompleteList(const std::wstring& folder, FileEntryList& entries) {
    ApplyIncompleteList(ReadIncompleteListLines(folder), entries);
}

std::optional<DummyHeader> ReadDummyHeader(const std::wstring& folder, const std::wstring& name) {
    return ReadDummyHeaderAt(VerbatimPath(folder, name));
}

}  // namespace orvane
