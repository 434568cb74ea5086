#pragma once

#include <QString>
#include <string>
#include <vector>

#include "ui/WindowSet.h"

class TForm1;

// The program's five windows, made in their fixed order (main window,
// keypad, object settings, object list, XYZ monitor) and destroyed in the
// reverse one. It hands the four beside the main window to the main
// window's controllers and ties what the object windows change to them.
class AppWindows {
 public:
  // shapeListPath: the shape list Object Settings reads ("" for the one
  // beside the program).
  explicit AppWindows(const QString& shapeListPath = QString());
  ~AppWindows();
  AppWindows(const AppWindows&) = delete;
  AppWindows& operator=(const AppWindows&) = delete;

  TForm1& Main() const { return *main_; }
  const WindowSet& Windows() const { return windows_; }
  TTenkey* Keypad() const { return windows_.keypad; }
  TObjSet* ObjectSettings() const { return windows_.objectSettings; }
  TObjList* ObjectList() const { return windows_.objectList; }
  TXYZ_Mon* Monitor() const { return windows_.monitor; }

  // The class names of the windows in the order they were made.
  const std::vector<std::string>& CreationOrder() const { return order_; }

 private:
  WindowSet windows_;
  TForm1* main_ = nullptr;
  std::vector<std::string> order_;
};

// Sets the application's font and GL surface format; call before the
// QApplication exists (format) and right after (font).
void PrepareGlFormat();
void PrepareAppFont();

// Qt's pixmap cache keeps at most this much (KiB of pixels).
constexpr int kPixmapCacheKib = 1024;
// Bounds Qt's pixmap cache and gives the application a style that makes
// each standard icon once; call right after the QApplication exists.
void PrepareAppStyle();
