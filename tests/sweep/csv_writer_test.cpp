#include "sweep/csv_writer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CsvField, QuotesOnlyWhatARecordCannotHoldPlainly) {
  EXPECT_EQ(csv::field("ok"), "ok");
  EXPECT_EQ(csv::field(""), "");
  EXPECT_EQ(csv::field("Mo-STP.dat fehlt: ä µ"), "Mo-STP.dat fehlt: ä µ");  // UTF-8 as is
  EXPECT_EQ(csv::field("B2F.dat, line 2"), "\"B2F.dat, line 2\"");
  EXPECT_EQ(csv::field("say \"28\""), "\"say \"\"28\"\"\"");
  EXPECT_EQ(csv::field("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(csv::field("cr\rhere"), "\"cr\rhere\"");
  EXPECT_EQ(csv::field(" padded "), "\" padded \"");
}

TEST(CsvNumber, ShortestTextWithFullStopAndNoWordsForNonFinite) {
  EXPECT_EQ(csv::number(30), "30");
  EXPECT_EQ(csv::number(0.1), "0.1");
  EXPECT_EQ(csv::number(0.025), "0.025");
  EXPECT_EQ(csv::number(-2.5), "-2.5");
  EXPECT_EQ(csv::number(1.5e-7), "1.5e-07");
  EXPECT_EQ(csv::number(NAN), "");
  EXPECT_EQ(csv::number(INFINITY), "");
}

TEST(CsvRecord, JoinsQuotedFieldsAndEndsTheLine) {
  EXPECT_EQ(csv::record({"mo", "28", "a,b", ""}), "mo,28,\"a,b\",\n");
  EXPECT_EQ(csv::record({}), "\n");
}

}  // namespace
