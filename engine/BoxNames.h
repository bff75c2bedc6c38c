// Box names: the captions of the six side boxes. The player may rename a box, and a saved
// game keeps the names, so the model holds them for the box windows to show. A name is kept
// in the 24 bytes the puzzle files give it: at most 23 characters and its terminator.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/Surface.h"

constexpr size_t kBoxNameBytes = 24;
constexpr size_t kBoxNameMaxChars = kBoxNameBytes - 1;

using BoxName = std::array<char, kBoxNameBytes>;
using BoxNames = std::array<BoxName, kBoxCount>;

// The name a box starts with: "Box 1" for box 0 up to "Box 6" for box 5.
BoxName DefaultBoxName(int box);
BoxNames DefaultBoxNames();
// `text` as a box keeps it: cut after 23 characters or at its first zero byte, zero-filled.
BoxName MakeBoxName(std::string_view text);
