list(APPEND VEXLA_PORTABLE_SOURCES app/ResourcePack.cpp)
list(APPEND VEXLA_PORTABLE_SOURCES app/AppString.cpp app/RandomUnitCore.cpp)
list(APPEND VEXLA_PORTABLE_SOURCES app/ModuleFolder.cpp)
list(APPEND VEXLA_WIN32_SOURCES
    app/AppGlobals.cpp
    app/Help.cpp
    app/LowColourDialog.cpp
    app/MainMenu.cpp
    app/MessageLoop.cpp
    app/StartUp.cpp
    app/WindowClasses.cpp)
list(APPEND VEXLA_PORTABLE_SOURCES app/LanguageIds.cpp app/MixerVolume.cpp app/SoundIds.cpp)
list(APPEND VEXLA_WIN32_SOURCES app/Language.cpp app/Mixer.cpp app/Sound.cpp)
list(APPEND VEXLA_WIN32_SOURCES app/PlayScreen.cpp app/ToolStrip.cpp app/ToolsPanel.cpp)
