#pragma once

#include <functional>
#include <string>

// What the keypad is asked for.
enum KeypadKind { kKeypadInteger = 0, kKeypadDecimal = 1, kKeypadText = 2, kKeypadHex = 3 };

// How Enter ended.
enum class KeypadEnter {
  Accepted,    // the input holds the result; the dialog closes
  Empty,       // nothing typed; the operator keeps editing
  TooLong,     // more characters than allowed; the next key starts anew
  OutOfRange,  // outside minimum..maximum; the next key starts anew
};

// The on-screen keypad without its window: the text being built, which
// keys may be pressed, and the check on Enter. The window shows Input()
// and the enabled flags after every call and maps its buttons and keys to
// the calls below.
class Keypad {
 public:
  // Receives the texts the operator must see (UTF-8). Without one they are
  // dropped.
  std::function<void(const std::string&)> onMessage;

  // Starts a new entry. Caps and shift survive from the previous entry.
  void Prepare(int kind, double minimum, double maximum, int digits, int decimals, const std::string& text);

  // The keys. Each is refused quietly where the keypad does not allow it.
  void Digit(char digit);                // '0'..'9', buttons and shortcuts
  void Letter(char letter);              // 'A'..'F' shortcuts
  void Key(const std::string& caption);  // a keyboard key or an A..F button
  void Point();
  void Minus();
  void BackSpace();
  void Clear();
  void Space();
  // The next key replaces the whole input (double-click on the field).
  void ReplaceNext() { replace_ = true; }

  // Checks the input and formats the result. An input of kind 0 or 1 that
  // is not a number at all ("-", ".") raises ConversionError and leaves
  // everything as it was.
  KeypadEnter Enter();

  void ToggleCaps() { caps_ = !caps_; }
  void ToggleShift() { shift_ = !shift_; }
  bool Caps() const { return caps_; }
  bool Shift() const { return shift_; }

  int Kind() const { return kind_; }
  int Digits() const { return digits_; }
  const std::string& Input() const { return input_; }
  bool Replacing() const { return replace_; }

  bool DigitsEnabled() const { return digitsOn_; }
  bool DotEnabled() const { return dotOn_; }
  bool MinusEnabled() const { return minusOn_; }
  bool HexEnabled() const { return hexOn_; }

  // The texts of the range and digit labels.
  std::string DigitText() const;
  std::string MinimumText() const;
  std::string MaximumText() const;

  // The three reports, exactly as the operator reads them.
  static std::string TooLongMessage(int digits);
  static const char* EmptyMessage();
  static const char* OutOfRangeMessage();

 private:
  // Every key that adds something comes through here.
  void Add(const std::string& text);
  void EnableKeys();
  void Report(const std::string& text) const;
  bool Numeric() const { return kind_ == kKeypadInteger || kind_ == kKeypadDecimal; }
  // Characters, not bytes: a caller's text may hold more than ASCII.
  int Length() const;
  std::string LimitText(double limit) const;

  int kind_ = kKeypadInteger;
  double minimum_ = 0, maximum_ = 0;
  int digits_ = 0, decimals_ = 0;
  std::string input_ = "0";
  bool replace_ = false;
  bool caps_ = false, shift_ = false;
  bool digitsOn_ = true, dotOn_ = false, minusOn_ = false, hexOn_ = false;
};
