// Small owners for COM: the library initialised on this thread, and one interface pointer.
// Move-only; each gives back what it took the way COM wants it back.
#pragma once

#include <objbase.h>

#include <utility>

// CoInitializeEx for this thread, undone when the owner goes. A thread that already runs COM
// in the other apartment model still works (its COM stays as it is and is not undone here).
class ComLibrary {
public:
    ComLibrary() {
        const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        initialised_ = SUCCEEDED(hr);  // S_FALSE (already initialised) must be undone as well
        usable_ = initialised_ || hr == RPC_E_CHANGED_MODE;
    }
    ~ComLibrary() {
        if (initialised_) ::CoUninitialize();
    }
    ComLibrary(const ComLibrary&) = delete;
    ComLibrary& operator=(const ComLibrary&) = delete;

    bool usable() const { return usable_; }

private:
    bool initialised_ = false;
    bool usable_ = false;
};

// One reference to a COM interface, released when the owner goes.
template <typename Interface>
class ComObject {
public:
    ComObject() = default;
    ~ComObject() { reset(); }
    ComObject(ComObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComObject& operator=(ComObject&& other) noexcept {
        if (this != &other) {
            reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    Interface* get() const { return object_; }
    Interface* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    // Where a creating call stores the new reference; whatever was held is released first.
    Interface** put() {
        reset();
        return &object_;
    }
    void reset() {
        if (object_ != nullptr) std::exchange(object_, nullptr)->Release();
    }

private:
    Interface* object_ = nullptr;
};
