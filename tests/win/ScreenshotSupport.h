// Screenshots from inside a Win32 test: the whole X display the runner gave the test, saved as
// $VEXLA_SCREENSHOTS/<name>.png by a Unix shell started through Wine's spawner, for people to
// look at. Nothing happens outside the runner (no such variable) or without the spawner.
#pragma once

#include <windows.h>

#include <string>

namespace wintest {

inline bool SaveScreenshot(const std::string& name) {
    using UnixSpawn = LONG(CDECL*)(char* const argv[], int wait);
    static const auto spawn = reinterpret_cast<UnixSpawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    if (spawn == nullptr || GetEnvironmentVariableA("VEXLA_SCREENSHOTS", nullptr, 0) == 0) return false;
    std::string command =
        "xwd -display \"$DISPLAY\" -root -silent | convert xwd:- \"$VEXLA_SCREENSHOTS/" + name + ".png\"";
    char shell[] = "sh", flag[] = "-c";
    char* const argv[] = {shell, flag, command.data(), nullptr};
    return spawn(argv, TRUE) == 0;
}

}  // namespace wintest
