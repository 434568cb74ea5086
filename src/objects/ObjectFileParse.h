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
// character. False when c did not fit: a number cut short would read as
// another number, so the caller must not take it for one.
constexpr size_t kMaxFieldLength = 255;

inline bool AppendToField(std::string& buffer, char c) {
  if (buffer.size() >= kMaxFieldLength + 1) return false;
  buffer.push_back(c);
  return true;
}

// Line ends: LF, CR LF, and a CR alone (files from old editors) each end
// one line, so line numbers are the same whichever a file uses. Every
// character of the text goes through Classify, in order.
class LineEnds {
 public:
  enum Kind { kChar, kEnd, kSkip };  // kSkip: the LF of a CR LF pair
  Kind Classify(char c) {
    const bool afterCr = afterCr_;
    afterCr_ = c == '\r';
    if (c == '\r') return kEnd;
    if (c == '\n') return afterCr ? kSkip : kEnd;
    return kChar;
  }

 private:
  bool afterCr_ = false;
};

// The length of a UTF-8 byte-order mark at the start of data (3 or 0).
// Editors add it; it is no part of the first line.
inline size_t Utf8MarkLength(const char* data, size_t size) {
  return data && size >= 3 && static_cast<unsigned char>(data[0]) == 0xEF &&
                 static_cast<unsigned char>(data[1]) == 0xBB && static_cast<unsigned char>(data[2]) == 0xBF
             ? 3
             : 0;
}

// The field as a string value: at most kMaxFieldLength characters.
inline std::string FieldText(const std::string& buffer, size_t skip = 0) {
  return skip >= buffer.size() ? std::string() : buffer.substr(skip, kMaxFieldLength);
}
