#include "sweep/result_file.h"

#include <gtest/gtest.h>

namespace {

// The references and the axis values at X = 5, 10 and 15 cm (columns 25, 50 and 75 of row
// 0), each as Result.dat writes it: five significant digits for a reference, four in a map.
TEST(ResultSummary, TakesTheValuesAsResultDatStatesThem) {
  tube_model::FieldResult field;
  field.energyFluenceReference = 3.437749f;
  field.airKermaReference = 6.05616f;
  field.hvlReference = 0.2022549f;
  for (int column : {24, 25, 50, 75}) {
    field.airKerma[static_cast<std::size_t>(column)] = 0.1f * static_cast<float>(column) / 7.0f;
    field.hvl[static_cast<std::size_t>(column)] = 1.0f + 0.01f * static_cast<float>(column) / 3.0f;
  }
  field.airKerma[tube_model::kColumns + 25] = 5;  // row 1: not on the axis

  const sweep::ResultSummary summary = sweep::summaryOf(field);
  EXPECT_EQ(summary.energyFluence, 3.4377);
  EXPECT_EQ(summary.airKerma, 6.0562);
  EXPECT_EQ(summary.halfValueLayer, 0.20225);
  EXPECT_EQ(summary.relativeAirKerma, (std::array<double, 3>{0.3571, 0.7143, 1.071}));
  EXPECT_EQ(summary.relativeHalfValueLayer, (std::array<double, 3>{1.083, 1.167, 1.25}));
}

}  // namespace
