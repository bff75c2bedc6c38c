// DibImage: the picture object every window draws with. It works in one of two modes, fixed
// when it is made:
//  - DIB mode (the default): the picture is a PackedDib (usually read from the resource
//    pack), drawn with DrawDib and combined in memory with DibBlit;
//  - device mode: the picture is a GDI bitmap selected into a memory device context that the
//    object owns, drawn with BitBlt. Work surfaces and saved sprite backgrounds use it.
// Calling an operation of one mode on an object of the other is a programming error and
// traps like a failed assertion.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "engine/Geometry.h"
#include "engine/PackedDib.h"

class ResourcePack;

class DibImage {
public:
    explicit DibImage(bool deviceMode = false);
    ~DibImage();
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    // DIB mode: bitmap `id` of the program's resource pack. Device mode: the executable's
    // bitmap resource `id`. False, picture unchanged, when there is no such bitmap.
    bool LoadById(uint32_t id);
    // DIB mode, from a given pack (tests and tools use packs of their own).
    bool LoadFromPack(ResourcePack& pack, uint32_t id);
    // Device mode: a .bmp file through LoadImageA; false for a null path or a failed load.
    bool LoadFromFile(const char* path);
    // Device mode: makes `bitmap` the picture. With `owns`, the object deletes it when it is
    // replaced or destroyed (and at once if it cannot be selected).
    bool AttachBitmap(HBITMAP bitmap, bool owns);
    // Prepares an empty picture. Device mode grows its allocation only (unless `exact`) and
    // keeps the old picture when the new bitmap cannot be made; DIB mode makes a new 8-bit
    // PackedDib and is left without a picture when that fails.
    bool Resize(int32_t width, int32_t height, bool exact);

    // DIB mode: the PackedDib's own width and height; device mode: the size in use.
    Point GetSize() const;
    bool IsDeviceMode() const { return deviceMode_; }

    // Device mode only.
    HDC GetDC() const;
    HPALETTE GetPalette() const;
    HBITMAP GetBitmap() const;
    void RealizePalette() const;

    // DIB mode only: the image, or null before anything was loaded or sized.
    PackedDib* GetDib() const;
    // DIB mode only: hands over a block (tests, the cutter's results); frees the old one.
    void TakeDib(std::unique_ptr<PackedDib, PackedDibDeleter> dib);

private:
    void RequireMode(bool device) const;
    // Selects `bitmap`, keeping the dc's original bitmap aside the first time and deleting the
    // previous one when we owned it. False when the selection fails.
    bool SelectOwnBitmap(HBITMAP bitmap, bool owns);
    void BuildPaletteFor(HBITMAP bitmap, int bitsPerPixel);

    HDC dc_ = nullptr;
    HBITMAP savedBitmap_ = nullptr;
    HPALETTE savedPalette_ = nullptr;
    int32_t allocWidth_ = 1;
    int32_t allocHeight_ = 1;
    int32_t width_ = 1;
    int32_t height_ = 1;
    bool deviceMode_ = false;
    // An attached bitmap may belong to someone else (shared resources): it is then never deleted.
    bool ownsBitmap_ = false;
    std::unique_ptr<PackedDib, PackedDibDeleter> dib_;
};
