#include "platform/ui_queue.h"

#include <deque>
#include <mutex>

namespace orvane {

namespace {

constexpr wchar_t kClassName[] = L"OrvaneUiQueue";

}  // namespace

struct UiQueue::Shared {
    std::mutex mutex;       // guards what follows
    HWND window = nullptr;  // none once the queue is gone: posts are dropped
    UINT message = 0;       // one per piece of work waiting
    std::deque<std::function<void()>> waiting;
};

void UiQueue::Poster::Post(std::function<void()> work) const {
    if (!shared_ || !work) return;
    const std::lock_guard lock(shared_->mutex);
    if (!shared_->window) return;
    shared_->waiting.push_back(std::move(work));
    // Posted under the lock, so the window cannot be destroyed in between.
    // A full message queue drops the work rather than running it late out
    // of turn.
    if (PostMessageW(shared_->window, shared_->message, 0, 0)) return;
    work = std::move(shared_->waiting.back());  // let go of once the lock is
    shared_->waiting.pop_back();
}

UiQueue::UiQueue() : shared_(std::make_shared<Shared>()) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof(existing)};
    if (!GetClassInfoExW(instance, kClassName, &existing)) {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = kClassName;
        RegisterClassExW(&wc);
    }
    shared_->message = RegisterWindowMessageW(L"OrvaneUiQueueWork");
    window_.reset(CreateWindowExW(0, kClassName, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this));
    // Without the message nothing posted could ever run: posts are dropped.
    const std::lock_guard lock(shared_->mutex);
    if (shared_->message) shared_->window = window_.get();
}

UiQueue::~UiQueue() {
    std::deque<std::function<void()>> dropped;
    {
        const std::lock_guard lock(shared_->mutex);
        shared_->window = nullptr;
        dropped.swap(shared_->waiting);
    }
    // The window takes its timers and the messages posted to it along.
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
}

void UiQueue::Repeat(UINT_PTR id, UINT intervalMs, std::function<void()> tick) {
    if (!window_ || !tick) return;
    if (!SetTimer(window_.get(), id, intervalMs, nullptr)) {
        StopRepeating(id);
        return;
    }
    ticks_.insert_or_assign(id, std::move(tick));
}

void UiQueue::StopRepeating(UINT_PTR id) {
    if (ticks_.erase(id) && window_) KillTimer(window_.get(), id);
}

void UiQueue::RunNext() {
    std::function<void()> work;
    {
        const std::lock_guard lock(shared_->mutex);
        if (shared_->waiting.empty()) return;
        work = std::move(shared_->waiting.front());
        shared_->waiting.pop_front();
    }
    work();  // may post more, or end the queue itself
}

void UiQueue::Tick(UINT_PTR id) {
    // A tick already on its way when its repeat was stopped finds none.
    const auto found = ticks_.find(id);
    if (found == ticks_.end()) return;
    const std::function<void()> tick = found->second;  // a copy: the tick may stop or replace itself
    tick();
}

LRESULT CALLBACK UiQueue::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    auto* self = reinterpret_cast<UiQueue*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == WM_TIMER) {
        self->Tick(wParam);
        return 0;
    }
    if (self && message == self->shared_->message && message != 0) {
        self->RunNext();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace orvane
