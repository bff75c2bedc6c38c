# Control library: the six custom controls and what they share.
# Every controls/*.cpp belongs to it.
file(GLOB controls_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(APPEND VEXLA_WIN32_SOURCES ${controls_sources})
