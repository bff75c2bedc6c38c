# Win32 drawing: the bitmap object, its drawing helpers, sprite sheets and file-name lists.
list(APPEND VEXLA_WIN32_SOURCES
    gfx/DibDraw.cpp
    gfx/DibImage.cpp
    gfx/NameList.cpp
    gfx/ResourcePackFile.cpp
    gfx/ShownPicture.cpp
    gfx/SpriteSheet.cpp)
