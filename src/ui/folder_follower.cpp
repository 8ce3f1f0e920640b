#include "ui/folder_follower.h"

#include <system_error>
#include <thread>

namespace orvane {

namespace {

constexpr UINT_PTR kFollowTimerId = 1;   // the queue's repeat that takes the changes
constexpr UINT kFollowIntervalMs = 500;  // at most two updates a second

}  // namespace

std::function<void()> FolderFollower::Prepare(const std::wstring& folder, const std::wstring& listFolder,
                                              bool catchUp) {
    Retire(std::move(prepared_));
    prepared_ = std::make_unique<FolderWatch>(
        folder, listFolder, catchUp, queue_.MakePoster(), [this] { OnChanged(); }, false);
    return prepared_->ArmedWaiter();
}

void FolderFollower::Start() {
    if (prepared_) {
        Retire(std::move(watch_));
        watch_ = std::move(prepared_);
    }
    // Its word of what changed before now may have come while it did not follow.
    OnChanged();
}

bool FolderFollower::Watching(const std::wstring& folder, const std::wstring& listFolder) const {
    const FolderWatch* watch = prepared_ ? prepared_.get() : watch_.get();
    return watch && watch->Folder() == folder && watch->ListFolder() == listFolder;
}

void FolderFollower::Stop() {
    Retire(std::move(prepared_));
    Retire(std::move(watch_));
    queue_.StopRepeating(kFollowTimerId);
}

void FolderFollower::OnChanged() {
    if (!watch_ || queue_.Repeating(kFollowTimerId)) return;
    queue_.Repeat(kFollowTimerId, kFollowIntervalMs, [this] { OnTick(); });
}

void FolderFollower::OnTick() {
    if (wait_()) return;  // the rows stay as the edit found them; the repeat asks again
    queue_.StopRepeating(kFollowTimerId);
    if (watch_) take_(watch_->Take(), watch_->Folder());
}

void FolderFollower::Retire(std::unique_ptr<FolderWatch> watch) {
    if (!watch) return;
    try {
        std::thread([retired = std::shared_ptr<FolderWatch>(std::move(watch))]() mutable { retired.reset(); }).detach();
    } catch (const std::system_error&) {
        // No thread to be had: it stops here (the unique_ptr's end).
    }
}

}  // namespace orvane
