#include "text_files/parameter_file.h"

#include <gtest/gtest.h>

namespace {

using palvane::Target;
using palvane::TubeSetup;

TEST(ParameterFile, FormDefaultsForMolybdenum) {
  EXPECT_EQ(palvane::parameterFileText(TubeSetup{}),
            "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
}

TEST(ParameterFile, TungstenWithRhodiumAndWideValues) {
  const TubeSetup setup{Target::kTungsten, 100, 22, 0, 0.8, 12.346, 0, 0.025, 45.5};
  EXPECT_EQ(palvane::parameterFileText(setup),
            "1\r\n100.0\r\n22.0\r\n00.0\r\n00.80\r\n12.35\r\n00.000\r\n00.025\r\n45.500\r\n");
}

}  // namespace
