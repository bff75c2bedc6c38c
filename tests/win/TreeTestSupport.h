// Reading a common tree view's items back, for the tests of the windows that hold one.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace treetest {

inline HTREEITEM Next(HWND view, HTREEITEM item, UINT relation) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(view, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

inline std::string Text(HWND view, HTREEITEM item) {
    char text[260] = "";
    TVITEMA tvi{};
    tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = sizeof text;
    SendMessageA(view, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
    return text;
}

inline std::vector<std::string> ChildTexts(HWND view, HTREEITEM item) {
    std::vector<std::string> texts;
    for (HTREEITEM child = Next(view, item, TVGN_CHILD); child != nullptr; child = Next(view, child, TVGN_NEXT))
        texts.push_back(Text(view, child));
    return texts;
}

}  // namespace treetest
