# Start-up, the message loop, the main menu, the play screen and its tool strip.
list(APPEND VEXLA_WIN32_SOURCES
    app/AppGlobals.cpp
    app/Language.cpp
    app/LowColourDialog.cpp
    app/MainMenu.cpp
    app/MessageLoop.cpp
    app/PlayScreen.cpp
    app/SharedImages.cpp
    app/StartUp.cpp
    app/ToolStrip.cpp
    app/ToolsPanel.cpp
    app/WindowClasses.cpp)
