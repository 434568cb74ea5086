#include "objects/ObjectFileParse.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cstdint>

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

size_t SkipSpace(std::string_view s, size_t i) {
  while (i < s.size() && IsSpace(s[i])) ++i;
  return i;
}

}  // namespace

int32_t ParseFieldInt(std::string_view s) {
  size_t i = SkipSpace(s, 0);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  // Accumulate the magnitude with saturation just above the int32 range.
  constexpr int64_t kCap = int64_t{INT32_MAX} + 1;
  int64_t magnitude = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    magnitude = magnitude * 10 + (s[i] - '0');
    if (magnitude > kCap) magnitude = kCap;
  }
  const int64_t v = negative ? -magnitude : magnitude;
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

float ParseFieldReal(std::string_view s) {
  size_t i = SkipSpace(s, 0);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const size_t start = i;
  size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0f;
  // An exponent counts only when at least one digit follows it.
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && IsDigit(s[j])) {
      while (j < s.size() && IsDigit(s[j])) ++j;
      i = j;
    }
  }
  double v = 0.0;
  const char* begin = s.data() + start;
  const char* end = s.data() + i;
  const auto res = std::from_chars(begin, end, v, std::chars_format::general);
  if (res.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: tell them apart by the exponent.
    bool tiny = false;
    for (const char* p = begin; p != end; ++p) {
      if (*p == 'e' || *p == 'E') {
        tiny = p + 1 != end && p[1] == '-';
        break;
      }
    }
    v = tiny ? 0.0 : DBL_MAX;
  } else if (res.ec != std::errc()) {
    v = 0.0;
  }
  if (v > FLT_MAX) v = FLT_MAX;
  const float f = static_cast<float>(v);
  return negative ? -f : f;
}

uint32_t ParseFieldHexColor(std::string_view s) {
  uint32_t value = 0;
  for (char c : s) {
    const int h = HexValue(c);
    value = value * 16u + static_cast<uint32_t>(h < 0 ? 0 : h);
  }
  return value;
}

int32_t ParseFieldHexInt(std::string_view s) {
  size_t i = SkipSpace(s, 0);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') && HexValue(s[i + 2]) >= 0)
    i += 2;
  // strtol saturates at the limits of a 64-bit long; the entry keeps the
  // low 32 bits of that.
  constexpr uint64_t kCap = uint64_t{INT64_MAX};
  uint64_t magnitude = 0;
  for (; i < s.size() && HexValue(s[i]) >= 0; ++i) {
    if (magnitude > (kCap >> 4))
      magnitude = kCap;
    else
      magnitude = std::min<uint64_t>(kCap, magnitude * 16 + static_cast<uint64_t>(HexValue(s[i])));
  }
  const uint64_t v = negative ? (~magnitude + 1) : magnitude;
  return static_cast<int32_t>(static_cast<uint32_t>(v & 0xFFFFFFFFu));
}
