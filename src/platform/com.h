// Owners for what COM and the shell hand out: interface pointers, memory
// from the task allocator (PIDLs among it), and the thread's OLE session.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <atomic>
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

// One interface implemented by an object on the heap that goes at its last
// Release; it starts with one reference, its creator's.
template <typename Interface, const IID& kInterfaceId>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == kInterfaceId) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

protected:
    ComObject() = default;
    virtual ~ComObject() = default;

private:
    std::atomic<ULONG> references_{1};
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
