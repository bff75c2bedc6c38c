#include "engine/ModuleFolder.h"

#include <cstring>

namespace {
constexpr int32_t kLastCutPosition = 259;
}

void TrimToFolder(AppString& path) {
    char* text = path.Buffer();
    if (text == nullptr) return;
    const int32_t length = static_cast<int32_t>(strnlen(text, static_cast<size_t>(path.Capacity())));
    for (int32_t i = length - 1; i >= 0; --i) {
        if (text[i] != '\\') continue;
        if (i >= 1 && i <= kLastCutPosition && i + 1 < path.Capacity()) {
            text[i + 1] = '\0';
            path.Recount();
        }
        return;
    }
}
