#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Field conversions shared by the object file and the shape list readers.
// They never depend on the process locale: a window toolkit may switch
// LC_NUMERIC to a locale whose decimal mark is a comma, which would tear
// every comma-separated line apart.

// Decimal integer: leading white space skipped, an optional sign, digits up
// to the first character that is not one ("1.9" reads 1, "abc" reads 0).
// Values beyond 32 bits are held at the int32 limits.
int32_t ParseFieldInt(std::string_view field);

// Decimal fraction with an optional exponent, read like ParseFieldInt up to
// the first character that does not belong to the number. Words such as
// "inf" or "nan" and hexadecimal floats read 0; magnitudes beyond the float
// range are held at the largest float.
float ParseFieldReal(std::string_view field);

// Colour written as hexadecimal without prefix: each hexadecimal digit adds
// its value times 16 to the power of the number of characters after it in
// the field; any other character adds nothing but still counts as a place.
// Kept to 32 bits.
uint32_t ParseFieldHexColor(std::string_view field);

// Base-16 integer as C's strtol reads it: white space, sign and an optional
// "0x" prefix; stops at the first non-digit. Kept to its low 32 bits.
int32_t ParseFieldHexInt(std::string_view field);

// Both readers keep a field of at most kMaxFieldLength characters; longer
// fields are truncated. The buffer holds one character more, so that the
// blank the writer puts before a text does not cost the text its last
// character.
constexpr size_t kMaxFieldLength = 255;

inline void AppendToField(std::string& buffer, char c) {
  if (buffer.size() < kMaxFieldLength + 1) buffer.push_back(c);
}

// The field as a string value: at most kMaxFieldLength characters.
inline std::string FieldText(const std::string& buffer, size_t skip = 0) {
  return skip >= buffer.size() ? std::string() : buffer.substr(skip, kMaxFieldLength);
}
