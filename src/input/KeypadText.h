#pragma once

#include <string>

// The number texts the keypad reads and writes, and the captions of its
// full keyboard. All texts are plain ASCII except the messages.

// value rounded to `precision` significant digits (1 to 15), then written
// with exactly `decimals` decimals (0 to 18), halves rounded away from
// zero in decimal, as an operator expects (0.125 with 2 decimals is 0.13).
// A result that rounds to zero carries no minus sign.
std::string FormatFixed(double value, int precision, int decimals);

// The shortest general form with up to 15 significant digits: 100, -5,
// 0.25, 1e+20. Minus zero is written 0.
std::string FormatGeneral(double value);

// value truncated to an integer and written in upper-case hexadecimal
// with at least `digits` digits ("00", "FF"); a negative value is written
// with a leading minus ("-0A").
std::string FormatHex(double value, int digits);

// Reads the text position by position: 0-9, A-F and a-f count 0 to 15,
// any other character is skipped but keeps its place value. A leading
// minus negates the result, so what is shown is what is checked.
double ReadHex(const std::string& text);

// The caption a key of the full keyboard shows in the given mode. Only
// one-character captions and the escaped ampersand "&&" change: letters
// follow caps, the paired symbols of the Japanese layout follow shift.
std::string RelabelKey(const std::string& caption, bool caps, bool shift);

// What a keyboard key enters: its caption, with the escaped "&&" giving "&".
std::string KeyText(const std::string& caption);
