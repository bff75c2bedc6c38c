# Puzzle engine: the model, the .bmp reader and their helpers are portable.
list(APPEND VEXLA_PORTABLE_SOURCES
    puzzle/BmpFileReader.cpp
    puzzle/BmpRowCopy.cpp
    puzzle/PuzzleDocument.cpp
)
