// Listing a folder off the window's thread: the scan, the client's list
// file, the dummy files' headers and the first sort run on a worker, and the
// finished rows reach the window through its UI queue. The newest request
// wins: a listing that a new one replaces, or that is cancelled, stops at its
// next file and is never delivered.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/file_entry.h"
#include "core/file_list_model.h"
#include "platform/folder_scan.h"
#include "platform/ui_queue.h"

namespace orvane {

// What a listing reads. The real one reads the folder on disk; a test may
// give one that holds a scan half way, as a share that stops answering does.
struct ListingSource {
    // Whether the folder is there (a file or folder of that name).
    std::function<bool(const std::wstring& folder)> exists;
    // The folder's entries made in room and the 40-byte entries' headers;
    // stopped is asked before each file, scanned counts the entries made;
    // with nameKeys, the names' sort keys too.
    std::function<FolderScan(const std::wstring& folder, FileEntryList room, const std::function<bool()>& stopped,
                             std::atomic<std::size_t>& scanned, bool nameKeys)>
        scan;
    // Completes the entries from the client's list file in folder.
    std::function<void(const std::wstring& folder, FileEntryList& entries)> readListFile;
};
ListingSource DiskListingSource();

struct ListingRequest {
    std::wstring folder;
    bool clientFolder = false;
    std::wstring listFileFolder;  // where the client's list file lies, for the client's folder
    DummyDisplay display;
    int sortKey = 1;  // a column that exists
    int sortOrder = 0;
    FileEntryList room;  // memory of an earlier listing to fill anew
    std::vector<FileRow> rowRoom;
    std::function<void()> beforeScan;  // waits until the folder's watch reports every change; none without a watch
};

// A finished listing: the folder's rows, sorted.
struct Listing {
    std::wstring folder;
    bool clientFolder = false;
    bool found = false;  // the folder is there; without it there are no rows
    FileEntryList entries;
    std::vector<FileRow> rows;
    int sortKey = 1;
    bool descending = false;
};

class FolderLister {
public:
    FolderLister(UiQueue& queue, ListingSource source) : queue_(queue), source_(std::move(source)) {}
    explicit FolderLister(UiQueue& queue) : FolderLister(queue, DiskListingSource()) {}
    // The running listing is cancelled; its worker is not waited for.
    ~FolderLister() { Cancel(); }
    FolderLister(const FolderLister&) = delete;
    FolderLister& operator=(const FolderLister&) = delete;

    // Lists on a worker of its own; done runs on the queue's thread with the
    // listing, unless another Start or Cancel came first.
    void Start(ListingRequest request, std::function<void(Listing&)> done);
    void Cancel();
    bool Running() const { return job_ != nullptr; }
    // The entries the running listing has made so far.
    std::size_t Scanned() const { return job_ ? job_->scanned.load(std::memory_order_relaxed) : 0; }

private:
    struct Job {
        std::atomic<bool> cancelled{false};
        std::atomic<std::size_t> scanned{0};
    };

    UiQueue& queue_;
    ListingSource source_;
    std::shared_ptr<Job> job_;  // the running listing's, until it is delivered or cancelled
};

}  // namespace orvane
