#include "text_files/csv_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

namespace {

TEST(CsvWriter, QuotesOnlyWhatARecordCannotHoldPlainly) {
  EXPECT_EQ(csv::field("X (mm)"), "X (mm)");
  EXPECT_EQ(csv::field(""), "");
  EXPECT_EQ(csv::field("Mo-STP.dat fehlt: ä µ"), "Mo-STP.dat fehlt: ä µ");  // UTF-8 as is
  EXPECT_EQ(csv::field("B2F.dat, line 2"), "\"B2F.dat, line 2\"");
  EXPECT_EQ(csv::field("say \"28\""), "\"say \"\"28\"\"\"");
  EXPECT_EQ(csv::field("\""), "\"\"\"\"");
  EXPECT_EQ(csv::field("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(csv::field("cr\rhere"), "\"cr\rhere\"");
  EXPECT_EQ(csv::field(" padded "), "\" padded \"");
}

TEST(CsvWriter, NumbersHaveFifteenDigitsAFullStopAndAreNeverNotFinite) {
  EXPECT_EQ(csv::number(30), "30");
  EXPECT_EQ(csv::number(0.025), "0.025");
  EXPECT_EQ(csv::number(-2.5), "-2.5");
  EXPECT_EQ(csv::number(-0.0), "0");
  EXPECT_EQ(csv::number(0.2 * 3), "0.6");  // 15 digits hide the binary rest
  EXPECT_EQ(csv::number(120000000), "120000000");
  EXPECT_EQ(csv::number(0.0001), "0.0001");
  EXPECT_EQ(csv::number(1.5e-7), "1.5e-07");
  EXPECT_THROW(csv::number(NAN), std::domain_error);
  EXPECT_THROW(csv::number(-INFINITY), std::domain_error);
}

TEST(CsvWriter, RecordsJoinQuotedFieldsAndEndWithTheFilesLineEnd) {
  EXPECT_EQ(csv::record({"mo", "28", "a,b", ""}, csv::kLf), "mo,28,\"a,b\",\n");
  EXPECT_EQ(csv::record({"a", "b,c", ""}, csv::kCrLf), "a,\"b,c\",\r\n");
  EXPECT_EQ(csv::record({}, csv::kLf), "\n");
}

}  // namespace
