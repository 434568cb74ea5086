#include "support/Images.h"

#include <QDir>
#include <QImage>
#include <cstdlib>
#include <sstream>

#include "render/GlHeaders.h"

namespace {

QImage ToQImage(const TestImage& img) {
  QImage q(img.width, img.height, QImage::Format_RGBA8888);
  for (int y = 0; y < img.height; ++y)
    std::copy(img.rgba.begin() + static_cast<long>(y) * img.width * 4,
              img.rgba.begin() + static_cast<long>(y + 1) * img.width * 4, q.scanLine(y));
  return q;
}

std::string ArtifactDir() {
  QDir().mkpath(QStringLiteral(TESSALY_ARTIFACT_DIR));
  return TESSALY_ARTIFACT_DIR;
}

}  // namespace

TestImage ReadFramebuffer(int width, int height) {
  TestImage img;
  img.width = width;
  img.height = height;
  std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 4);
  GLint pack = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &pack);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glFinish();
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  glPixelStorei(GL_PACK_ALIGNMENT, pack);
  img.rgba.resize(bottomUp.size());
  const size_t row = static_cast<size_t>(width) * 4;
  for (int y = 0; y < height; ++y)
    std::copy(bottomUp.begin() + static_cast<long>(y * row), bottomUp.begin() + static_cast<long>((y + 1) * row),
              img.rgba.begin() + static_cast<long>((height - 1 - y) * row));
  // Alpha in the buffer is whatever blending left; pictures are opaque.
  for (size_t i = 3; i < img.rgba.size(); i += 4) img.rgba[i] = 255;
  return img;
}

std::string WriteArtifact(const TestImage& img, const std::string& fileName) {
  const std::string path = ArtifactDir() + "/" + fileName;
  ToQImage(img).save(QString::fromStdString(path));
  return path;
}

std::string CompareWithGolden(const TestImage& img, const std::string& name, int tolerance,
                              double maxBadFraction) {
  const std::string goldenPath = std::string(TESSALY_GOLDEN_DIR) + "/" + name + ".png";
  const char* update = std::getenv("TESSALY_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    ToQImage(img).save(QString::fromStdString(goldenPath));
    return "";
  }
  QImage golden(QString::fromStdString(goldenPath));
  if (golden.isNull()) {
    WriteArtifact(img, name + ".actual.png");
    return "no golden image " + goldenPath + " (run with TESSALY_UPDATE_GOLDEN=1 to create it)";
  }
  golden = golden.convertToFormat(QImage::Format_RGBA8888);
  TestImage expected;
  expected.width = golden.width();
  expected.height = golden.height();
  expected.rgba.resize(static_cast<size_t>(expected.width) * expected.height * 4);
  for (int y = 0; y < expected.height; ++y)
    std::copy(golden.constScanLine(y), golden.constScanLine(y) + expected.width * 4,
              expected.rgba.begin() + static_cast<long>(y) * expected.width * 4);
  return CompareImages(img, expected, name, tolerance, maxBadFraction);
}

std::string CompareImages(const TestImage& img, const TestImage& expected, const std::string& name, int tolerance,
                          double maxBadFraction) {
  if (expected.width != img.width || expected.height != img.height) {
    WriteArtifact(img, name + ".actual.png");
    std::ostringstream o;
    o << "size " << img.width << "x" << img.height << " differs from " << expected.width << "x"
      << expected.height;
    return o.str();
  }
  size_t differing = 0, beyond = 0;
  int worst = 0;
  QImage diff(img.width, img.height, QImage::Format_RGBA8888);
  for (int y = 0; y < img.height; ++y) {
    uchar* d = diff.scanLine(y);
    for (int x = 0; x < img.width; ++x) {
      const uint8_t* a = img.At(x, y);
      const uint8_t* g = expected.At(x, y);
      int delta = 0;
      for (int c = 0; c < 3; ++c) delta = std::max(delta, std::abs(int(a[c]) - int(g[c])));
      if (delta > 0) ++differing;
      if (delta > tolerance) ++beyond;
      worst = std::max(worst, delta);
      const uchar v = static_cast<uchar>(std::min(255, delta * 8));
      d[x * 4 + 0] = v;
      d[x * 4 + 1] = delta > tolerance ? 0 : v;
      d[x * 4 + 2] = delta > tolerance ? 0 : v;
      d[x * 4 + 3] = 255;
    }
  }
  if (differing == 0) return "";
  const double total = static_cast<double>(img.width) * img.height;
  if (beyond <= maxBadFraction * total) return "";
  WriteArtifact(img, name + ".actual.png");
  WriteArtifact(expected, name + ".expected.png");
  diff.save(QString::fromStdString(ArtifactDir() + "/" + name + ".diff.png"));
  std::ostringstream o;
  o << name << ": " << beyond << " pixels differ by more than " << tolerance << " (worst " << worst
    << "); actual, expected and diff written to " << ArtifactDir();
  return o.str();
}
