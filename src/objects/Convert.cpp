#include "objects/Convert.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

}  // namespace

double StrToFloat(const std::string& text) {
  const std::string t = Trim(text);
  const std::string msg = "'" + text + "' is not a valid floating point value";
  if (t.empty()) throw ConversionError(msg);
  // Only plain decimal notation with an optional exponent: no hex floats,
  // no "inf" or "nan" words.
  for (char c : t) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      throw ConversionError(msg);
  }
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(t.c_str(), &end);
  if (end != t.c_str() + t.size() || errno == ERANGE || !std::isfinite(v)) throw ConversionError(msg);
  return v;
}

int StrToInt(const std::string& text) {
  const std::string t = Trim(text);
  const std::string msg = "'" + text + "' is not a valid integer value";
  if (t.empty()) throw ConversionError(msg);
  const char* p = t.c_str();
  // A leading '$' marks hexadecimal, as the keypad's hex kind writes it.
  int base = 10;
  std::string digits = t;
  bool negative = false;
  size_t i = 0;
  if (digits[i] == '-' || digits[i] == '+') {
    negative = digits[i] == '-';
    ++i;
  }
  if (i < digits.size() && digits[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < digits.size() && digits[i] == '0' && (digits[i + 1] == 'x' || digits[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= digits.size()) throw ConversionError(msg);
  for (size_t k = i; k < digits.size(); ++k) {
    const char c = digits[k];
    const bool ok = (c >= '0' && c <= '9') ||
                    (base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
    if (!ok) throw ConversionError(msg);
  }
  (void)p;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(digits.c_str() + i, &end, base);
  if (errno == ERANGE) throw ConversionError(msg);
  const long long s = negative ? -v : v;
  if (s < INT_MIN || s > INT_MAX) throw ConversionError(msg);
  return static_cast<int>(s);
}
