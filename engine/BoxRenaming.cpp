#include "engine/BoxRenaming.h"

#include <cstring>

BoardChanges RenameBox(PuzzleDocument& doc, int box, std::string_view typed) {
    BoardChanges changes;
    if (box < 0 || box >= kBoxCount) return changes;
    const BoxName name = MakeBoxName(typed);
    if (name[0] == '\0') return changes;
    BoxName& kept = doc.boxNames[static_cast<size_t>(box)];
    if (std::strcmp(kept.data(), name.data()) == 0) return changes;
    kept = name;
    doc.dirty = 1;
    changes.boxNamesChanged = true;
    return changes;
}
