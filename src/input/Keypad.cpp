#include "input/Keypad.h"

#include <cstdio>

#include "input/KeypadText.h"
#include "objects/Convert.h"

namespace {

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

int Keypad::Length() const {
  int n = 0;
  for (char c : input_)
    if (!IsContinuation(c)) ++n;
  return n;
}

void Keypad::Prepare(int kind, double minimum, double maximum, int digits, int decimals,
                     const std::string& text) {
  // A kind nobody asked for is read as a checked decimal rather than as
  // free text, so a bad caller still gets a range check.
  kind_ = kind >= kKeypadInteger && kind <= kKeypadHex ? kind : kKeypadDecimal;
  minimum_ = minimum;
  maximum_ = maximum;
  digits_ = digits;
  decimals_ = decimals;
  EnableKeys();
  minusOn_ = !(Numeric() && minimum_ >= 0);
  input_ = text;
  // The shown text is selected: the first key replaces it.
  replace_ = true;
}

void Keypad::EnableKeys() {
  digitsOn_ = true;
  dotOn_ = kind_ != kKeypadInteger;
  minusOn_ = minimum_ < 0 || kind_ == kKeypadText;
  hexOn_ = kind_ == kKeypadHex;
}

void Keypad::Add(const std::string& text) {
  if (replace_) {
    input_ = text;
    replace_ = false;
  } else if (Length() < digits_) {
    input_ += text;
  }
  if (Numeric() && !input_.empty()) minusOn_ = false;
  if (Length() >= digits_) digitsOn_ = dotOn_ = minusOn_ = hexOn_ = false;
}

void Keypad::Digit(char digit) {
  if (digit < '0' || digit > '9') return;
  Add(std::string(1, digit));
  if (Numeric()) minusOn_ = false;
}

void Keypad::Letter(char letter) {
  if (letter >= 'a' && letter <= 'f') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'F') return;
  // A letter is only ever a valid part of hexadecimal or free text; in a
  // number it could only end in a conversion error.
  if (kind_ != kKeypadHex && kind_ != kKeypadText) return;
  Add(std::string(1, letter));
}

void Keypad::Key(const std::string& caption) {
  Add(KeyText(caption));
}

void Keypad::Point() {
  // An integer never takes a point, not even as the first key.
  if (kind_ == kKeypadInteger) return;
  const bool hasPoint = input_.find('.') != std::string::npos;
  if (!((!hasPoint && kind_ > kKeypadInteger) || kind_ == kKeypadText || replace_)) return;
  Add(".");
  if (Numeric()) dotOn_ = minusOn_ = false;
}

void Keypad::Minus() {
  if (!(input_.empty() || replace_ || kind_ == kKeypadText)) return;
  // In a number the sign always starts a new input.
  if (Numeric()) replace_ = true;
  Add("-");
  if (Numeric()) minusOn_ = false;
}

void Keypad::BackSpace() {
  if (!input_.empty()) {
    // The whole last character, however many bytes it takes.
    while (!input_.empty() && IsContinuation(input_.back())) input_.pop_back();
    if (!input_.empty()) input_.pop_back();
    // A selected text goes as a whole, as Backspace does in any field.
    Add("");
  }
  const bool room = Length() < digits_;
  if (room) EnableKeys();
  // In a number the sign may only begin the input.
  if (Numeric()) minusOn_ = minimum_ < 0 && (input_.empty() || replace_);
  // Only free text takes a second point.
  const bool hasPoint = input_.find('.') != std::string::npos;
  if (kind_ != kKeypadText && hasPoint)
    dotOn_ = false;
  else if (kind_ > kKeypadInteger && room)
    dotOn_ = true;
}

void Keypad::Clear() {
  input_.clear();
  EnableKeys();
  replace_ = true;
}

void Keypad::Space() {
  if (kind_ == kKeypadText) Add(" ");
}

KeypadEnter Keypad::Enter() {
  // After a refused value the operator types it anew.
  const auto refuse = [this](const std::string& text, KeypadEnter why) {
    Report(text);
    EnableKeys();
    replace_ = true;
    return why;
  };
  if (Length() > digits_) return refuse(TooLongMessage(digits_), KeypadEnter::TooLong);
  if (input_.empty()) {
    Report(EmptyMessage());
    return KeypadEnter::Empty;
  }
  double value = 0;
  if (Numeric())
    value = StrToFloat(input_);
  else if (kind_ == kKeypadHex)
    value = ReadHex(input_);
  if (kind_ != kKeypadText && (value < minimum_ || value > maximum_))
    return refuse(OutOfRangeMessage(), KeypadEnter::OutOfRange);
  if (kind_ == kKeypadInteger) input_ = FormatGeneral(value);
  if (kind_ == kKeypadDecimal) input_ = FormatFixed(value, digits_, decimals_);
  return KeypadEnter::Accepted;
}

std::string Keypad::DigitText() const {
  return std::to_string(digits_);
}

std::string Keypad::LimitText(double limit) const {
  if (kind_ == kKeypadText) return "------";
  if (kind_ == kKeypadHex) return FormatHex(limit, digits_);
  return FormatFixed(limit, digits_, decimals_);
}

std::string Keypad::MinimumText() const {
  return LimitText(minimum_);
}
std::string Keypad::MaximumText() const {
  return LimitText(maximum_);
}

std::string Keypad::TooLongMessage(int digits) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "桁数ｵｰﾊﾞｰです。%d桁以内で入力して下さい。", digits);
  return buf;
}

const char* Keypad::EmptyMessage() {
  return "ﾃﾞｰﾀを入力して下さい。";
}
const char* Keypad::OutOfRangeMessage() {
  return "設定値が範囲外です。";
}

void Keypad::Report(const std::string& text) const {
  if (onMessage) onMessage(text);
}
