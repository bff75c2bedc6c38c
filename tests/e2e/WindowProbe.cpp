// A small Windows console program the end-to-end scripts use to look inside the running
// game from the same Wine session: find its windows, read their texts, places and states,
// tell when the game has dealt with what it was sent, and extract pack bitmaps and the clock's
// faces for pixel comparisons. Each command answers with one line and exits 0 on success.
//
//   WindowProbe wait <class> <caption|*> <ms>       screen rectangle "x y w h" of the window
//   WindowProbe client <class> <caption|*> <ms>     screen rectangle of the window's client area
//   WindowProbe text <class> <caption|*> <id>       text of the dialog control `id`
//   WindowProbe control <class> <caption|*> <id>    screen rectangle of the dialog control `id`
//   WindowProbe child <class> <caption|*> <child class> <id|*>
//                                                   screen rectangle of a visible descendant
//   WindowProbe menu-bar <class> <caption|*>        screen rectangle of the window's menu bar
//   WindowProbe send <class> <caption|*> <child class> <id> <message> [<wParam> <lParam>]
//                                                   what the descendant answers to the message
//   WindowProbe send-shown <class> <caption|*> <child class> <id|*> <message> [<wParam> <lParam>]
//                                                   the same, asking only a visible descendant (of a
//                                                   page of a dialog, where hidden pages have the
//                                                   same kinds of controls)
//   WindowProbe capture <class> <caption|*>         "<class> <id>" of the window holding the mouse
//                                                   capture in that window's thread, or "none"
//   WindowProbe sync <class> <caption|*> <ms>       answers once the window's thread has handled a
//                                                   WM_NULL, i.e. came back to its message loop
//   WindowProbe foreground                          class of the foreground window, or "none"
//   WindowProbe enabled <class> <caption|*>         "1" when the window takes input, "0" when not
//   WindowProbe caption-colours                     "r,g,b" of the active caption's two ends,
//                                                   then of the inactive caption's
//   WindowProbe depth                               bits per pixel of the screen
//   WindowProbe pack-bmp <pack> <id> <out.bmp>      bitmap `id` of a pack as a .bmp file
//   WindowProbe scaled-bmp <in.bmp> <w> <h> <out>   a picture resampled by the game's reader
//   WindowProbe timer-faces <pack> <count> <out.bmp>  the clock's faces, see TimerFaces.h
//   WindowProbe open-help <folder\> <language>      the game's help command for that folder
//   WindowProbe serve                               answers commands read from its input, one a
//                                                   line, words separated by tabs, each with
//                                                   "<exit code><tab><answer>": one process for
//                                                   the many questions a script asks while it plays
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "TimerFaces.h"
#include "app/AppGlobals.h"
#include "engine/BinaryFile.h"
#include "engine/ResourcePack.h"
#include "engine/ScaledPicture.h"
#include "platform/Help.h"

namespace {

using Words = std::vector<std::string>;

struct Answer {
    int code = 1;
    std::string line;
};

Answer Ok(std::string line) { return Answer{0, std::move(line)}; }
Answer Failed() { return Answer{}; }

const char* OrNull(const std::string& pattern) { return pattern == "*" ? nullptr : pattern.c_str(); }

HWND FindTopLevel(const std::string& className, const std::string& caption, DWORD waitMs) {
    const DWORD until = GetTickCount() + waitMs;
    for (;;) {
        HWND found = FindWindowA(OrNull(className), OrNull(caption));
        if (found != nullptr && IsWindowVisible(found)) return found;
        if (static_cast<int32_t>(GetTickCount() - until) >= 0) return nullptr;
        Sleep(50);
    }
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

Answer RectOf(HWND window) {
    RECT r{};
    if (window == nullptr || !GetWindowRect(window, &r)) return Failed();
    char line[64];
    std::snprintf(line, sizeof line, "%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return Ok(line);
}

// The menu bar lies right above the client area. Menus live in the game's process, so the
// probe cannot ask for them; the window's geometry tells where the bar is.
Answer MenuBarOf(HWND window) {
    RECT client{};
    if (window == nullptr || GetMenu(window) == nullptr || !GetClientRect(window, &client)) return Failed();
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    const int bar = GetSystemMetrics(SM_CYMENU);
    char line[64];
    std::snprintf(line, sizeof line, "%ld %ld %ld %d", corner.x, corner.y - bar, client.right, bar);
    return Ok(line);
}

// The first descendant of `top` of class `className` with control id `id` ("*": any), only
// visible ones when `visibleOnly`.
HWND FindDescendant(HWND top, const std::string& className, const std::string& id, bool visibleOnly) {
    struct Search {
        const std::string& className;
        const std::string& id;
        bool visibleOnly;
        HWND found;
    } search{className, id, visibleOnly, nullptr};
    EnumChildWindows(
        top,
        [](HWND child, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (lstrcmpiA(ClassOf(child).c_str(), s->className.c_str()) != 0) return TRUE;
            if (s->id != "*" && GetDlgCtrlID(child) != std::atoi(s->id.c_str())) return TRUE;
            if (s->visibleOnly && !IsWindowVisible(child)) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Answer SendToDescendant(const Words& w, bool visibleOnly) {
    HWND top = FindTopLevel(w[1], w[2], 0);
    HWND child = top != nullptr ? FindDescendant(top, w[3], w[4], visibleOnly) : nullptr;
    if (child == nullptr) return Failed();
    const UINT message = static_cast<UINT>(std::strtoul(w[5].c_str(), nullptr, 10));
    const WPARAM wParam = w.size() > 6 ? static_cast<WPARAM>(std::strtoull(w[6].c_str(), nullptr, 10)) : 0;
    const LPARAM lParam = w.size() > 7 ? static_cast<LPARAM>(std::strtoll(w[7].c_str(), nullptr, 10)) : 0;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(child, message, wParam, lParam, SMTO_NORMAL, 10000, &result)) return Failed();
    return Ok(std::to_string(static_cast<long long>(result)));
}

Answer CaptureOf(const Words& w) {
    HWND top = FindTopLevel(w[1], w[2], 0);
    if (top == nullptr) return Failed();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return Failed();
    if (info.hwndCapture == nullptr) return Ok("none");
    return Ok(ClassOf(info.hwndCapture) + " " + std::to_string(GetDlgCtrlID(info.hwndCapture)));
}

Answer Sync(const Words& w) {
    const DWORD ms = static_cast<DWORD>(std::atoi(w[3].c_str()));
    HWND top = FindTopLevel(w[1], w[2], 0);
    DWORD_PTR result = 0;
    if (top == nullptr || !SendMessageTimeoutA(top, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result)) return Failed();
    return Ok("");
}

Answer Foreground() {
    HWND window = GetForegroundWindow();
    return Ok(window != nullptr ? ClassOf(window) : "none");
}

std::string Rgb(COLORREF c) {
    return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
}

Answer CaptionColours() {
    BOOL gradients = FALSE;
    SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradients, 0);
    const COLORREF active = GetSysColor(COLOR_ACTIVECAPTION);
    const COLORREF inactive = GetSysColor(COLOR_INACTIVECAPTION);
    const COLORREF activeEnd = gradients ? GetSysColor(COLOR_GRADIENTACTIVECAPTION) : active;
    const COLORREF inactiveEnd = gradients ? GetSysColor(COLOR_GRADIENTINACTIVECAPTION) : inactive;
    return Ok(Rgb(active) + " " + Rgb(activeEnd) + " " + Rgb(inactive) + " " + Rgb(inactiveEnd));
}

Answer Depth() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return Ok(std::to_string(bits));
}

// A packed DIB as a .bmp file, with `paletteEntries` colours.
Answer WriteBitmapFile(const PackedDib& dib, uint32_t paletteEntries, const char* outPath) {
    const uint32_t paletteBytes = 4 * paletteEntries;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = static_cast<DWORD>(sizeof file + kDibHeaderSize + paletteBytes);
    file.bfSize = file.bfOffBits + dib.header.biSizeImage;
    BinaryFile out;
    bool ok = out.CreateWrite(outPath) && out.WriteAll(&file, sizeof file) &&
              out.WriteAll(&dib.header, kDibHeaderSize) && out.WriteAll(dib.palette, paletteBytes) &&
              out.WriteAll(dib.Pixels(), dib.header.biSizeImage);
    return ok ? Ok("") : Failed();
}

Answer WritePackBitmap(const char* packPath, uint32_t id, const char* outPath) {
    ResourcePack pack;
    if (!pack.Open(packPath)) return Failed();
    auto dib = pack.Read(id);
    if (!dib) return Failed();
    return WriteBitmapFile(*dib, dib->header.biClrUsed, outPath);
}

Answer WriteScaledBitmap(const Words& w) {
    BmpFileReader reader;
    if (!reader.Open(w[1].c_str())) return Failed();
    const PackedDibPtr dib = ReadScaledPicture(reader, Point{std::atoi(w[2].c_str()), std::atoi(w[3].c_str())});
    if (!dib) return Failed();
    const BitmapInfoHeader& h = dib->header;
    const uint32_t entries = h.biBitCount <= 8 ? (h.biClrUsed != 0 ? h.biClrUsed : 1u << h.biBitCount) : 0;
    return WriteBitmapFile(*dib, entries, w[4].c_str());
}

Answer ClientRectOf(HWND window) {
    RECT r{};
    if (window == nullptr || !GetClientRect(window, &r)) return Failed();
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    char line[64];
    std::snprintf(line, sizeof line, "%ld %ld %ld %ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return Ok(line);
}

Answer OpenHelpFor(const Words& w) {
    App.Instance = GetModuleHandleA(nullptr);
    lstrcpynA(App.ModuleFolder, w[1].c_str(), sizeof App.ModuleFolder);
    App.LanguageIndex = static_cast<uint32_t>(std::atoi(w[2].c_str()));
    OpenHelp(nullptr);
    return Ok("");
}

// w[0] is the command; a wrong number of words is exit code 2, as a wrong command.
Answer Run(const Words& w) {
    const std::string& command = w.empty() ? "" : w[0];
    const size_t n = w.size();
    if (command == "wait" && n == 4) return RectOf(FindTopLevel(w[1], w[2], std::atoi(w[3].c_str())));
    if (command == "client" && n == 4) return ClientRectOf(FindTopLevel(w[1], w[2], std::atoi(w[3].c_str())));
    if (command == "scaled-bmp" && n == 5) return WriteScaledBitmap(w);
    if ((command == "text" || command == "control") && n == 4) {
        HWND window = FindTopLevel(w[1], w[2], 5000);
        HWND control = window != nullptr ? GetDlgItem(window, std::atoi(w[3].c_str())) : nullptr;
        if (control == nullptr) return Failed();
        if (command == "control") return RectOf(control);
        char text[1024] = {};
        SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return Ok(text);
    }
    if (command == "child" && n == 5) {
        HWND top = FindTopLevel(w[1], w[2], 0);
        return RectOf(top != nullptr ? FindDescendant(top, w[3], w[4], true) : nullptr);
    }
    if (command == "menu-bar" && n == 3) return MenuBarOf(FindTopLevel(w[1], w[2], 0));
    if (command == "send" && (n == 6 || n == 8)) return SendToDescendant(w, false);
    if (command == "send-shown" && (n == 6 || n == 8)) return SendToDescendant(w, true);
    if (command == "capture" && n == 3) return CaptureOf(w);
    if (command == "sync" && n == 4) return Sync(w);
    if (command == "foreground" && n == 1) return Foreground();
    if (command == "enabled" && n == 3) {
        HWND window = FindTopLevel(w[1], w[2], 0);
        if (window == nullptr) return Failed();
        return Ok(IsWindowEnabled(window) ? "1" : "0");
    }
    if (command == "caption-colours" && n == 1) return CaptionColours();
    if (command == "depth" && n == 1) return Depth();
    if (command == "pack-bmp" && n == 4) {
        return WritePackBitmap(w[1].c_str(), static_cast<uint32_t>(std::strtoul(w[2].c_str(), nullptr, 10)),
                               w[3].c_str());
    }
    if (command == "timer-faces" && n == 4) {
        const int code = WriteTimerFaces(w[1].c_str(), std::atoi(w[2].c_str()), w[3].c_str());
        return Answer{code, ""};
    }
    if (command == "open-help" && n == 3) return OpenHelpFor(w);
    return Answer{2, ""};
}

Words SplitTabs(const std::string& line) {
    Words words;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        words.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return words;
        start = tab + 1;
    }
}

int Serve() {
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, stdin) != nullptr) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        const Answer answer = Run(SplitTabs(line));
        std::printf("%d\t%s\n", answer.code, answer.line.c_str());
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "serve") == 0) return Serve();
    const Answer answer = Run(Words(argv + 1, argv + argc));
    if (!answer.line.empty()) std::printf("%s\n", answer.line.c_str());
    return answer.code;
}
