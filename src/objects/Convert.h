#pragma once

#include <stdexcept>
#include <string>

// Raised where a text that must be a number is not one. The window layer
// shows its message in a message box and the handler stops there.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Strict conversions: leading and trailing blanks are allowed, anything
// else that is not part of the number raises ConversionError with the
// message "'<text>' is not a valid floating point value" or
// "'<text>' is not a valid integer value".
double StrToFloat(const std::string& text);
int StrToInt(const std::string& text);
