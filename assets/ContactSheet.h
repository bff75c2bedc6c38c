// The contact sheet: every bitmap of the pack on one PNG, each with its id, for review.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "assets/Bitmap.h"

bool WriteContactSheet(const std::vector<std::pair<uint32_t, Bitmap>>& bitmaps, const std::string& path);
