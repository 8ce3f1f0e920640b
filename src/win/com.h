// Owners for what COM and the shell hand out: interface pointers, memory
// from the task allocator (PIDLs among it), and the thread's OLE session.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <utility>

namespace orvane {

// Holds one reference to an interface and releases it.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(Interface* p) : p_(p) {}  // takes over a reference
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) reset(std::exchange(other.p_, nullptr));
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const { return p_; }
    Interface* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset(Interface* p = nullptr) {
        if (p_) p_->Release();
        p_ = p;
    }
    // For calls that hand out a new reference: releases the present one first.
    Interface** put() {
        reset();
        return &p_;
    }

private:
    Interface* p_ = nullptr;
};

// Memory from CoTaskMemAlloc, such as a PIDL the shell returns.
template <typename T>
class CoTaskMem {
public:
    CoTaskMem() = default;
    explicit CoTaskMem(T* p) : p_(p) {}
    CoTaskMem(const CoTaskMem&) = delete;
    CoTaskMem& operator=(const CoTaskMem&) = delete;
    ~CoTaskMem() { CoTaskMemFree(p_); }

    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// OLE on this thread for as long as it lives (drag and drop and the shell's
// dialogs need it).
class OleSession {
public:
    OleSession() : initialized_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialized_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool initialized_;
};

}  // namespace orvane
