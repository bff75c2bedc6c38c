// Box names; see BoxNames.h.
#include "engine/BoxNames.h"

BoxName DefaultBoxName(int box) {
    BoxName name{'B', 'o', 'x', ' ', static_cast<char>('1' + box)};
    return name;
}

BoxNames DefaultBoxNames() {
    BoxNames names;
    for (int box = 0; box < kBoxCount; ++box) names[static_cast<size_t>(box)] = DefaultBoxName(box);
    return names;
}

BoxName MakeBoxName(std::string_view text) {
    BoxName name{};
    for (size_t i = 0; i < text.size() && i < kBoxNameMaxChars && text[i] != '\0'; ++i) name[i] = text[i];
    return name;
}
