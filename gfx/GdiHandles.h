// Small owners of GDI and Video for Windows handles, so that every exit path of a drawing
// function gives back what it took. Move-only; each releases its handle the way the system
// wants it released.
#pragma once

#include <windows.h>
#include <vfw.h>

#include <utility>

// The screen's device context, from GetDC(NULL), released with ReleaseDC.
class ScreenDC {
public:
    ScreenDC() : dc_(::GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_ != nullptr) ::ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// A window's device context from GetDC(window).
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A GDI object (bitmap, palette, brush, font) deleted with DeleteObject unless released.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle h) : handle_(h) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return handle_; }
    Handle release() { return std::exchange(handle_, nullptr); }
    void reset(Handle h = nullptr) {
        if (handle_ != nullptr) ::DeleteObject(handle_);
        handle_ = h;
    }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    Handle handle_ = nullptr;
};

// A DrawDib handle (DrawDibOpen / DrawDibClose). Made open; a window that draws with one for
// its whole life keeps it in its state.
class DrawDibHandle {
public:
    DrawDibHandle() : hdd_(::DrawDibOpen()) {}
    ~DrawDibHandle() { reset(); }
    DrawDibHandle(DrawDibHandle&& other) noexcept : hdd_(std::exchange(other.hdd_, nullptr)) {}
    DrawDibHandle& operator=(DrawDibHandle&& other) noexcept {
        if (this != &other) {
            reset();
            hdd_ = std::exchange(other.hdd_, nullptr);
        }
        return *this;
    }
    DrawDibHandle(const DrawDibHandle&) = delete;
    DrawDibHandle& operator=(const DrawDibHandle&) = delete;
    HDRAWDIB get() const { return hdd_; }

private:
    void reset() {
        if (hdd_ != nullptr) ::DrawDibClose(hdd_);
        hdd_ = nullptr;
    }
    HDRAWDIB hdd_;
};

// Selects an object into a device context and puts the previous one back when it goes, so a
// font, pen or bitmap is never deleted while still selected.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) ::SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory device context owned outright (CreateCompatibleDC / DeleteDC).
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_ != nullptr) ::DeleteDC(dc_);
    }
    MemoryDC(MemoryDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this != &other) {
            if (dc_ != nullptr) ::DeleteDC(dc_);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// A device context made with CreateDCA, such as a printer's, deleted with DeleteDC. Empty when
// the printer could not be opened.
class PrinterDeviceContext {
public:
    PrinterDeviceContext() = default;
    explicit PrinterDeviceContext(const char* printerName)
        : dc_(printerName != nullptr ? ::CreateDCA(nullptr, printerName, nullptr, nullptr) : nullptr) {}
    ~PrinterDeviceContext() { reset(); }
    PrinterDeviceContext(PrinterDeviceContext&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    PrinterDeviceContext& operator=(PrinterDeviceContext&& other) noexcept {
        if (this != &other) {
            reset();
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    PrinterDeviceContext(const PrinterDeviceContext&) = delete;
    PrinterDeviceContext& operator=(const PrinterDeviceContext&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset() {
        if (dc_ != nullptr) ::DeleteDC(dc_);
        dc_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
};
