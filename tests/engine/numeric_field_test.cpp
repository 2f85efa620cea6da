#include "engine/numeric_field.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "caught_message.h"

namespace engine {
namespace {

struct FixedCase {
  float value;
  int width;
  int decimals;
  const char* text;
};

TEST(RenderFixed, WritesTheDocumentedLayouts) {
  const FixedCase cases[] = {
      {28.0f, 5, 1, " 28.0"},       {60.0f, 5, 1, " 60.0"},    {0.5f, 6, 3, "  .500"},
      {0.2f, 6, 1, "    .2"},       {1.0f, 6, 1, "   1.0"},    {50.0f, 6, 1, "  50.0"},
      {0.123456f, 7, 5, " .12346"}, {1.0f, 7, 5, "1.00000"},   {0.0f, 7, 5, " .00000"},
      {0.03f, 6, 3, "  .030"},      {9999.9f, 6, 1, "9999.9"}, {999.94f, 5, 1, "999.9"},
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(renderFixed(c.value, c.width, c.decimals), c.text)
        << c.value << " in F" << c.width << "." << c.decimals;
  }
}

TEST(RenderFixed, RoundsHalfAwayFromZeroAndCarriesIntoANewDigit) {
  const FixedCase cases[] = {
      {0.125f, 5, 2, "  .13"},       // exactly half: up, not to the even digit
      {-0.125f, 5, 2, " -.13"},      // away from zero for a negative value too
      {0.999996f, 7, 5, "1.00000"},  // carry through the 9s gives an integer digit
      {9.99995f, 5, 1, " 10.0"},     // held as 9.9999504..., carry into a second digit
      {0.04f, 5, 1, "   .0"},        // rounds down to zero: no sign, no leading 0
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(renderFixed(c.value, c.width, c.decimals), c.text)
        << c.value << " in F" << c.width << "." << c.decimals;
  }
}

TEST(RenderFixed, SignsNegativesAndFillsTooLongTextsWithAsterisks) {
  const FixedCase cases[] = {
      {-1.5f, 5, 1, " -1.5"},     {-0.5f, 6, 3, " -.500"},      {12.5f, 7, 5, "*******"},
      {10.0f, 7, 5, "*******"},   {9.999996f, 7, 5, "*******"}, {100.0f, 6, 3, "******"},
      {99.9996f, 6, 3, "******"}, {1000.0f, 5, 1, "*****"},     {999.96f, 5, 1, "*****"},
      {10000.0f, 6, 1, "******"}, {-100.0f, 5, 1, "*****"},     {-0.0f, 5, 1, "   .0"},
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(renderFixed(c.value, c.width, c.decimals), c.text)
        << c.value << " in F" << c.width << "." << c.decimals;
  }
}

TEST(RenderExponent, WritesTheDocumentedLayouts) {
  const FixedCase cases[] = {
      {12.345f, 11, 5, " .12345E+02"}, {0.000123456f, 11, 5, " .12346E-03"},
      {1.0f, 11, 4, "  .1000E+01"},    {0.0f, 11, 4, "  .0000E+00"},
      {0.0f, 11, 5, " .00000E+00"},    {0.5f, 11, 4, "  .5000E+00"},
      {3.0e38f, 11, 5, " .30000E+39"}, {1.0e-40f, 11, 4, "  .1000E-39"},
      {0.375f, 9, 2, "  .38E+00"},  // exactly half rounds up
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(renderExponent(c.value, c.width, c.decimals), c.text)
        << c.value << " in E" << c.width << "." << c.decimals;
  }
}

TEST(RenderExponent, CarriesIntoTheExponentAndSignsNegatives) {
  const FixedCase cases[] = {
      {0.999996f, 11, 5, " .10000E+01"}, {9.99995f, 11, 4, "  .1000E+02"},
      {-12.345f, 11, 5, "-.12345E+02"},  {-1.0f, 11, 4, " -.1000E+01"},
      {-0.5f, 9, 4, "*********"},  // the sign makes the text one character too long
  };
  for (const FixedCase& c : cases) {
    EXPECT_EQ(renderExponent(c.value, c.width, c.decimals), c.text)
        << c.value << " in E" << c.width << "." << c.decimals;
  }
}

// renderExponent takes an exact integer shortcut for common magnitudes; it must give the
// text of the general method (17 digits, then half away from zero) for every value, and
// above all for exact halves and for carries.
TEST(RenderExponent, ShortcutAgreesWithTheGeneralMethod) {
  std::vector<float> values;
  const std::uint32_t first = std::bit_cast<std::uint32_t>(1e-10f);
  const std::uint32_t last = std::bit_cast<std::uint32_t>(2e5f);
  for (std::uint32_t bits = first; bits < last; bits += 9973) {
    values.push_back(std::bit_cast<float>(bits));
  }
  for (int numerator = 1; numerator <= 4096; ++numerator) {  // exact halves such as .125
    for (int halvings = 0; halvings <= 20; ++halvings) {
      values.push_back(std::ldexp(static_cast<float>(numerator), -halvings));
    }
  }
  values.insert(values.end(), {0.999996f, 0.99999f, 0.099995f, 9.99995f, 0.0f, 1.0f});
  for (float value : values) {
    for (int digits : {1, 2, 4, 5, 6}) {
      for (float signedValue : {value, -value}) {
        ASSERT_EQ(renderExponent(signedValue, 13, digits),
                  detail::renderExponentGeneral(signedValue, 13, digits))
            << signedValue << " with " << digits << " digits";
      }
    }
  }
}

TEST(RenderInteger, RightJustifiesAndMarksOverflow) {
  EXPECT_EQ(renderInteger(1, 2), " 1");
  EXPECT_EQ(renderInteger(0, 2), " 0");
  EXPECT_EQ(renderInteger(99, 2), "99");
  EXPECT_EQ(renderInteger(-9, 2), "-9");
  EXPECT_EQ(renderInteger(100, 2), "**");
  EXPECT_EQ(renderInteger(-10, 2), "**");
}

TEST(Render, ValuesThatAreNotFiniteShowAsterisks) {
  const float infinity = std::numeric_limits<float>::infinity();
  const float notANumber = std::numeric_limits<float>::quiet_NaN();
  for (float value : {infinity, -infinity, notANumber}) {
    EXPECT_EQ(renderFixed(value, 7, 5), "*******");
    EXPECT_EQ(renderExponent(value, 11, 4), "***********");
  }
}

// Reads one field of `record` at position 0 and returns the value.
float readOne(std::string_view record, int width, int decimals) {
  std::size_t position = 0;
  return readFixedWidthReal(record, position, width, decimals);
}

TEST(ReadFixedWidthReal, FindsTheNumberAnywhereInItsField) {
  EXPECT_EQ(readOne("0.12345E+02  ", 13, 5), 12.345f);
  EXPECT_EQ(readOne("  0.12345E+02", 13, 5), 12.345f);
  EXPECT_EQ(readOne(" 0.12345E+02 ", 13, 5), 12.345f);
  EXPECT_EQ(readOne(" 0.1 23\t45E+0 2", 15, 5), 12.345f);  // blanks and tabs inside
}

TEST(ReadFixedWidthReal, UsesImpliedDecimalsOnlyWithoutAPoint) {
  EXPECT_EQ(readOne("    12345", 9, 3), 12.345f);
  EXPECT_EQ(readOne("   -12345", 9, 3), -12.345f);
  EXPECT_EQ(readOne("     12345E2", 13, 5), 12.345f);  // .12345 * 10^2
  EXPECT_EQ(readOne("      1.5", 9, 3), 1.5f);
  EXPECT_EQ(readOne("  15.", 5, 1), 15.0f);
  EXPECT_EQ(readOne(" 505", 4, 1), 50.5f);
}

TEST(ReadFixedWidthReal, AcceptsEveryExponentForm) {
  const char* forms[] = {"1.5E3", "1.5e3", "1.5D3", "1.5d3", "1.5E+3", "1.5+3", "+1.5+03"};
  for (const char* form : forms) EXPECT_EQ(readOne(form, 13, 5), 1500.0f) << form;
  EXPECT_EQ(readOne("1.5-3", 13, 5), 0.0015f);
  EXPECT_EQ(readOne("-1.5E-3", 13, 5), -0.0015f);
}

TEST(ReadFixedWidthReal, BlankFieldsAndTheEndOfTheRecordReadAsZero) {
  const std::string_view record = "             1.0";
  std::size_t position = 0;
  EXPECT_EQ(readFixedWidthReal(record, position, 13, 5), 0.0f);
  EXPECT_EQ(position, 13u);
  EXPECT_EQ(readFixedWidthReal(record, position, 13, 5), 1.0f);
  EXPECT_EQ(position, record.size());
  EXPECT_EQ(readFixedWidthReal(record, position, 13, 5), 0.0f);
  EXPECT_EQ(position, record.size());
}

TEST(ReadFixedWidthReal, ACommaEndsTheFieldEarly) {
  const std::string_view record = "1.5,2.5,   3.5,,7";
  std::size_t position = 0;
  EXPECT_EQ(readFixedWidthReal(record, position, 13, 5), 1.5f);
  EXPECT_EQ(position, 4u);
  EXPECT_EQ(readFixedWidthReal(record, position, 13, 5), 2.5f);
  EXPECT_EQ(readFixedWidthReal(record, position, 13, 5), 3.5f);
  EXPECT_EQ(readFixedWidthReal(record, position, 13, 5), 0.0f);  // nothing before the comma
  EXPECT_EQ(readFixedWidthReal(record, position, 13, 0), 7.0f);
}

TEST(ReadFixedWidthReal, RejectsTextThatIsNoNumber) {
  const char* fields[] = {"ab", "1.2.3", "1.5E", "1.5E+", "E5", "+", ".", "1.5x", "--1", "1E5E"};
  for (const char* field : fields) {
    EXPECT_THROW(readOne(field, 13, 5), FieldError) << field;
  }
  try {
    readOne("     ab", 13, 5);
    FAIL() << "no error for letters";
  } catch (const FieldError& error) {
    EXPECT_EQ(error.what(), "\"ab\"" + std::string(kNotANumber));
  }
}

TEST(ReadFixedWidthReal, RejectsMagnitudesBeyondTheFloatRange) {
  try {
    readOne("1.E39", 13, 5);
    FAIL() << "no error for 1.E39";
  } catch (const FieldError& error) {
    EXPECT_EQ(error.what(), "1.E39" + std::string(kBeyondSinglePrecision));
  }
  // Without a point the implied decimals apply: 1E39 in E13.5 is 0.00001E39.
  EXPECT_EQ(readOne("1E39", 13, 5), 1e34f);
  EXPECT_THROW(readOne("1E39", 13, 0), FieldError);
  EXPECT_THROW(readOne("-3.5E38", 13, 5), FieldError);
  EXPECT_THROW(readOne("1E999999999999", 20, 5), FieldError);
  EXPECT_THROW(readOne("1.E999999999999", 20, 5), FieldError);
  EXPECT_EQ(readOne("1.0E-999999999999", 20, 5), 0.0f);
  EXPECT_EQ(readOne("-1.0E-50", 20, 5), 0.0f);
  EXPECT_EQ(readOne("3.4E38", 13, 5), 3.4e38f);
  // Too small for a float is not an error: it reads as zero.
  EXPECT_EQ(readOne("1E-50", 13, 5), 0.0f);
  EXPECT_EQ(readOne("0E999999999", 13, 5), 0.0f);
}

TEST(ParseReal, ReadsWholeNumbersWithoutImpliedDecimals) {
  EXPECT_EQ(parseReal("28", 0), 28.0f);
  EXPECT_EQ(parseReal("2.8E1", 0), 28.0f);
  EXPECT_EQ(parseReal("2.8D1", 0), 28.0f);
  EXPECT_EQ(parseReal("-.5", 0), -0.5f);
}

TEST(ReadFixedWidthReal, QuotesCharactersThatCannotBeShownAsQuestionMarks) {
  EXPECT_EQ(caughtMessage<FieldError>([] { readOne("a\x01\xff", 13, 5); }),
            "\"a??\"" + std::string(kNotANumber));
}

}  // namespace
}  // namespace engine
