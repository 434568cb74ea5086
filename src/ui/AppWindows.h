#pragma once

#include <string>
#include <vector>

// Creates the five windows in their fixed order: main window, keypad,
// object settings, object list, XYZ monitor; and destroys them in reverse.
void CreateAppWindows();
void DestroyAppWindows();

// Each window notes its class name when it is constructed, so the order
// can be checked.
void NoteWindowCreated(const char* className);
std::vector<std::string>& WindowCreationLog();

// Sets the application's font and GL surface format; call before the
// QApplication exists (format) and right after (font).
void PrepareGlFormat();
void PrepareAppFont();

// Qt's pixmap cache keeps at most this much (KiB of pixels).
constexpr int kPixmapCacheKib = 1024;
// Bounds Qt's pixmap cache and gives the application a style that makes
// each standard icon once; call right after the QApplication exists.
void PrepareAppStyle();
