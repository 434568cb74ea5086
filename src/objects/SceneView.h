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

// The ranges of the "View Setting" bars. A view is held to them wherever it
// is shown, in the window and by the headless renderer alike: beyond them
// a picture shows nothing (a distance past the far plane, an ortho scale
// of zero).
struct ViewRange {
  float lo, hi;
};
constexpr ViewRange kViewAngleXRange{-90.0f, 90.0f};
constexpr ViewRange kViewAngleZRange{-360.0f, 360.0f};
constexpr ViewRange kViewShiftRange{-10.0f, 10.0f};
// The zoom is a distance in perspective and a scale in ortho. The
// perspective bar reaches -40 at start and only -10 once ortho was used.
constexpr ViewRange kViewZoomRange{-40.0f, 5.0f};
constexpr float kViewZoomMinAfterOrtho = -10.0f;
constexpr ViewRange kViewOrthoZoomRange{0.1f, 5.0f};

// A value in the bars' steps (10 a degree for the angles, 100 a unit for
// zoom and shifts), so the bars' ranges are the ones above.
constexpr int ViewBarSteps(float value, int stepsPerUnit) {
  const float steps = value * static_cast<float>(stepsPerUnit);
  return static_cast<int>(steps < 0 ? steps - 0.5f : steps + 0.5f);
}

// v held to the ranges above, perspectiveZoomMin being the zoom bar's
// lower end at the time. A perspective distance beyond the bar is the
// same move as shift Y, so the excess goes there (and is held in turn).
SceneView ClampView(const SceneView& v, float perspectiveZoomMin = kViewZoomRange.lo);

// What the loaders say about a view line they cannot read.
extern const char* const kViewLineError;

// The whole line, line break included; locale-independent.
std::string FormatViewLine(const SceneView& v);

// Reads one line (with or without its line break). False, and out
// untouched, unless it starts with the prefix and holds exactly seven
// finite numbers, the last 0 or 1.
bool ParseViewLine(const std::string& line, SceneView& out);

// What the start of a scene file says about its view.
enum class ViewLineState { Absent, Present, Malformed };

// Looks through the comment lines that open the text (up to the first line
// that is not a comment) for a view line: after a UTF-8 byte-order mark,
// with LF, CR LF or CR line ends, as the scene reader takes them, and only
// within the first kViewLineSearchBytes bytes, so that every reader of the
// line agrees on what it finds.
ViewLineState FindViewLine(const char* data, size_t size, SceneView& out);
constexpr size_t kViewLineSearchBytes = 64 * 1024;
// The same for a file; Absent when it cannot be read (the loader reports
// that).
ViewLineState ReadViewLine(const std::string& path, SceneView& out);

// The first of the opening comment lines (as FindViewLine looks through
// them) that starts with prefix, without its line break, into *line.
bool FindOpeningComment(const char* data, size_t size, const char* prefix, std::string* line);
// The first kViewLineSearchBytes bytes of a file (empty when it cannot be
// read): all the opening lines a reader looks at.
std::string ReadOpeningText(const std::string& path);
