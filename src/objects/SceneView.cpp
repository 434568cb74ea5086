#include "objects/SceneView.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

#include "objects/ObjectFileParse.h"

const char* const kViewLinePrefix = "#@view ";
const char* const kViewLineError =
    "View line error: seven numbers expected (#@view angleX,angleZ,zoom,shiftX,shiftY,shiftZ,ortho, "
    "ortho 0 or 1); the view is not applied.";

namespace {

void AppendFixed(std::string& out, float v, int decimals) {
  char buf[64];
  // A negative zero reads "0.00", as the value labels show it.
  const double d = v == 0.0f ? 0.0 : static_cast<double>(v);
  const auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed, decimals);
  out.append(buf, res.ptr);
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

}  // namespace

std::string FormatViewLine(const SceneView& v) {
  std::string out = kViewLinePrefix;
  AppendFixed(out, v.angleX, 1);
  out += ',';
  AppendFixed(out, v.angleZ, 1);
  for (float f : {v.zoom, v.shiftX, v.shiftY, v.shiftZ}) {
    out += ',';
    AppendFixed(out, f, 2);
  }
  out += v.ortho ? ",1\n" : ",0\n";
  return out;
}

bool ParseViewLine(const std::string& line, SceneView& out) {
  const size_t prefix = std::strlen(kViewLinePrefix);
  if (line.compare(0, prefix, kViewLinePrefix) != 0) return false;
  double values[7];
  const char* p = line.data() + prefix;
  const char* end = line.data() + line.size();
  while (end > p && (end[-1] == '\n' || IsBlank(end[-1]))) --end;
  for (int i = 0; i < 7; ++i) {
    while (p < end && IsBlank(*p)) ++p;
    const auto res = std::from_chars(p, end, values[i]);
    if (res.ec != std::errc() || !std::isfinite(values[i]) || std::fabs(values[i]) > 1e6) return false;
    p = res.ptr;
    while (p < end && IsBlank(*p)) ++p;
    if (i < 6) {
      if (p == end || *p != ',') return false;
      ++p;
    }
  }
  if (p != end || (values[6] != 0.0 && values[6] != 1.0)) return false;
  out.angleX = static_cast<float>(values[0]);
  out.angleZ = static_cast<float>(values[1]);
  out.zoom = static_cast<float>(values[2]);
  out.shiftX = static_cast<float>(values[3]);
  out.shiftY = static_cast<float>(values[4]);
  out.shiftZ = static_cast<float>(values[5]);
  out.ortho = values[6] == 1.0;
  return true;
}

SceneView ClampView(const SceneView& in, float perspectiveZoomMin) {
  auto hold = [](float x, ViewRange r) { return std::min(r.hi, std::max(r.lo, x)); };
  SceneView v = in;
  v.angleX = hold(v.angleX, kViewAngleXRange);
  v.angleZ = hold(v.angleZ, kViewAngleZRange);
  if (v.ortho) {
    v.zoom = hold(v.zoom, kViewOrthoZoomRange);
  } else {
    const float zoom = hold(v.zoom, {perspectiveZoomMin, kViewZoomRange.hi});
    v.shiftY += v.zoom - zoom;
    v.zoom = zoom;
  }
  v.shiftX = hold(v.shiftX, kViewShiftRange);
  v.shiftY = hold(v.shiftY, kViewShiftRange);
  v.shiftZ = hold(v.shiftZ, kViewShiftRange);
  return v;
}

bool FindOpeningComment(const char* data, size_t size, const char* prefix, std::string* line) {
  if (!data) return false;
  size = std::min(size, kViewLineSearchBytes);
  size_t pos = Utf8MarkLength(data, size);
  const size_t prefixSize = std::strlen(prefix);
  while (pos < size && data[pos] == '#') {
    size_t stop = pos;
    while (stop < size && data[stop] != '\n' && data[stop] != '\r') ++stop;
    if (stop - pos >= prefixSize && std::memcmp(data + pos, prefix, prefixSize) == 0) {
      line->assign(data + pos, stop - pos);
      return true;
    }
    // CR LF is one line end; an empty line ends the opening comments.
    pos = stop;
    if (pos < size && data[pos] == '\r') ++pos;
    if (pos < size && data[pos] == '\n') ++pos;
  }
  return false;
}

ViewLineState FindViewLine(const char* data, size_t size, SceneView& out) {
  std::string line;
  if (!FindOpeningComment(data, size, kViewLinePrefix, &line)) return ViewLineState::Absent;
  return ParseViewLine(line, out) ? ViewLineState::Present : ViewLineState::Malformed;
}

std::string ReadOpeningText(const std::string& path) {
  // The header and the opening lines are short; a file that opens with a
  // long run of comments is read no further than this.
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::string();
  std::string head(kViewLineSearchBytes, '\0');
  in.read(&head[0], static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return head;
}

ViewLineState ReadViewLine(const std::string& path, SceneView& out) {
  const std::string head = ReadOpeningText(path);
  return FindViewLine(head.data(), head.size(), out);
}
