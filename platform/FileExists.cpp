#include "platform/FileExists.h"

#include <windows.h>

bool FileExists(const char* path) {
    if (path == nullptr || path[0] == '\0') return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}
