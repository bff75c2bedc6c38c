// A small Windows console program the end-to-end scripts use to look inside the running
// game from the same Wine session: find its windows, read their texts and places, and extract
// pack bitmaps for pixel comparisons. Each command prints one line and exits 0 on success.
//
//   WindowProbe wait <class> <caption|*> <ms>       screen rectangle "x y w h" of the window
//   WindowProbe client <class> <caption|*> <ms>     screen rectangle of the window's client area
//   WindowProbe text <class> <caption|*> <id>       text of the dialog control `id`
//   WindowProbe control <class> <caption|*> <id>    screen rectangle of the dialog control `id`
//   WindowProbe depth                               bits per pixel of the screen
//   WindowProbe pack-bmp <pack> <id> <out.bmp>      bitmap `id` of a pack as a .bmp file
//   WindowProbe scaled-bmp <in.bmp> <w> <h> <out>   a picture resampled by the game's reader
//   WindowProbe open-help <folder\> <language>      the game's help command for that folder
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/AppGlobals.h"
#include "engine/BinaryFile.h"
#include "engine/ResourcePack.h"
#include "engine/ScaledPicture.h"
#include "platform/Help.h"

namespace {

HWND FindTopLevel(const char* className, const char* caption, DWORD waitMs) {
    const char* cls = std::strcmp(className, "*") == 0 ? nullptr : className;
    const char* cap = std::strcmp(caption, "*") == 0 ? nullptr : caption;
    const DWORD until = GetTickCount() + waitMs;
    for (;;) {
        HWND found = FindWindowA(cls, cap);
        if (found != nullptr && IsWindowVisible(found)) return found;
        if (static_cast<int32_t>(GetTickCount() - until) >= 0) return nullptr;
        Sleep(50);
    }
}

int PrintRect(HWND window) {
    RECT r{};
    if (window == nullptr || !GetWindowRect(window, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

int PrintClientRect(HWND window) {
    RECT r{};
    if (window == nullptr || !GetClientRect(window, &r)) return 1;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

// A packed DIB as a .bmp file, with the palette entries its header counts.
int WriteBitmapFile(const PackedDib& dib, uint32_t paletteEntries, const char* outPath) {
    const uint32_t paletteBytes = 4 * paletteEntries;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof file + kDibHeaderSize + paletteBytes);
    file.bfSize = file.bfOffBits + dib.header.biSizeImage;
    BinaryFile out;
    bool ok = out.CreateWrite(outPath) && out.WriteAll(&file, sizeof file) &&
              out.WriteAll(&dib.header, kDibHeaderSize) && out.WriteAll(dib.palette, paletteBytes) &&
              out.WriteAll(dib.Pixels(), dib.header.biSizeImage);
    return ok ? 0 : 1;
}

int WritePackBitmap(const char* packPath, uint32_t id, const char* outPath) {
    ResourcePack pack;
    if (!pack.Open(packPath)) return 1;
    auto dib = pack.Read(id);
    if (!dib) return 1;
    return WriteBitmapFile(*dib, dib->header.biClrUsed, outPath);
}

int WriteScaledBitmap(const char* picturePath, int32_t width, int32_t height, const char* outPath) {
    BmpFileReader reader;
    if (!reader.Open(picturePath)) return 1;
    const PackedDibPtr dib = ReadScaledPicture(reader, Point{width, height});
    if (!dib) return 1;
    const uint32_t entries = dib->header.biBitCount <= 8
                                 ? (dib->header.biClrUsed != 0 ? dib->header.biClrUsed : 1u << dib->header.biBitCount)
                                 : 0;
    return WriteBitmapFile(*dib, entries, outPath);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string command = argv[1];
    if (command == "wait" && argc == 5) return PrintRect(FindTopLevel(argv[2], argv[3], std::atoi(argv[4])));
    if (command == "client" && argc == 5) return PrintClientRect(FindTopLevel(argv[2], argv[3], std::atoi(argv[4])));
    if ((command == "text" || command == "control") && argc == 5) {
        HWND window = FindTopLevel(argv[2], argv[3], 5000);
        HWND control = window != nullptr ? GetDlgItem(window, std::atoi(argv[4])) : nullptr;
        if (control == nullptr) return 1;
        if (command == "control") return PrintRect(control);
        char text[1024] = {};
        SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
        return 0;
    }
    if (command == "depth") {
        HDC screen = GetDC(nullptr);
        std::printf("%d\n", GetDeviceCaps(screen, BITSPIXEL));
        ReleaseDC(nullptr, screen);
        return 0;
    }
    if (command == "pack-bmp" && argc == 5) {
        return WritePackBitmap(argv[2], static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)), argv[4]);
    }
    if (command == "scaled-bmp" && argc == 6)
        return WriteScaledBitmap(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), argv[5]);
    if (command == "open-help" && argc == 4) {
        App.Instance = GetModuleHandleA(nullptr);
        lstrcpynA(App.ModuleFolder, argv[2], sizeof App.ModuleFolder);
        App.LanguageIndex = static_cast<uint32_t>(std::atoi(argv[3]));
        OpenHelp(nullptr);
        return 0;
    }
    return 2;
}
