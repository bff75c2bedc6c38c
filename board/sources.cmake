# The board and box windows: the surfaces pieces lie on, the drag images and the clock's timer.
# Every board/*.cpp belongs to it.
file(GLOB board_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(APPEND VEXLA_WIN32_SOURCES ${board_sources})
