# The portable engine: the puzzle model, cutting, the board rules, score and clock rules, the
# file formats and readers, and the small types they share. Nothing here includes a Windows
# header; the same files build natively (tests, tools, benchmarks) and with mingw.
list(APPEND VEXLA_PORTABLE_SOURCES
    engine/AppString.cpp
    engine/AtlasBuilder.cpp
    engine/AtlasRows.cpp
    engine/BmpFileReader.cpp
    engine/BmpRowCopy.cpp
    engine/BoardChanges.cpp
    engine/Cut.cpp
    engine/CutDeal.cpp
    engine/CutFirstBoard.cpp
    engine/CutGeometry.cpp
    engine/CutTemplate.cpp
    engine/CutWorkspace.cpp
    engine/DibBlit.cpp
    engine/DragSprite.cpp
    engine/DropRules.cpp
    engine/GameClock.cpp
    engine/Geometry.cpp
    engine/Hint.cpp
    engine/JoinRules.cpp
    engine/LanguageIds.cpp
    engine/MixerVolume.cpp
    engine/ModuleFolder.cpp
    engine/NameRecords.cpp
    engine/PieceAreas.cpp
    engine/PieceBevel.cpp
    engine/PieceShapes.cpp
    engine/PuzzleDocument.cpp
    engine/PuzzleStats.cpp
    engine/RandomUnitCore.cpp
    engine/ResourcePack.cpp
    engine/ScreenPixelFormat.cpp
    engine/Solve.cpp
    engine/SoundIds.cpp
    engine/SurfacePainter.cpp)
