# Puzzle engine: the model, the .bmp reader and their helpers are portable.
list(APPEND VEXLA_PORTABLE_SOURCES
    puzzle/BmpFileReader.cpp
    puzzle/BmpRowCopy.cpp
    puzzle/PuzzleDocument.cpp
)
# The board and boxes: painting, joining, dropping, selection, score, hint, solve and the
# clock's rules are portable; the surface and box windows and the clock's timer are not.
list(APPEND VEXLA_PORTABLE_SOURCES
    puzzle/DropRules.cpp
    puzzle/GameClock.cpp
    puzzle/JoinRules.cpp
    puzzle/PuzzleStats.cpp
    puzzle/SurfacePainter.cpp
)
