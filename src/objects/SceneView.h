#pragma once

#include <cstddef>
#include <string>

// A scene file may keep the view it was saved with: one comment line right
// after the header,
//   #@view angleX,angleZ,zoom,shiftX,shiftY,shiftZ,ortho
// which every reader that knows nothing of it skips as any comment. The
// values are the "View Setting" values with the track bars' precision
// (angles 0.1 degree, zoom and shifts 0.01), ortho 0 or 1.
struct SceneView {
  float angleX = 15.0f;
  float angleZ = -30.0f;
  float zoom = -2.0f;
  float shiftX = 0.0f;
  float shiftY = 0.0f;
  float shiftZ = -0.4f;
  bool ortho = false;
};

// "#@view " — what starts the line.
extern const char* const kViewLinePrefix;

// The whole line, line break included; locale-independent.
std::string FormatViewLine(const SceneView& v);

// Reads one line (with or without its line break). False, and out
// untouched, unless it starts with the prefix and holds exactly seven
// finite numbers, the last 0 or 1.
bool ParseViewLine(const std::string& line, SceneView& out);

// What the start of a scene file says about its view.
enum class ViewLineState { Absent, Present, Malformed };

// Looks through the comment lines that open the text (up to the first line
// that is not a comment) for a view line.
ViewLineState FindViewLine(const char* data, size_t size, SceneView& out);
// The same for a file; Absent when it cannot be read (the loader reports
// that).
ViewLineState ReadViewLine(const std::string& path, SceneView& out);
