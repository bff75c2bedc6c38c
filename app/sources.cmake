list(APPEND VEXLA_PORTABLE_SOURCES app/ResourcePack.cpp)
