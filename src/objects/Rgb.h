#pragma once

#include <cstdint>

using Color = uint32_t;

// The three floats of a 0x00BBGGRR colour, each channel divided by 255.
struct Rgb {
  float r, g, b;
};

inline Rgb ColorToRgb(Color c) {
  return Rgb{static_cast<float>(c & 0xFF) / 255.0f, static_cast<float>((c >> 8) & 0xFF) / 255.0f,
             static_cast<float>((c >> 16) & 0xFF) / 255.0f};
}
