# Windows services below every window: files, memory, sounds, texts, the mixer, help pages,
# the wallpaper and the printer, window kinds and their state.
# Every platform/*.cpp belongs to it.
file(GLOB platform_services CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(FILTER platform_services EXCLUDE REGEX "_win32\\.cpp$")
list(APPEND VEXLA_WIN32_SOURCES ${platform_services})
