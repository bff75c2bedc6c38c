// The options bar (CWNDBARRAOPC): the thin textured rail along the play screen's bottom edge.
// Touching it with the pointer slides the options panel up over it. The bar loads the tile
// that it and the panel share, and lays it out once as a strip the width of the screen, so
// that painting and the panel's slide copy one block instead of drawing tile after tile.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kOptionsBarClass[] = "CWNDBARRAOPC";
constexpr uint32_t kOptionsTileImageId = 199;  // 103 x 103; the bar shows its top 18 rows
constexpr int32_t kOptionsTileSize = 103;
constexpr int32_t kOptionsBarHeight = 18;

class DibImage;

// The shared tile, loaded by the bar for the whole run.
DibImage& OptionsTile();
// The tile repeated from x 0 across the screen's width, 103 rows high (a device-mode image
// with no picture until the bar has built it).
DibImage& OptionsTileStrip();
// Lays the tile out into the strip for a screen `width` pixels wide; false when there is no
// tile or no memory for the strip.
bool BuildOptionsTileStrip(int32_t width);

// Copies the strip's rows starting at `sourceTop` into `rect` of a window whose client area
// starts at x 0 of the screen, so the texture always lines up with the window's own origin
// whatever part of it is repainted. Without a strip nothing is drawn.
void PaintFromOptionsStrip(HDC dc, const RECT& rect, int32_t sourceTop);

bool RegisterOptionsBarClass(HINSTANCE instance);
HWND CreateOptionsBar(HWND playScreen);
