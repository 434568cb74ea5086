#pragma once

#include <cstdint>

constexpr int kTextureSize = 64;
constexpr int kTextureSlotCount = 10;

// One of the main window's ten pictures. image holds RGB rows, row 0
// first, where row 0 is the bottom row of the source bitmap. The slot
// number (what object files store) and the GL texture name are kept apart.
struct TextureSlot {
  uint8_t image[kTextureSize][kTextureSize][3] = {};
  int number = -1;       // slot number written to and read from files
  unsigned glName = 0;   // GL texture object, valid in the context it was made in
  bool loaded = false;
};

using TextureSlots = TextureSlot[kTextureSlotCount];
