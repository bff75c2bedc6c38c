#include "platform/DesktopWallpaper.h"

#include <new>

#include "engine/WallpaperBmp.h"
#include "platform/Handles.h"

namespace {

constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr char kTileValue[] = "TileWallpaper";
constexpr char kNotTiled[] = "0";
// Saved to the user's profile and announced to every window, so the change lasts and shows.
constexpr UINT kWallpaperUpdate = SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE;

// What the desktop showed before, to put back if the new wallpaper is refused.
struct DesktopWallpaper {
    std::string path;
    std::string tile;
    bool hasTile = false;
};

DesktopWallpaper CurrentWallpaper() {
    DesktopWallpaper current;
    char path[MAX_PATH] = "";
    if (SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof path, path, 0)) {
        path[sizeof path - 1] = '\0';
        current.path = path;
    }
    const RegistryKey key(HKEY_CURRENT_USER, kDesktopKey, KEY_QUERY_VALUE);
    char tile[64] = "";
    DWORD type = 0;
    DWORD bytes = sizeof tile - 1;  // room for a terminator the stored value may lack
    if (key &&
        RegQueryValueExA(key.get(), kTileValue, nullptr, &type, reinterpret_cast<BYTE*>(tile), &bytes) ==
            ERROR_SUCCESS &&
        type == REG_SZ) {
        tile[bytes] = '\0';
        current.tile = tile;
        current.hasTile = true;
    }
    return current;
}

// Sets "TileWallpaper" to `value`, or deletes it when `value` is null.
bool SetTileValue(const char* value) {
    const RegistryKey key(HKEY_CURRENT_USER, kDesktopKey, KEY_SET_VALUE);
    if (!key) return false;
    if (value == nullptr) return RegDeleteValueA(key.get(), kTileValue) == ERROR_SUCCESS;
    const DWORD bytes = static_cast<DWORD>(std::char_traits<char>::length(value) + 1);  // with the terminator
    return RegSetValueExA(key.get(), kTileValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) ==
           ERROR_SUCCESS;
}

// An empty path (or null) takes the wallpaper away.
bool SetWallpaperPath(const char* path) {
    return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path), kWallpaperUpdate) != FALSE;
}

// Clears the read-only attribute of an earlier copy so that the new file can replace it.
// Returns the attributes to restore should the write fail, or INVALID_FILE_ATTRIBUTES when
// nothing was changed.
DWORD MakeReplaceable(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        (attributes & FILE_ATTRIBUTE_READONLY) == 0) {
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD writable = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    if (writable == 0) writable = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesA(path, writable) ? attributes : INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::string WallpaperFilePath() {
    char folder[MAX_PATH] = "";
    const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return {};
    std::string path(folder, length);
    if (path.back() != '\\') path += '\\';
    return path + kWallpaperFileName;
}

bool SetPictureAsWallpaper(BmpFileReader& picture, Point screen) noexcept {
    try {
        const std::string path = WallpaperFilePath();
        if (path.empty()) return false;
        const DWORD readOnlyAttributes = MakeReplaceable(path.c_str());
        if (!WriteWallpaperBmp(path.c_str(), picture, screen)) {
            if (readOnlyAttributes != INVALID_FILE_ATTRIBUTES) SetFileAttributesA(path.c_str(), readOnlyAttributes);
            return false;
        }

        const DesktopWallpaper previous = CurrentWallpaper();
        // The desktop keeps the picture it loaded under a file name: taking the wallpaper away
        // first makes it read the new file even when the name is the one it already shows.
        SetWallpaperPath(nullptr);
        // A picture fitted to the screen still leaves a band on one side; tiled, it would be
        // repeated into that band. The tiling is read when the wallpaper is set, so it goes first.
        SetTileValue(kNotTiled);
        if (SetWallpaperPath(path.c_str())) return true;

        SetTileValue(previous.hasTile ? previous.tile.c_str() : nullptr);
        SetWallpaperPath(previous.path.c_str());
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
