# Start-up, the message loop, the main menu, the play screen and its tool strip.
# Every app/*.cpp belongs to it.
file(GLOB app_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(FILTER app_sources EXCLUDE REGEX "WinMain\\.cpp$")
list(APPEND VEXLA_WIN32_SOURCES ${app_sources})
