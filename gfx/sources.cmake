list(APPEND VEXLA_PORTABLE_SOURCES gfx/Geometry.cpp gfx/DibBlit.cpp)
