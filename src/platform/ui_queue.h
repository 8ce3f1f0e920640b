// The window thread's queue: work handed in from any thread runs later on
// the thread that made the queue, in the order it was handed in, and a
// repeating tick paces what should not run more often than it must. Both go
// through a hidden message-only window of the queue's own, so that any
// message loop of the thread runs them (modal ones too).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "platform/handles.h"

namespace orvane {

class UiQueue {
    struct Shared;  // what posters and the queue share, under a lock

public:
    // Hands work to the queue from any thread. Once the queue is gone what
    // it hands in is dropped, so a worker may outlive the window it reports to.
    class Poster {
    public:
        void Post(std::function<void()> work) const;

    private:
        friend class UiQueue;
        explicit Poster(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
        std::shared_ptr<Shared> shared_;
    };

    UiQueue();   // on the thread that runs the message loop
    ~UiQueue();  // work still waiting never runs
    UiQueue(const UiQueue&) = delete;
    UiQueue& operator=(const UiQueue&) = delete;

    Poster MakePoster() const { return Poster(shared_); }
    void Post(std::function<void()> work) const { MakePoster().Post(std::move(work)); }

    // The tick runs every intervalMs until stopped; a second Repeat of the
    // same id starts it afresh with the new tick. A tick may stop itself.
    // These three belong to the queue's thread.
    void Repeat(UINT_PTR id, UINT intervalMs, std::function<void()> tick);
    void StopRepeating(UINT_PTR id);
    bool Repeating(UINT_PTR id) const { return ticks_.contains(id); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void RunNext();
    void Tick(UINT_PTR id);

    std::shared_ptr<Shared> shared_;
    std::map<UINT_PTR, std::function<void()>> ticks_;
    UniqueWindow window_;
};

}  // namespace orvane
