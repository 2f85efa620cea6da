#include <gtest/gtest.h>

#include <cmath>

#include "palvane/physics/point_model.h"
#include "palvane/state/table_loading.h"
#include "test_paths.h"

namespace palvane {
namespace {

// palvane's own spectrum: 0.05 mm of silver passes exp(-mu t r) at a point off the axis,
// mu from line 101 of Materials.dat (20 keV: .19275E+03 per cm), for either target; the
// PMMA plate (line 101: .68001E+00) likewise, the molybdenum lines at 17.4 keV included.
TEST(AddedLayersModel, LayersPassExpOfMinusMuTimesTheObliquePath) {
  const ModelTables tables = readModelTables(testpaths::kDataDir);
  const ImagePoint point{8.0, 3.0};
  const double r = std::sqrt(8.0 * 8.0 + 3.0 * 3.0 + 65.0 * 65.0) / 65.0;
  for (const Target target : {Target::kMolybdenum, Target::kTungsten}) {
    TubeSetup bare;
    bare.target = target;
    TubeSetup silver = bare;
    silver.addedFilters = {{"ag", 0.05}};
    TubeSetup plate = bare;
    plate.plate = AddedLayer{"pmma", 2.4};
    const auto without = pointSpectrum(tables, bare, point);
    const auto withSilver = pointSpectrum(tables, silver, point);
    const auto withPlate = pointSpectrum(tables, plate, point);
    ASSERT_TRUE(without && withSilver && withPlate);
    if (target == Target::kTungsten) {
      EXPECT_NEAR(withSilver->photons[100] / without->photons[100], std::exp(-192.75 * 0.005 * r),
                  1e-12);
    }
    EXPECT_NEAR(withPlate->photons[100] / without->photons[100], std::exp(-0.68001 * 0.24 * r),
                1e-12);
    // The plate attenuates a characteristic line as the bremsstrahlung beside it.
    const double line = withPlate->photons[87] / without->photons[87];
    const double nextBin = withPlate->photons[88] / without->photons[88];
    EXPECT_LT(line, 1.0);
    EXPECT_NEAR(line, nextBin, 0.01);
  }
}

TEST(AddedLayersModel, WithoutTheMaterialTableALayerIsRefusedWithTheReason) {
  ModelTables tables = readModelTables(testpaths::kDataDir);
  tables.Materials.clear();
  tables.MaterialsProblem = "Materials.dat: cannot be opened";
  TubeSetup setup;
  EXPECT_EQ(layersProblem(tables, setup), std::nullopt);
  setup.addedFilters = {{"ag", 0}};  // 0 mm is no layer
  EXPECT_TRUE(pointSpectrum(tables, setup, {}));
  setup.addedFilters = {{"ag", 0.05}};
  EXPECT_EQ(layersProblem(tables, setup), "Materials.dat: cannot be opened");
  EXPECT_FALSE(pointSpectrum(tables, setup, {}));
  const ModelTables full = readModelTables(testpaths::kDataDir);
  setup.addedFilters = {{"w", 0.05}};
  EXPECT_EQ(layersProblem(full, setup), "Materials.dat: no material \"w\"");
}

}  // namespace
}  // namespace palvane
