// Small owners of USER, multimedia and registry handles: a menu, an open MCI device and an
// open registry key. Move-only; each gives its handle back the way the system wants it back.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <utility>

// A menu loaded with LoadMenuA and destroyed with DestroyMenu. A menu attached to a window is
// destroyed with that window by the system: detach it (SetMenu(window, nullptr)) before the
// window goes when this owner keeps it.
class MenuHandle {
public:
    MenuHandle() = default;
    explicit MenuHandle(HMENU menu) : menu_(menu) {}
    ~MenuHandle() { reset(); }
    MenuHandle(MenuHandle&& other) noexcept : menu_(std::exchange(other.menu_, nullptr)) {}
    MenuHandle& operator=(MenuHandle&& other) noexcept {
        if (this != &other) {
            reset();
            menu_ = std::exchange(other.menu_, nullptr);
        }
        return *this;
    }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;

    HMENU get() const { return menu_; }
    void reset(HMENU menu = nullptr) {
        if (menu_ != nullptr) ::DestroyMenu(menu_);
        menu_ = menu;
    }

private:
    HMENU menu_ = nullptr;
};

// An open MCI device, closed (MCI_CLOSE with MCI_WAIT) when the owner goes.
class MciDevice {
public:
    MciDevice() = default;
    explicit MciDevice(MCIDEVICEID device) : device_(device) {}
    ~MciDevice() { reset(); }
    MciDevice(MciDevice&& other) noexcept : device_(std::exchange(other.device_, 0)) {}
    MciDevice& operator=(MciDevice&& other) noexcept {
        if (this != &other) {
            reset();
            device_ = std::exchange(other.device_, 0);
        }
        return *this;
    }
    MciDevice(const MciDevice&) = delete;
    MciDevice& operator=(const MciDevice&) = delete;

    MCIDEVICEID get() const { return device_; }
    void reset(MCIDEVICEID device = 0) {
        if (device_ != 0) {
            MCI_GENERIC_PARMS close{};
            ::mciSendCommandA(device_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
        }
        device_ = device;
    }

private:
    MCIDEVICEID device_ = 0;
};

// An open registry key (RegOpenKeyExA / RegCloseKey). Empty when the open failed.
class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(HKEY parent, const char* subKey, REGSAM access) {
        if (::RegOpenKeyExA(parent, subKey, 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RegistryKey() { reset(); }
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            reset();
            key_ = std::exchange(other.key_, nullptr);
        }
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    void reset() {
        if (key_ != nullptr) ::RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY key_ = nullptr;
};
