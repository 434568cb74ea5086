#pragma once

#include <QString>

#include "render/Texture.h"

// Registers the built-in pictures compiled into the program; call once
// before the first resource is decoded.
void InitBuiltInBitmaps();

// Decodes the built-in bitmaps (":/bmp/<NAME>.bmp") and bitmap files with
// QImage for the core's texture loading.
class QtBitmapSource : public BitmapSource {
 public:
  bool LoadResource(const std::string& name, Bitmap& out) override;
  bool FileExists(const std::string& path) override;
  bool LoadFile(const std::string& path, Bitmap& out) override;

  static bool Decode(const QString& path, Bitmap& out);
};
