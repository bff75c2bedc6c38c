// Shape templates: the label maps from which the cutter takes the outlines of the pieces.
// A template holds 2 x 2 interlocking pieces; every pixel carries the number of the region
// it belongs to:
//
//   1..4   template piece (i, j) = i * 2 + j + 1, owning the 200 x 200 body square at
//          (66 + 200 j, 66 + 200 i) plus its tabs, minus its neighbours' tabs
//   5, 6   above row 0, over column 0 / 1        7, 8   right of column 1, beside row 0 / 1
//   9, 10  below row 1, under column 0 / 1       11, 12 left of column 0, beside row 0 / 1
//
// The map is one 2 x 2 period of an endless interlocking plane, so what the top border
// holds is exactly what row 1 pushes down past its bottom edge, and likewise left and
// right: repeated over any grid, the pieces fit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/PackedDib.h"

constexpr int kTemplateCell = 200;  // side of a body square
constexpr int kTemplateReach = 66;  // how far a tab may reach beyond its body square
constexpr int kTemplateGrid = 2;    // template pieces per row and per column
constexpr int kTemplateSide = kTemplateGrid * kTemplateCell + 2 * kTemplateReach;  // 532
constexpr int kTemplateFamilies = 6;
constexpr uint32_t kFirstTemplateId = 3000;

// The tab family of each template, in id order.
const char* TemplateFamilyName(int family);

// kTemplateSide x kTemplateSide labels, top row first.
std::vector<uint8_t> MakeShapeTemplate(int family);

// Colours for looking at a template: the four pieces in warm colours, the border regions in
// greys. Sixteen entries; labels above 12 are never used.
std::vector<RgbQuad> TemplatePalette();
