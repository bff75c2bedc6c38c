list(APPEND VEXLA_PORTABLE_SOURCES gfx/Geometry.cpp gfx/DibBlit.cpp)
list(APPEND VEXLA_WIN32_SOURCES gfx/DibImage.cpp gfx/DibDraw.cpp)
list(APPEND VEXLA_PORTABLE_SOURCES gfx/NameRecords.cpp)
list(APPEND VEXLA_WIN32_SOURCES gfx/FileExists.cpp gfx/NameList.cpp gfx/SpriteSheet.cpp)
