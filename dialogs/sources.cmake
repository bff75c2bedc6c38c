# The game's dialogs, one file pair per window kind. Every dialogs/*.cpp belongs to it.
file(GLOB dialogs_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(APPEND VEXLA_WIN32_SOURCES ${dialogs_sources})
