#pragma once

#include <map>
#include <string>

#include "render/Texture.h"

// A bitmap source with pictures made by the test itself.
class FakeBitmapSource : public BitmapSource {
 public:
  std::map<std::string, Bitmap> resources;
  std::map<std::string, Bitmap> files;
  bool LoadResource(const std::string& name, Bitmap& out) override {
    auto it = resources.find(name);
    if (it == resources.end()) return false;
    out = it->second;
    return true;
  }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool LoadFile(const std::string& path, Bitmap& out) override {
    auto it = files.find(path);
    if (it == files.end()) return false;
    out = it->second;
    return true;
  }
};
