#include "input/Keypad.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/KeypadText.h"
#include "objects/Convert.h"

namespace {

// A keypad that keeps what it reports.
struct Pad : Keypad {
  std::vector<std::string> messages;
  Pad(int kind, double minimum, double maximum, int digits, int decimals, const std::string& text) {
    onMessage = [this](const std::string& m) { messages.push_back(m); };
    Prepare(kind, minimum, maximum, digits, decimals, text);
  }
  // Presses keys by their captions: digits, '.', '-', 'A'..'F', 'b' for BS.
  void Type(const std::string& keys) {
    for (char c : keys) {
      if (c >= '0' && c <= '9')
        Digit(c);
      else if (c == '.')
        Point();
      else if (c == '-')
        Minus();
      else if (c == 'b')
        BackSpace();
      else
        Letter(c);
    }
  }
};

struct Keys {
  bool digits, dot, minus, hex;
};

void ExpectKeys(const Keypad& k, Keys e, const char* where) {
  EXPECT_EQ(k.DigitsEnabled(), e.digits) << where;
  EXPECT_EQ(k.DotEnabled(), e.dot) << where;
  EXPECT_EQ(k.MinusEnabled(), e.minus) << where;
  EXPECT_EQ(k.HexEnabled(), e.hex) << where;
}

}  // namespace

TEST(KeypadTest, KeysEnabledOnOpeningByKindAndMinimum) {
  ExpectKeys(Pad(0, 0, 100, 3, 0, "0"), {true, false, false, false}, "integer, minimum 0");
  ExpectKeys(Pad(0, -10, 100, 3, 0, "0"), {true, false, true, false}, "integer, minimum -10");
  ExpectKeys(Pad(1, 0, 100, 6, 2, "0"), {true, true, false, false}, "decimal, minimum 0");
  ExpectKeys(Pad(1, -90, 120, 6, 2, "0"), {true, true, true, false}, "decimal, minimum -90");
  ExpectKeys(Pad(2, 0, 0, 20, 0, "abc"), {true, true, true, false}, "text");
  ExpectKeys(Pad(3, 0, 255, 2, 0, "0"), {true, true, true, true}, "hex: minus as opened");
}

TEST(KeypadTest, FirstKeyReplacesTheShownText) {
  Pad p(0, 0, 9999, 4, 0, "100");
  EXPECT_TRUE(p.Replacing());
  p.Type("5");
  EXPECT_EQ(p.Input(), "5");
  p.Type("7");
  EXPECT_EQ(p.Input(), "57");

  // A double-click on the field makes the next key replace again.
  p.ReplaceNext();
  p.Type("3");
  EXPECT_EQ(p.Input(), "3");

  // Backspace on the selected text removes it all.
  Pad q(0, 0, 9999, 4, 0, "100");
  q.BackSpace();
  EXPECT_EQ(q.Input(), "");
  EXPECT_FALSE(q.Replacing());
}

TEST(KeypadTest, FullInputDisablesTheNumberKeysUntilBackspace) {
  Pad p(3, -0xFFFF, 0xFFFF, 4, 0, "0");
  p.Type("12");
  ExpectKeys(p, {true, true, true, true}, "room left");
  p.Type("3A");
  EXPECT_EQ(p.Input(), "123A");
  ExpectKeys(p, {false, false, false, false}, "full");
  p.Type("9");  // a shortcut still arrives; nothing is added
  EXPECT_EQ(p.Input(), "123A");
  p.BackSpace();
  EXPECT_EQ(p.Input(), "123");
  ExpectKeys(p, {true, true, true, true}, "after BS");

  Pad d(1, 0, 10, 4, 2, "0");
  d.Type("1.5");
  ExpectKeys(d, {true, false, false, false}, "decimal with its point");
  d.BackSpace();
  EXPECT_EQ(d.Input(), "1.");
  EXPECT_FALSE(d.DotEnabled()) << "the point is still there";
  d.BackSpace();
  EXPECT_EQ(d.Input(), "1");
  EXPECT_TRUE(d.DotEnabled()) << "point removed, point key back";
}

TEST(KeypadTest, MinusOnlyBeginsANumber) {
  Pad p(0, -10, 100, 3, 0, "5");
  EXPECT_TRUE(p.MinusEnabled());  // about to be replaced
  p.Type("-");
  EXPECT_EQ(p.Input(), "-");
  EXPECT_FALSE(p.MinusEnabled());
  p.Type("3-");
  EXPECT_EQ(p.Input(), "-3") << "a second minus is refused";
  p.BackSpace();
  EXPECT_FALSE(p.MinusEnabled()) << "input not empty";
  p.BackSpace();
  EXPECT_EQ(p.Input(), "");
  EXPECT_TRUE(p.MinusEnabled()) << "input empty again";

  // After an error the next key replaces, so the minus may start anew.
  Pad q(1, -90, 120, 6, 2, "0");
  q.Type("130");
  EXPECT_EQ(q.Enter(), KeypadEnter::OutOfRange);
  EXPECT_TRUE(q.MinusEnabled());
  q.Type("-5");
  EXPECT_EQ(q.Input(), "-5");

  // Free text takes a minus anywhere.
  Pad t(2, 0, 0, 10, 0, "");
  t.Type("1-2-");
  EXPECT_EQ(t.Input(), "1-2-");
}

TEST(KeypadTest, OnePointInDecimalAndHexNoneInIntegers) {
  Pad d(1, 0, 100, 8, 2, "0");
  d.Type("1.2.3");
  EXPECT_EQ(d.Input(), "1.23");
  Pad h(3, 0, 0xFFFFF, 8, 0, "0");
  h.Type("1.2.3");
  EXPECT_EQ(h.Input(), "1.23");
  // An integer takes no point even as the first, replacing key.
  Pad i(0, 0, 100, 3, 0, "0");
  i.Type(".5");
  EXPECT_EQ(i.Input(), "5");
  // Letters are hexadecimal digits; a number refuses them.
  i.Type("A");
  EXPECT_EQ(i.Input(), "5");
}

TEST(KeypadTest, EnterReportsEachFaultAndKeepsEditing) {
  {
    Pad p(0, 0, 9999, 4, 0, "12345");
    EXPECT_EQ(p.Enter(), KeypadEnter::TooLong);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0], "桁数ｵｰﾊﾞｰです。4桁以内で入力して下さい。");
    EXPECT_TRUE(p.Replacing());
    p.Type("7");
    EXPECT_EQ(p.Input(), "7");
  }
  {
    Pad p(1, 0, 10, 4, 2, "");
    EXPECT_EQ(p.Enter(), KeypadEnter::Empty);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0], "ﾃﾞｰﾀを入力して下さい。");
  }
  {
    Pad p(1, -90, 120, 6, 2, "0");
    p.Type("130");
    EXPECT_EQ(p.Enter(), KeypadEnter::OutOfRange);
    p.Type("-");
    p.Type("91");
    EXPECT_EQ(p.Enter(), KeypadEnter::OutOfRange);
    EXPECT_EQ(p.messages, (std::vector<std::string>{"設定値が範囲外です。", "設定値が範囲外です。"}));
    // The limits themselves are inside.
    p.Type("-90");
    EXPECT_EQ(p.Enter(), KeypadEnter::Accepted);
    EXPECT_EQ(p.Input(), "-90.00");
  }
}

TEST(KeypadTest, NotANumberRaisesAndLeavesTheInput) {
  for (const char* keys : {"-", "."}) {
    Pad p(1, -10, 10, 6, 2, "0");
    p.Type(keys);
    EXPECT_THROW(p.Enter(), ConversionError) << keys;
    EXPECT_EQ(p.Input(), keys);
    p.Type("5");
    EXPECT_EQ(p.Input(), std::string(keys) + "5") << "editing goes on";
    EXPECT_EQ(p.Enter(), KeypadEnter::Accepted);
  }
}

TEST(KeypadTest, ResultFormats) {
  struct Case {
    int kind;
    double minimum, maximum;
    int digits, decimals;
    const char* keys;
    const char* result;
  } cases[] = {
      {1, -90, 120, 6, 2, "-12.5", "-12.50"}, {1, 0, 100, 7, 2, "12.349", "12.35"},
      {1, 0, 100, 7, 2, "12.345", "12.35"},  // decimal halves go up
      {1, 0, 1, 6, 2, "0.125", "0.13"},       {1, 0, 100, 6, 2, "99.996", "100.00"},
      {1, -1, 1, 6, 2, "-0.001", "0.00"},     {1, -999.9999, 999.9999, 9, 4, "5", "5.0000"},
      {1, 0, 100, 4, 0, "7.5", "8"},          {0, -10, 9999, 4, 0, "0100", "100"},
      {0, -10, 9999, 4, 0, "-5", "-5"},       {0, -10, 9999, 4, 0, "-0", "0"},
      {3, 0, 255, 2, 0, "FF", "FF"},          {3, 0, 255, 3, 0, "0a", "0A"},
  };
  for (const Case& c : cases) {
    Pad p(c.kind, c.minimum, c.maximum, c.digits, c.decimals, "0");
    p.Type(c.keys);
    EXPECT_EQ(p.Enter(), KeypadEnter::Accepted) << c.keys;
    EXPECT_EQ(p.Input(), c.result) << c.keys;
    EXPECT_TRUE(p.messages.empty()) << c.keys;
  }
  // Free text is returned as typed, with no range.
  Pad t(2, 0, 0, 10, 0, "");
  t.Key("&&");
  t.Space();
  t.Key("x");
  EXPECT_EQ(t.Enter(), KeypadEnter::Accepted);
  EXPECT_EQ(t.Input(), "& x");
  // Space is free text only.
  Pad n(1, 0, 100, 6, 2, "1");
  n.Type("1");
  n.Space();
  EXPECT_EQ(n.Input(), "1");
}

TEST(KeypadTest, HexadecimalReading) {
  EXPECT_EQ(ReadHex("FF"), 255);
  EXPECT_EQ(ReadHex("ff"), 255);
  EXPECT_EQ(ReadHex("1A2b"), 0x1A2B);
  EXPECT_EQ(ReadHex(""), 0);
  // A skipped character keeps its place value.
  EXPECT_EQ(ReadHex("1.F"), 0x10F);
  EXPECT_EQ(ReadHex("1G"), 16);
  // The sign is read, so a negative input is checked as negative.
  EXPECT_EQ(ReadHex("-FF"), -255);
  EXPECT_EQ(ReadHex("FFFFFFFFFF"), 1099511627775.0);

  Pad p(3, 0, 255, 3, 0, "0");
  p.Type("-F");
  EXPECT_EQ(p.Enter(), KeypadEnter::OutOfRange);
  p.Type("100");
  EXPECT_EQ(p.Enter(), KeypadEnter::OutOfRange);
}

TEST(KeypadTest, RangeAndDigitLabels) {
  Pad h(3, 0, 255, 2, 0, "0");
  EXPECT_EQ(h.MinimumText(), "00");
  EXPECT_EQ(h.MaximumText(), "FF");
  EXPECT_EQ(h.DigitText(), "2");
  EXPECT_EQ(FormatHex(-10.7, 2), "-0A");
  EXPECT_EQ(FormatHex(4096, 2), "1000");

  Pad d(1, -999.9999, 999.9999, 9, 4, "0");
  EXPECT_EQ(d.MinimumText(), "-999.9999");
  EXPECT_EQ(d.MaximumText(), "999.9999");
  Pad i(0, 0, 9999, 4, 0, "0");
  EXPECT_EQ(i.MinimumText(), "0");
  EXPECT_EQ(i.MaximumText(), "9999");
  Pad t(2, -5, 5, 10, 0, "");
  EXPECT_EQ(t.MinimumText(), "------");
  EXPECT_EQ(t.MaximumText(), "------");

  // Precision counts significant digits; halves round in decimal.
  EXPECT_EQ(FormatFixed(0.00123, 3, 5), "0.00123");
  EXPECT_EQ(FormatFixed(2.675, 4, 2), "2.68");
  EXPECT_EQ(FormatFixed(999.95, 5, 1), "1000.0");
  EXPECT_EQ(FormatFixed(123456, 3, 0), "123000");
  EXPECT_EQ(FormatGeneral(0.25), "0.25");
}

TEST(KeypadTest, KeyboardRelabelling) {
  const char* base = "1234567890-^\\qwertyuiop@[asdfghjkl;:]zxcvbnm,./_";
  const char* shifted = "!\"#$%&'()0=~|QWERTYUIOP`{ASDFGHJKL+*}ZXCVBNM<>?_";
  for (int i = 0; base[i]; ++i) {
    const std::string b(1, base[i]);
    std::string s(1, shifted[i]);
    if (s == "&") s = "&&";
    const std::string upper = b[0] >= 'a' && b[0] <= 'z' ? std::string(1, static_cast<char>(b[0] - 32)) : b;
    // From either labelling to each mode.
    for (const std::string& from : {b, s, upper}) {
      EXPECT_EQ(RelabelKey(from, false, false), b) << from;
      EXPECT_EQ(RelabelKey(from, true, false), upper) << from;
      EXPECT_EQ(RelabelKey(from, true, true), s) << from;
      // Without caps, shift leaves letters small.
      EXPECT_EQ(RelabelKey(from, false, true), upper != b ? b : s) << from;
    }
  }
  // Captions of more than one character are not keys to relabel.
  EXPECT_EQ(RelabelKey("Shift", true, true), "Shift");
  EXPECT_EQ(KeyText("&&"), "&");
  EXPECT_EQ(KeyText("6"), "6");
}

TEST(KeypadTest, DigitsCountCharactersNotBytes) {
  // "日本" is two characters of three bytes each.
  Pad t(2, 0, 0, 2, 0, "日本");
  EXPECT_EQ(t.Enter(), KeypadEnter::Accepted);
  EXPECT_EQ(t.Input(), "日本");
  Pad u(2, 0, 0, 1, 0, "日本");
  EXPECT_EQ(u.Enter(), KeypadEnter::TooLong);
}

TEST(KeypadTest, CapsAndShiftOutliveAnEntry) {
  Keypad k;
  k.Prepare(2, 0, 0, 10, 0, "");
  k.ToggleCaps();
  k.ToggleShift();
  k.ToggleShift();
  k.Prepare(0, 0, 10, 2, 0, "1");
  EXPECT_TRUE(k.Caps());
  EXPECT_FALSE(k.Shift());
}
