// Following the folder the list shows: a watch made before the folder is
// scanned (so that nothing that changes meanwhile is missed), and what it
// reports handed to the list at most twice a second, never while the list
// says to wait.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/folder_watch.h"
#include "platform/ui_queue.h"

namespace orvane {

class FolderFollower {
public:
    using Take = std::function<void(FolderChanges changes, const std::wstring& folder)>;
    // take gets the changes on the queue's thread; wait says they must wait
    // (a name is being edited), and the next tick asks again.
    FolderFollower(UiQueue& queue, std::function<bool()> wait, Take take)
        : queue_(queue), wait_(std::move(wait)), take_(std::move(take)) {}
    ~FolderFollower() { Stop(); }
    FolderFollower(const FolderFollower&) = delete;
    FolderFollower& operator=(const FolderFollower&) = delete;

    // A watch of folder made now, which follows once Start is called.
    // listFolder: where the client's list file lies, for the client's folder.
    // catchUp: the watch first reads the whole folder. Returns what waits
    // until the watch reports every change, for whoever scans the folder
    // next (on any thread): the window does not wait for a folder's share.
    std::function<void()> Prepare(const std::wstring& folder, const std::wstring& listFolder, bool catchUp);
    // The prepared watch follows (without one, the watch that follows goes
    // on); what it saw meanwhile is taken.
    void Start();
    // A watch follows folder, or is prepared to, with the list file in listFolder.
    bool Watching(const std::wstring& folder, const std::wstring& listFolder) const;
    // The prepared watch goes; the one following stays.
    void DropPrepared() { Retire(std::move(prepared_)); }
    // Both watches go; a report posted before finds none and is dropped.
    void Stop();

    // A watch stops on a thread of its own: its worker may be in the middle
    // of reading a folder that does not answer, and the window never waits.
    static void Retire(std::unique_ptr<FolderWatch> watch);

private:
    void OnChanged();
    void OnTick();

    UiQueue& queue_;
    std::function<bool()> wait_;
    Take take_;
    std::unique_ptr<FolderWatch> prepared_;
    std::unique_ptr<FolderWatch> watch_;
};

}  // namespace orvane
