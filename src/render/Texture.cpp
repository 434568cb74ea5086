#include "render/Texture.h"

#include "render/GlHeaders.h"

namespace {

std::vector<std::string> SplitAtCommas(const std::string& s) {
  std::vector<std::string> items;
  std::string cur;
  for (char ch : s) {
    if (ch == ',') {
      items.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(ch);
    }
  }
  items.push_back(cur);
  return items;
}

}  // namespace

void FillGradientImage(TextureSlot& slot) {
  for (int i = 0; i < kTextureSize; ++i) {
    for (int j = 0; j < kTextureSize; ++j) {
      const int red = i * 255 / 64;
      slot.image[i][j][0] = static_cast<uint8_t>(red);
      slot.image[i][j][1] = static_cast<uint8_t>(j * 255 / 64);
      slot.image[i][j][2] = static_cast<uint8_t>(255 - red);
    }
  }
}

void CopyBitmapToImage(const Bitmap& bmp, TextureSlot& slot) {
  if (bmp.width < 1 || bmp.height < 1 ||
      bmp.pixels.size() < static_cast<size_t>(bmp.width) * static_cast<size_t>(bmp.height)) {
    FillGradientImage(slot);
    return;
  }
  // Only the first 64 columns of the first 64 rows count, flipped so that
  // bitmap row 63 becomes image row 0. A smaller bitmap is repeated to fill
  // the picture, as the texture itself repeats on a surface.
  for (int i = 0; i < kTextureSize; ++i) {
    const int y = (kTextureSize - 1 - i) % bmp.height;
    for (int j = 0; j < kTextureSize; ++j) {
      const int x = j % bmp.width;
      const uint32_t c = bmp.At(x, y);
      slot.image[i][j][0] = static_cast<uint8_t>(c & 0xFF);
      slot.image[i][j][1] = static_cast<uint8_t>((c >> 8) & 0xFF);
      slot.image[i][j][2] = static_cast<uint8_t>((c >> 16) & 0xFF);
    }
  }
}

void UploadTextureImage(TextureSlot& slot) {
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  const GLboolean wasEnabled = glIsEnabled(GL_TEXTURE_2D);
  GLint unpack = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);

  glEnable(GL_TEXTURE_2D);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  // Rows of 64 RGB pixels are 192 bytes, a multiple of 4; set 1 anyway so
  // the upload never depends on what someone else left behind.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexImage2D(GL_TEXTURE_2D, 0, 3, kTextureSize, kTextureSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
               slot.image);
  glPixelStorei(GL_UNPACK_ALIGNMENT, unpack);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  if (!wasEnabled) glDisable(GL_TEXTURE_2D);
  slot.glName = name;
}

void DecodeTextureImage(const std::string& name, TextureSlot& slot, BitmapSource& source) {
  const std::vector<std::string> items = SplitAtCommas(name);
  Bitmap bmp;
  bool decoded = false;
  if (items[0] == "RC") {
    decoded = items.size() > 1 && source.LoadResource(items[1], bmp);
  } else if (source.FileExists(name)) {
    decoded = source.LoadFile(name, bmp);
  }
  // A missing resource or an unreadable file is not reported; it shows the
  // gradient, as a missing file does.
  if (decoded) {
    CopyBitmapToImage(bmp, slot);
  } else {
    FillGradientImage(slot);
  }
  slot.loaded = true;
}

void LoadTextureImage(const std::string& name, TextureSlot& slot, BitmapSource& source) {
  DecodeTextureImage(name, slot, source);
  UploadTextureImage(slot);
}
