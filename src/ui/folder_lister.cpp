#include "ui/folder_lister.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <utility>

#include "core/drop_rules.h"
#include "core/incomplete_list.h"
#include "platform/locale_text.h"
#include "platform/paths.h"

namespace orvane {

ListingSource DiskListingSource() {
    ListingSource source;
    source.exists = [](const std::wstring& folder) { return FileExists(folder); };
    source.scan = [](const std::wstring& folder, FileEntryList room, const std::function<bool()>& stopped,
                     std::atomic<std::size_t>& scanned, bool nameKeys) {
        const LocaleCollator collator;
        return ScanFolderAndDummies(folder, kPendingDummyLimit, std::move(room), stopped, &scanned,
                                    nameKeys ? &collator : nullptr);
    };
    source.readListFile = [](const std::wstring& folder, FileEntryList& entries) {
        ReadIncompleteList(folder, entries);
    };
    return source;
}

namespace {

// The worker's part: everything of a listing that needs no window.
Listing MakeListing(const ListingSource& source, ListingRequest& request, const std::function<bool()>& stopped,
                    std::atomic<std::size_t>& scanned) {
    Listing listing;
    listing.folder = request.folder;
    listing.clientFolder = request.clientFolder;
    // A share that does not answer holds this worker here, not the window.
    listing.found = !request.folder.empty() && source.exists(request.folder);
    if (!listing.found || stopped()) return listing;
    if (request.beforeScan) request.beforeScan();
    if (stopped()) return listing;
    const bool byName = request.sortKey == static_cast<int>(Column::FileName);
    FolderScan scan = source.scan(request.folder, std::move(request.room), stopped, scanned, byName);
    if (stopped()) return listing;
    // The client keeps its list file in its own download folder, whatever
    // folder a line of the data file gave the root. Where that is the folder
    // scanned, the scan tells whether the file is there: under Wine, asking
    // for a name a big folder lacks costs a tenth of the scan.
    if (request.clientFolder && (!IsSameFolder(request.listFileFolder, request.folder, UpperCaseText) ||
                                 std::any_of(scan.entries.begin(), scan.entries.end(),
                                             [](const FileEntry& entry) { return NamesIncompleteList(entry.Name); })))
        source.readListFile(request.listFileFolder, scan.entries);
    listing.entries = std::move(scan.entries);
    listing.rows =
        BuildRows(listing.entries, request.display, ScannedDummyReader(listing.entries, &scan.dummies, request.folder),
                  std::move(request.rowRoom));
    AdoptNameKeys(listing.rows, scan.nameKeys);
    if (stopped()) return listing;
    const LocaleCollator collator;
    SortRows(listing.rows, request.sortKey, request.sortOrder, collator);
    listing.sortKey = request.sortKey;
    listing.descending = request.sortOrder != 0;
    return listing;
}

}  // namespace

void FolderLister::Start(ListingRequest request, std::function<void(Listing&)> done) {
    Cancel();
    auto job = std::make_shared<Job>();
    job_ = job;
    const UiQueue::Poster queue = queue_.MakePoster();
    auto work = [this, job, queue, source = source_, request = std::move(request), done = std::move(done)]() mutable {
        const auto stopped = [&job] { return job->cancelled.load(std::memory_order_relaxed); };
        try {
            auto listing = std::make_shared<Listing>(MakeListing(source, request, stopped, job->scanned));
            if (stopped()) return;
            // On the window's thread the job is asked again: a cancel may
            // have come after the worker finished.
            // A lister that is gone cancelled its job first.
            queue.Post([this, job, listing, done] {
                if (job->cancelled.load(std::memory_order_relaxed)) return;
                job_.reset();
                done(*listing);
            });
        } catch (const std::exception&) {
            // Out of memory for the rows: the listing is not delivered.
        }
    };
    auto shared = std::make_shared<decltype(work)>(std::move(work));
    try {
        // Not waited for: a worker held up by a folder that does not answer
        // must never hold up the window or its closing.
        std::thread([shared] { (*shared)(); }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: the listing is made here, as before.
        (*shared)();
    }
}

void FolderLister::Cancel() {
    if (job_) job_->cancelled.store(true, std::memory_order_relaxed);
    job_.reset();
}

}  // namespace orvane
