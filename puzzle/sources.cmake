# Puzzle engine: the model, the .bmp reader and their helpers are portable.
list(APPEND VEXLA_PORTABLE_SOURCES
    puzzle/BmpFileReader.cpp
    puzzle/BmpRowCopy.cpp
    puzzle/PuzzleDocument.cpp
)
# The cutter: sizes, maps, templates, the atlas, dealing and the screen format rules are
# portable; the template loading, cursors and drag images are the Windows side's.
list(APPEND VEXLA_PORTABLE_SOURCES
    puzzle/AtlasBuilder.cpp
    puzzle/AtlasRows.cpp
    puzzle/Cut.cpp
    puzzle/CutDeal.cpp
    puzzle/CutFirstBoard.cpp
    puzzle/CutGeometry.cpp
    puzzle/CutTemplate.cpp
    puzzle/ScreenPixelFormat.cpp
)
# The board and boxes: painting, joining, dropping, selection, score, hint, solve and the
# clock's rules are portable; the surface and box windows and the clock's timer are not.
list(APPEND VEXLA_PORTABLE_SOURCES
    puzzle/DragSprite.cpp
    puzzle/DropRules.cpp
    puzzle/GameClock.cpp
    puzzle/JoinRules.cpp
    puzzle/PuzzleStats.cpp
    puzzle/SurfacePainter.cpp
)
list(APPEND VEXLA_WIN32_SOURCES
    puzzle/BoxWindow.cpp
    puzzle/DragImages.cpp
    puzzle/GameClockTimer.cpp
    puzzle/PuzzleSurface.cpp
)
