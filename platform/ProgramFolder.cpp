#include "platform/ProgramFolder.h"

#include <cstring>

#include "app/AppGlobals.h"
#include "engine/ModuleFolder.h"

void FillModuleFolder(HINSTANCE instance) {
    AppString path(kModuleFolderCapacity);
    GetModuleFileNameA(instance, path.Buffer(), static_cast<DWORD>(path.Capacity()));
    path.Buffer()[path.Capacity() - 1] = '\0';
    path.Recount();
    TrimToFolder(path);
    std::memcpy(App.ModuleFolder, path.Text(), static_cast<size_t>(path.Length()));
}

AppString ProgramFile() {
    AppString path(kModuleFolderCapacity);
    const DWORD length = GetModuleFileNameA(nullptr, path.Buffer(), static_cast<DWORD>(path.Capacity()));
    // A path cut short names some other file, or none: none is given then.
    if (length == 0 || length >= static_cast<DWORD>(path.Capacity())) return AppString();
    path.Recount();
    return path;
}

AppString ProgramPath(const char* relative) {
    AppString path(App.ModuleFolder);
    path.Append(relative);
    return path;
}
