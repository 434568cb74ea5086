#include "input/KeypadText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Pairs of the Japanese keyboard: base key, shifted symbol.
const char kShiftPairs[][2] = {{'1', '!'}, {'2', '"'},  {'3', '#'},  {'4', '$'}, {'5', '%'},
                               {'6', '&'}, {'7', '\''}, {'8', '('},  {'9', ')'}, {':', '*'},
                               {';', '+'}, {',', '<'},  {'-', '='},  {'.', '>'}, {'/', '?'},
                               {'@', '`'}, {'[', '{'},  {'\\', '|'}, {']', '}'}, {'^', '~'}};

char Unshifted(char c) {
  for (const auto& p : kShiftPairs)
    if (p[1] == c) return p[0];
  return c;
}

char Shifted(char c) {
  for (const auto& p : kShiftPairs)
    if (p[0] == c) return p[1];
  return c;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string FormatFixed(double value, int precision, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
  precision = std::clamp(precision, 1, 15);
  decimals = std::clamp(decimals, 0, 18);

  // The significant digits and the decimal exponent, rounded by the C
  // library to the precision: "d.ddde+XX".
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(value));
  std::string mantissa;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') mantissa += *p;
  const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

  // Digits before the point; may be zero or negative for small values.
  const int intDigits = exponent + 1;
  // Every digit of the fixed form, the point sitting after `lead` of them.
  std::string digits;
  int lead = intDigits;
  if (intDigits <= 0) {
    digits.assign(static_cast<size_t>(-intDigits) + 1, '0');
    lead = 1;
  }
  digits += mantissa;
  const size_t keep = static_cast<size_t>(lead + decimals);
  if (digits.size() < keep) digits.append(keep - digits.size(), '0');
  if (digits.size() > keep) {
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
      size_t i = keep;
      while (i > 0) {
        --i;
        if (digits[i] == '9') {
          digits[i] = '0';
        } else {
          ++digits[i];
          break;
        }
        if (i == 0) {
          digits.insert(digits.begin(), '1');
          ++lead;
        }
      }
    }
  }
  // Leading zeros of the integer part beyond the first go.
  while (lead > 1 && digits[0] == '0') {
    digits.erase(0, 1);
    --lead;
  }
  std::string out = digits.substr(0, static_cast<size_t>(lead));
  if (decimals > 0) out += "." + digits.substr(static_cast<size_t>(lead));
  const bool zero = std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
  if (value < 0 && !zero) out.insert(out.begin(), '-');
  return out;
}

std::string FormatGeneral(double value) {
  if (value == 0) value = 0;  // drops the sign of minus zero
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  return buf;
}

std::string FormatHex(double value, int digits) {
  if (!std::isfinite(value)) return "0";
  // Beyond what 64 bits hold a limit can only mean "no limit".
  const double t = std::clamp(std::trunc(value), -9.2e18, 9.2e18);
  const int64_t v = static_cast<int64_t>(t);
  const uint64_t magnitude = v < 0 ? static_cast<uint64_t>(-v) : static_cast<uint64_t>(v);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*llX", std::clamp(digits, 1, 16),
                static_cast<unsigned long long>(magnitude));
  return (v < 0 ? "-" : "") + std::string(buf);
}

double ReadHex(const std::string& text) {
  const size_t n = text.size();
  double value = 0;
  for (size_t i = 0; i < n; ++i) {
    const int d = HexDigit(text[i]);
    if (d < 0) continue;
    value = std::trunc(value + d * std::pow(16.0, static_cast<double>(n - 1 - i)));
  }
  if (n > 0 && text[0] == '-') value = -value;
  return value;
}

std::string RelabelKey(const std::string& caption, bool caps, bool shift) {
  // The ampersand is stored escaped, so its key is the one two-character
  // caption that follows the mode.
  if (caption == "&&") return shift ? caption : "6";
  if (caption.size() != 1) return caption;
  char c = caption[0];
  if (c >= 'a' && c <= 'z' && caps) c = static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z' && !caps) c = static_cast<char>(c - 'A' + 'a');
  c = shift ? Shifted(c) : Unshifted(c);
  if (c == '&') return "&&";
  return std::string(1, c);
}

std::string KeyText(const std::string& caption) {
  return caption == "&&" ? "&" : caption;
}
