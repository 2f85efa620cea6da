#include "text_files/number_text.h"

#include <gtest/gtest.h>

#include <string>

namespace palvane {
namespace {

struct PatternCase {
  double value;
  const char* pattern;
  const char* text;
};

TEST(PatternFormat, WritesThePatternsInUse) {
  const PatternCase cases[] = {
      {1, "0", "1"},
      {4, "00.0", "04.0"},
      {0.8, "00.00", "00.80"},
      {0.025, "00.000", "00.025"},
      {30, "##.0", "30.0"},
      {4, "#0.0", "4.0"},
      {0, "#0.00", "0.00"},
      {0.03, "#0.000", "0.030"},
      {0.2, "0000.0", "0000.2"},
      {50, "0000.0", "0050.0"},
      {1, "0.00000", "1.00000"},
      {0.123456, "0.00000", "0.12346"},
      {123456, "0.0000E+00", "1.2346E+05"},
      {7.4, "###0", "7"},
      {99.94, "##0.0", "99.9"},
      {1.23449, "##0.000", "1.234"},
      {0.5, "0.000", "0.500"},
      {60, "00.000", "60.000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PatternFormat(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
  }
}

TEST(PatternFormat, IntegerPartNeverCutAndOptionalDigitsLeftOut) {
  const PatternCase cases[] = {
      {100, "00.0", "100.0"}, {123456, "0", "123456"}, {1e20, "0", "100000000000000000000"},
      {0.5, "##.0", ".5"},    {0.5, "#0.0", "0.5"},    {0, "###0", "0"},
      {0, "##.0", ".0"},      {5, "0#", "05"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PatternFormat(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
  }
}

TEST(PatternFormat, NegativeValuesTakeALeadingMinus) {
  EXPECT_EQ(PatternFormat(-5, "00.0"), "-05.0");
  EXPECT_EQ(PatternFormat(-0.5, "##.0"), "-.5");
  EXPECT_EQ(PatternFormat(-2.5e-10, "0.0000E+00"), "-2.5000E-10");
  // A negative value that rounds to zero keeps its sign; negative zero is not negative.
  EXPECT_EQ(PatternFormat(-0.04, "0.0"), "-0.0");
  EXPECT_EQ(PatternFormat(-0.001, "00.0"), "-00.0");
  EXPECT_EQ(PatternFormat(-0.0, "0.00000"), "0.00000");
}

TEST(PatternFormat, RoundsHalfAwayFromZeroOnTheDecimalText) {
  const PatternCase cases[] = {
      {2.675, "0.00", "2.68"},    // binary value lies just below the half
      {0.025, "0.000", "0.025"},  // stays as typed
      {1.005, "0.00", "1.01"},
      {0.25, "0.0", "0.3"},
      {-0.25, "0.0", "-0.3"},
      {0.5, "0", "1"},
      {2.5, "0", "3"},
      {0.05, "0.0", "0.1"},  // the first dropped digit is the first digit of the value
      {0.004, "0.00", "0.00"},
      {0.0000001, "0.00000", "0.00000"},
      {9.999, "0.00", "10.00"},  // the carry adds an integer digit
      {99.96, "00.0", "100.0"},
      {0.2 * 3, "0000.0", "0000.6"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PatternFormat(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
  }
}

TEST(PatternFormat, ExponentForm) {
  const PatternCase cases[] = {
      {0, "0.0000E+00", "0.0000E+00"},
      {1, "0.0000E+00", "1.0000E+00"},
      {0.000123456, "0.0000E+00", "1.2346E-04"},
      {99999.5, "0.0000E+00", "1.0000E+05"},  // the carry raises the exponent
      {9.99994, "0.0000E+00", "9.9999E+00"},
      {1e100, "0.0000E+00", "1.0000E+100"},
      {3.7e-5, "0.0000E+00", "3.7000E-05"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PatternFormat(c.value, c.pattern), c.text) << c.value << " with " << c.pattern;
  }
}

TEST(LeadingNumber, TakesTheNumberAtTheStart) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"30", 30},        {"30kV", 30},      {"", 0},      {"abc", 0},   {" 4.5", 4.5},  {"\t7", 7},
      {"19.9", 19.9},    {"50kV", 50},      {"-5", -5},   {"+2", 2},    {".5", 0.5},    {"5.", 5},
      {"1.5E+02", 150},  {"2.5e-1x", 0.25}, {"2E", 2},    {"2E+", 2},   {"-", 0},       {".", 0},
      {"-.25mm", -0.25}, {"1,5", 1},        {"1 000", 1}, {"1e999", 0}, {"0.03", 0.03}, {"kV30", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(SettingNumber, ReadsADecimalCommaBetweenDigitsAsAPoint) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"0,8", 0.8}, {" 0,8mm", 0.8}, {"30", 30}, {",8", 0}, {"8,", 8}, {"1,5,2", 1.5}, {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(SettingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(IsSettingNumber, AcceptsOnlyBlanksAndTheUnitAfterTheNumber) {
  const struct {
    const char* text;
    bool accepted;
  } cases[] = {
      {"30", true},     {"30kV", true},   {" 30 kV ", true}, {"0,8", true},   {"4\t", true},
      {"-2.5", true},   {"4 deg", true},  {"4°", true},      {"", false},     {" ", false},
      {"abc", false},   {"30kVx", false}, {"30 mm", false},  {"0,8,", false}, {"1 000", false},
      {"1e999", false}, {"kV30", false},  {"0.8.1", false},  {"-", false},    {"30kV kV", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsSettingNumber(c.text, {"kV", "deg", "°"}), c.accepted) << '"' << c.text << '"';
  }
}

TEST(ShortestText, DropsTrailingZerosAndPoint) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {30, "30"},         {30.0, "30"},
      {0.8, "0.8"},       {0.03, "0.03"},
      {0, "0"},           {-0.0, "0"},
      {-2.5, "-2.5"},     {10, "10"},
      {0.1 + 0.2, "0.3"}, {1.0 / 3, "0.333333333333333"},
      {-0.5, "-0.5"},     {123456789012345, "123456789012345"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortestText(c.value), c.text) << c.value;
}

}  // namespace
}  // namespace palvane
