#include "sweep/value_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using sweep::parseValueList;
using sweep::ValueListError;
using Values = std::vector<double>;

TEST(ValueList, RangeIncludesItsStop) {
  const Values values = parseValueList("25:35:1");
  ASSERT_EQ(values.size(), 11u);
  EXPECT_EQ(values.front(), 25);
  EXPECT_EQ(values.back(), 35);
}

TEST(ValueList, DecimalStepsDoNotDrift) {
  const Values values = parseValueList("20:21:0.1");
  const Values expected{20, 20.1, 20.2, 20.3, 20.4, 20.5, 20.6, 20.7, 20.8, 20.9, 21};
  EXPECT_EQ(values, expected);  // exactly the doubles of the decimal texts
  EXPECT_EQ(parseValueList("0:0.1:0.025"), (Values{0, 0.025, 0.05, 0.075, 0.1}));
}

TEST(ValueList, StopsAtTheLastStepBelowStop) {
  EXPECT_EQ(parseValueList("0:1:0.3"), (Values{0, 0.3, 0.6, 0.9}));
  EXPECT_EQ(parseValueList("5:5:1"), (Values{5}));
}

TEST(ValueList, ListsMixNumbersAndRanges) {
  EXPECT_EQ(parseValueList("0.03,0"), (Values{0.03, 0}));
  EXPECT_EQ(parseValueList("20:24:2,35"), (Values{20, 22, 24, 35}));
  EXPECT_EQ(parseValueList("+5,-2.5,1e1"), (Values{5, -2.5, 10}));
}

TEST(ValueList, RejectsWhatIsNotAList) {
  for (const char* text : {"", "abc", "25kV", "25,,30", "25,", "nan", "inf", "1e999",
                           "25:", "25:30", "1:2:3:4", "1:2:0", "1:2:-1", "2:1:1", "0:1:0.00001"}) {
    EXPECT_THROW(parseValueList(text), ValueListError) << text;
  }
}

TEST(ValueList, ErrorNamesTheBadItem) {
  // "0,05" is 0.05 in the forms: a leading zero is refused rather than read as 0 and 5.
  const std::pair<const char*, const char*> cases[] = {
      {"25,3O", "\"3O\""},
      {"0,05",
       "\"05\" has a leading zero: the comma separates values, so \"0,05\" is two "
       "values; write 0.05 for one"},
      {"007", "\"007\" has a leading zero; write it"},
      {"0.5,-05", "\"-05\" has a leading zero: the comma separates values; write it"}};
  for (const auto& [text, message] : cases) {
    try {
      parseValueList(text);
      ADD_FAILURE() << text << " accepted";
    } catch (const ValueListError& error) {
      EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
    }
  }
  EXPECT_EQ(parseValueList("0,0.05,00.5,0e1"), (std::vector<double>{0, 0.05, 0.5, 0}));
}

}  // namespace

TEST(ValueList, ExtremeExponentsAndHugeRangesGiveFiniteValuesOrAnError) {
  EXPECT_EQ(parseValueList("0e-2147483648,0e99999999999999999999"), (Values{0, 0}));
  const Values huge = parseValueList("0.5:1e308:5e307");
  ASSERT_EQ(huge.size(), 3u);
  for (double value : huge) EXPECT_TRUE(std::isfinite(value)) << value;
  EXPECT_THROW(parseValueList("-1.7e308:1.7e308:1e308"), ValueListError);
}
