# Windows services below every window: files, memory, sounds, texts, the mixer, help pages,
# the wallpaper and the printer, window kinds and their state.
list(APPEND VEXLA_WIN32_SOURCES
    platform/BackgroundMusic.cpp
    platform/DesktopWallpaper.cpp
    platform/FileExists.cpp
    platform/Help.cpp
    platform/LanguageText.cpp
    platform/Mixer.cpp
    platform/PicturePrinter.cpp
    platform/ProgramFolder.cpp
    platform/RandomUnit.cpp
    platform/Sound.cpp
    platform/WindowKind.cpp)
