// The button faces that the main menu and the play screen share for the whole run, loaded
// once at start-up (packs 112 and 103).
#pragma once

#include <cstdint>

#include "engine/BinaryFile.h"  // first: its enumerator Share::Shared would shadow `Shared`
#include "gfx/DibImage.h"

constexpr uint32_t kMinimiseButtonImageId = 112;
constexpr uint32_t kCloseButtonImageId = 103;

struct SharedImages {
    DibImage MinimiseButtonImage;
    DibImage CloseButtonImage;
};

extern SharedImages Shared;
