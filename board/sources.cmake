# The board and box windows: the surfaces pieces lie on, the drag images and the clock's timer.
list(APPEND VEXLA_WIN32_SOURCES
    board/BoardGlobals.cpp
    board/BoxWindow.cpp
    board/DragImages.cpp
    board/GameClockTimer.cpp
    board/PuzzleSurface.cpp
    board/SurfaceWindows.cpp)
