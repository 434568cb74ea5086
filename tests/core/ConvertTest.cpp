#include <gtest/gtest.h>

#include "objects/Convert.h"

TEST(Convert, FloatsAcceptPlainDecimalNumbers) {
  EXPECT_DOUBLE_EQ(StrToFloat("12.349"), 12.349);
  EXPECT_DOUBLE_EQ(StrToFloat("-0.509"), -0.509);
  EXPECT_DOUBLE_EQ(StrToFloat(" 3 "), 3.0);
  EXPECT_DOUBLE_EQ(StrToFloat("1e2"), 100.0);
}

TEST(Convert, FloatsRejectEverythingElseWithTheToolkitMessage) {
  for (const char* bad : {"abc", "", " ", "1.2.3", "12a", "inf", "nan", "0x10", "1e999"}) {
    try {
      StrToFloat(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid floating point value");
    }
  }
}

TEST(Convert, Integers) {
  EXPECT_EQ(StrToInt("100"), 100);
  EXPECT_EQ(StrToInt("-42"), -42);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  for (const char* bad : {"abc", "", "1.5", "99999999999", "$", "12 3"}) {
    EXPECT_THROW(StrToInt(bad), ConversionError) << bad;
  }
  try {
    StrToInt("abc");
  } catch (const ConversionError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
}
