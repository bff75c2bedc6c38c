# The portable engine: the puzzle model, cutting, the board rules, score and clock rules, the
# file formats and readers, and the small types they share. Nothing here includes a Windows
# header; the same files build natively (tests, tools, benchmarks) and with mingw. Every
# engine/*.cpp belongs to it but the platform's file and memory back ends (*_posix.cpp here,
# platform/*_win32.cpp for Windows), which the top-level CMakeLists.txt picks.
file(GLOB engine_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(FILTER engine_sources EXCLUDE REGEX "_posix\\.cpp$")
list(APPEND VEXLA_PORTABLE_SOURCES ${engine_sources})
