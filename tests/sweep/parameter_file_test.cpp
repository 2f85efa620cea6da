#include "sweep/parameter_file.h"

#include <gtest/gtest.h>

namespace {

using sweep::Settings;
using sweep::Target;

TEST(ParameterFile, FormDefaultsForMolybdenum) {
  EXPECT_EQ(sweep::parameterFileText(Settings{}),
            "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
}

TEST(ParameterFile, TungstenWithRhodiumAndWideValues) {
  const Settings settings{Target::kTungsten, 100, 22, 0, 0.8, 12.346, 0, 0.025};
  EXPECT_EQ(sweep::parameterFileText(settings),
            "1\r\n100.0\r\n22.0\r\n00.0\r\n00.80\r\n12.35\r\n00.000\r\n00.025\r\n60.000\r\n");
}

}  // namespace
