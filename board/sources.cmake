# The board and box windows: the surfaces pieces lie on, the drag images and the clock's timer;
# the picture magnifier and the new-puzzle dialog's two size pickers.
list(APPEND VEXLA_WIN32_SOURCES
    board/BoardGlobals.cpp
    board/BoxWindow.cpp
    board/DragImages.cpp
    board/GameClockTimer.cpp
    board/PictureMagnifier.cpp
    board/PieceCountPicker.cpp
    board/PuzzleSurface.cpp
    board/SizePickers.cpp
    board/SurfaceWindows.cpp
    board/ZoomPicker.cpp)
