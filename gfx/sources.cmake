# Win32 drawing: the bitmap object, its drawing helpers, sprite sheets and file-name lists.
# Every gfx/*.cpp belongs to it.
file(GLOB gfx_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(APPEND VEXLA_WIN32_SOURCES ${gfx_sources})
