#include "objects/SceneView.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

const char* const kViewLinePrefix = "#@view ";

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

ViewLineState FindViewLine(const char* data, size_t size, SceneView& out) {
  size_t pos = 0;
  while (data && pos < size && data[pos] == '#') {
    const void* nl = std::memchr(data + pos, '\n', size - pos);
    const size_t stop = nl ? static_cast<size_t>(static_cast<const char*>(nl) - data) : size;
    const std::string line(data + pos, stop - pos);
    if (line.compare(0, std::strlen(kViewLinePrefix), kViewLinePrefix) == 0)
      return ParseViewLine(line, out) ? ViewLineState::Present : ViewLineState::Malformed;
    pos = stop + 1;
  }
  return ViewLineState::Absent;
}

ViewLineState ReadViewLine(const std::string& path, SceneView& out) {
  // The header and the view line are short; a file that opens with a long
  // run of comments is read no further than this.
  std::ifstream in(path, std::ios::binary);
  if (!in) return ViewLineState::Absent;
  std::string head(64 * 1024, '\0');
  in.read(&head[0], static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  return FindViewLine(head.data(), head.size(), out);
}
