#include "sweep/printable_text.h"

#include <gtest/gtest.h>

namespace {

using sweep::printableText;

TEST(PrintableText, KeepsValidTextAndReplacesControlsAndInvalidBytes) {
  EXPECT_EQ(printableText("B2F.dat, line 2: 55.0 kV \xC2\xB0 \xE2\x80\x94 \xF0\x9F\x98\x80"),
            "B2F.dat, line 2: 55.0 kV \xC2\xB0 \xE2\x80\x94 \xF0\x9F\x98\x80");
  const std::string nul("a\0b", 3);
  EXPECT_EQ(printableText(nul),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(printableText("a\tb\rc\x1B"),
            "a b\xEF\xBF\xBD"
            "c\xEF\xBF\xBD");
  // A lone continuation byte, a cut sequence, an overlong form, a surrogate, C1 control.
  for (const char* bad : {"\x80", "\xE2\x80", "\xC0\xAF", "\xED\xA0\x80", "\xC2\x85"}) {
    const std::string text = printableText(bad);
    EXPECT_EQ(text.find_first_not_of("\xEF\xBF\xBD"), std::string::npos) << bad;
    EXPECT_FALSE(text.empty());
  }
}

}  // namespace
