#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "objects/TextureSlot.h"

// A decoded bitmap: pixels as 0x00BBGGRR, row-major, y = 0 is the top row
// as the bitmap stores it.
struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Decoding is a platform service; the program supplies one built on its
// toolkit's image reader.
class BitmapSource {
 public:
  virtual ~BitmapSource() = default;
  // The program's built-in bitmap of that name ("logo", "wafer").
  virtual bool LoadResource(const std::string& name, Bitmap& out) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool LoadFile(const std::string& path, Bitmap& out) = 0;
};

// Fills the slot's image from the comma-separated name ("RC,<resource>",
// a file path, or anything else for the gradient) and, with a GL context
// current, uploads it as a new texture object. The slot is loaded
// afterwards whichever branch ran.
void LoadTextureImage(const std::string& name, TextureSlot& slot, BitmapSource& source);

// The image steps alone (no GL): fills the slot's image and marks it
// loaded, leaving the upload for when a context is current.
void DecodeTextureImage(const std::string& name, TextureSlot& slot, BitmapSource& source);
// The image steps alone, without GL.
void FillGradientImage(TextureSlot& slot);
void CopyBitmapToImage(const Bitmap& bmp, TextureSlot& slot);
// Uploads the slot's image to a new texture object (context current).
void UploadTextureImage(TextureSlot& slot);
