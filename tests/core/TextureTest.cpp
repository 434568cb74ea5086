#include <gtest/gtest.h>

#include "render/GlHeaders.h"
#include "render/Texture.h"
#include "support/GlFixture.h"
#include "support/TestBitmaps.h"

namespace {

// A bitmap whose pixel at (x, y) encodes its coordinates: red x, green y,
// blue 7.
Bitmap CoordinateBitmap(int w, int h) {
  Bitmap b;
  b.width = w;
  b.height = h;
  b.pixels.resize(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.pixels[static_cast<size_t>(y) * w + x] = uint32_t(x) | (uint32_t(y) << 8) | (7u << 16);
  return b;
}

void ExpectPixel(const TextureSlot& s, int row, int col, int r, int g, int b) {
  EXPECT_EQ(s.image[row][col][0], r) << "row " << row << " col " << col;
  EXPECT_EQ(s.image[row][col][1], g) << "row " << row << " col " << col;
  EXPECT_EQ(s.image[row][col][2], b) << "row " << row << " col " << col;
}

}  // namespace

TEST(TextureImage, MissingFileGivesTheGradient) {
  FakeBitmapSource src;
  TextureSlot slot;
  DecodeTextureImage("no-such-file.bmp", slot, src);
  EXPECT_TRUE(slot.loaded);
  ExpectPixel(slot, 0, 0, 0, 0, 255);
  ExpectPixel(slot, 63, 63, 251, 251, 4);
  ExpectPixel(slot, 10, 20, 39, 79, 216);
}

TEST(TextureImage, LargerBitmapGivesItsFirst64RowsAndColumnsFlipped) {
  FakeBitmapSource src;
  src.files["big.bmp"] = CoordinateBitmap(80, 80);
  TextureSlot slot;
  DecodeTextureImage("big.bmp", slot, src);
  // Image row i is bitmap row 63 - i; columns stay.
  ExpectPixel(slot, 0, 0, 0, 63, 7);
  ExpectPixel(slot, 63, 0, 0, 0, 7);
  ExpectPixel(slot, 0, 63, 63, 63, 7);
  ExpectPixel(slot, 20, 5, 5, 43, 7);
}

TEST(TextureImage, ResourceBranchNeedsRcPrefixAndFindsByName) {
  FakeBitmapSource src;
  src.resources["logo"] = CoordinateBitmap(64, 64);
  TextureSlot viaRc, notRc;
  DecodeTextureImage("RC,logo", viaRc, src);
  ExpectPixel(viaRc, 0, 1, 1, 63, 7);
  // Without "RC" the name is a file name; no such file: gradient.
  DecodeTextureImage("logo", notRc, src);
  ExpectPixel(notRc, 0, 0, 0, 0, 255);
  // A missing resource is not reported and gives the gradient too.
  TextureSlot missing;
  DecodeTextureImage("RC,nothing", missing, src);
  EXPECT_TRUE(missing.loaded);
  ExpectPixel(missing, 63, 63, 251, 251, 4);
}

TEST(TextureImage, SmallerBitmapRepeatsToFillThePicture) {
  FakeBitmapSource src;
  src.files["small.bmp"] = CoordinateBitmap(10, 8);
  TextureSlot slot;
  DecodeTextureImage("small.bmp", slot, src);
  // Row 0 takes bitmap row 63 mod 8 = 7; column 13 takes column 3.
  ExpectPixel(slot, 0, 13, 3, 7, 7);
  ExpectPixel(slot, 63, 63, 3, 0, 7);
}

TEST(TextureImage, UnreadableFileGivesTheGradient) {
  FakeBitmapSource src;
  Bitmap broken;  // exists, but decodes to nothing usable
  broken.width = 4;
  broken.height = 4;
  src.files["broken.bmp"] = broken;
  TextureSlot slot;
  DecodeTextureImage("broken.bmp", slot, src);
  EXPECT_TRUE(slot.loaded);
  ExpectPixel(slot, 0, 0, 0, 0, 255);
}

class TextureUpload : public GlTest {};

TEST_F(TextureUpload, UploadsTheImageAndKeepsSlotNumberApart) {
  FakeBitmapSource src;
  src.resources["wafer"] = CoordinateBitmap(64, 64);
  TextureSlot slots[2];
  LoadTextureImage("gradient-please", slots[0], src);
  LoadTextureImage("RC,wafer", slots[1], src);
  slots[0].number = 0;
  slots[1].number = 1;
  ASSERT_NE(slots[0].glName, 0u);
  ASSERT_NE(slots[1].glName, 0u);
  EXPECT_NE(slots[0].glName, slots[1].glName);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "upload leaves texturing off";

  // Read the texels back: slot 1 binds the wafer picture, not the gradient.
  std::vector<uint8_t> texels(64 * 64 * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glBindTexture(GL_TEXTURE_2D, slots[1].glName);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels[0], 0);
  EXPECT_EQ(texels[1], 63);
  glBindTexture(GL_TEXTURE_2D, slots[0].glName);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  EXPECT_EQ(texels[2], 255);
  GLint filter = 0, wrap = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(filter, GL_NEAREST);
  EXPECT_EQ(wrap, GL_REPEAT);
  glBindTexture(GL_TEXTURE_2D, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  for (auto& s : slots) glDeleteTextures(1, &s.glName);
}
