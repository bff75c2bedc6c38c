// The tool strip (CWNDBARRAHER): the narrow rail on the play screen's left edge. Touching it
// with the pointer slides the tools panel out over it.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr char kToolStripClass[] = "CWNDBARRAHER";
constexpr uint32_t kToolTileImageId = 194;  // 136 x 190, shared with the tools panel
constexpr int32_t kToolTileWidth = 136;
constexpr int32_t kToolTileHeight = 190;
constexpr int32_t kToolStripWidth = 17;
constexpr int32_t kToolStripSourceX = kToolTileWidth - kToolStripWidth;  // the rail: columns 119 to 135
constexpr int32_t kToolStripTop = 78;
constexpr int32_t kToolStripHeightMargin = 96;  // the strip and the panel are ScreenHeight - 96 high

class DibImage;

// The background tile of the strip and the panel, loaded by the strip for the whole run.
DibImage& ToolTile();

bool RegisterToolStripClass(HINSTANCE instance);
HWND CreateToolStrip(HWND playScreen);

// Paints the strip's rail over `rect` of a strip window's client area, in 190-pixel bands
// that start at the top of the rectangle.
void PaintToolStripBands(HDC dc, const RECT& rect);
