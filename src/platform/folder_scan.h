// Reading a folder and the client's files from disk.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/dummy_header.h"
#include "core/file_entry.h"
#include "core/file_list_model.h"
#include "platform/handles.h"

namespace orvane {

// The plain files of a folder (read-only and archive files included; hidden
// and system files and sub-folders not), with size and time from the
// enumeration itself and the full size of unfinished downloads from their
// names. A missing or unreadable folder gives no entries. stopped, when
// given, is asked before each file; once it holds, the scan ends with what
// it has (a worker that is told to stop never finishes a long folder first).
// A folder is read InBlocks where its file system can, else BySearch; a
// test reads one both ways.
enum class FolderReading { InBlocks, BySearch };
FileEntryList ScanFolder(const std::wstring& folder, const std::function<bool()>& stopped = {},
                         FolderReading how = FolderReading::InBlocks);

// The header of one 40-byte entry of a scan: the entry's index and what
// ReadDummyHeader gave for it.
struct ScannedDummy {
    std::size_t index = 0;
    std::optional<DummyHeader> header;
};

// A folder's entries as ScanFolder gives them, with the header of every
// 40-byte entry (in the entries' order), read while the enumeration goes on.
struct FolderScan {
    FileEntryList entries;
    std::vector<ScannedDummy> dummies;
    // When asked for, the NameSortKey of each entry's name, by entry ("" where
    // none was made): for AdoptNameKeys.
    std::vector<std::string> nameKeys;
};

// Headers waiting for the reader thread at most; beyond, the scan reads them itself.
inline constexpr std::size_t kPendingDummyLimit = 1024;

// The header of an entry as a scan read it, found by the entry's place in
// entries; an entry the scan did not read (or one of other entries) is read
// from folder. The reader refers to its arguments, which must outlive it.
DummyReader ScannedDummyReader(const FileEntryList& entries, const std::vector<ScannedDummy>* dummies,
                               const std::wstring& folder);

// ScanFolder, and the 40-byte files read on a thread of their own as soon
// as the enumeration names them (opening a file costs far more than
// enumerating one), joined before it returns. pendingLimit 0 (or a thread
// that cannot be started) reads each in the loop. The entries are made in
// room, over the entries it holds: memory already in use costs far less to
// fill than fresh memory. stopped, when given, is asked before each file
// (what is scanned then is incomplete); scanned, when given, counts the
// entries made so far, for a window that shows how far a scan got. With
// nameKeys, the names' sort keys are made with it on another thread
// meanwhile (a first sort by name then finds them made).
FolderScan ScanFolderAndDummies(const std::wstring& folder, std::size_t pendingLimit = kPendingDummyLimit,
                                FileEntryList room = {}, const std::function<bool()>& stopped = {},
                                std::atomic<std::size_t>* scanned = nullptr, const Collator* nameKeys = nullptr);

// One file of a folder as ScanFolder lists it, read afresh; nothing when it
// is no listed file (gone, a folder, a hidden or system file).
std::optional<FileEntry> ScanOneFile(const std::wstring& folder, const std::wstring& name);

// The lines of the client's list file in the folder; none when there is no
// such file (a hidden or system file counts as missing).
std::vector<std::wstring> ReadIncompleteListLines(const std::wstring& folder);

// Completes the entries from the client's list file in the folder, when
// there is one (a hidden or system file counts as missing).
void ReadIncompleteList(const std::wstring& folder, FileEntryList& entries);

// The header of the 40-byte file name in folder, read without blocking the
// client (shared read, write and delete); nothing when it is no dummy file,
// unreadable, or anything but a file on disk.
std::optional<DummyHeader> ReadDummyHeader(const std::wstring& folder, const std::wstring& name);

// FILETIME ticks (UTC) as the local date-time in days since 1899-12-30.
double LocalDaysFromFileTime(unsigned long long utcTicks);

}  // namespace orvane
