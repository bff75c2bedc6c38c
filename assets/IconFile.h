// IconFile: writes Windows icon (.ico) and cursor (.cur) files, which the game's resource
// script embeds. Every image is stored as a 32-bit picture with its alpha, followed by the
// 1-bit AND mask that systems without alpha use (set where the picture is transparent).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct IconImage {
    int size = 0;                // width and height, 1 to 255
    std::vector<uint32_t> argb;  // size * size pixels, top row first, straight (not premultiplied) alpha
    int hotX = 0, hotY = 0;      // the cursor's hot spot (cursors only)
};

// The bytes of an .ico file (cursor false) or a .cur file (cursor true) holding the images in
// the order given.
std::vector<uint8_t> EncodeIconFile(const std::vector<IconImage>& images, bool cursor);

bool WriteIconFile(const std::string& path, const std::vector<IconImage>& images, bool cursor);
