#include "ui/QtBitmapSource.h"

#include <QFileInfo>
#include <QImage>

void InitBuiltInBitmaps() {
  static bool done = false;
  if (done) return;
  done = true;
  Q_INIT_RESOURCE(resources);
}

bool QtBitmapSource::Decode(const QString& path, Bitmap& out) {
  QImage img(path);
  if (img.isNull()) return false;
  img = img.convertToFormat(QImage::Format_RGB32);
  out.width = img.width();
  out.height = img.height();
  out.pixels.resize(static_cast<size_t>(out.width) * out.height);
  for (int y = 0; y < out.height; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < out.width; ++x) {
      const QRgb p = line[x];
      out.pixels[static_cast<size_t>(y) * out.width + x] = static_cast<uint32_t>(qRed(p)) |
                                                           (static_cast<uint32_t>(qGreen(p)) << 8) |
                                                           (static_cast<uint32_t>(qBlue(p)) << 16);
    }
  }
  return true;
}

bool QtBitmapSource::LoadResource(const std::string& name, Bitmap& out) {
  // Resource names are matched without regard to case, "RC,logo" finds LOGO.
  return Decode(QStringLiteral(":/bmp/%1.bmp").arg(QString::fromStdString(name).toUpper()), out);
}

bool QtBitmapSource::FileExists(const std::string& path) {
  const QFileInfo fi(QString::fromStdString(path));
  return fi.exists() && fi.isFile();
}

bool QtBitmapSource::LoadFile(const std::string& path, Bitmap& out) {
  return Decode(QString::fromStdString(path), out);
}
