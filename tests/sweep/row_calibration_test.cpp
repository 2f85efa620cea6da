#include "sweep/row_calibration.h"

#include <gtest/gtest.h>

namespace sweep {
namespace {

using palvane::AddedLayer;
using palvane::Target;

// A tungsten row with 0.05 mm of silver instead of the rhodium filter.
Settings silverRow() {
  Settings row;
  row.target = Target::kTungsten;
  row.molybdenum = 0;
  row.rhodium = 0;
  row.addedFilters = {{"ag", 0.05}};
  return row;
}

TEST(RowCalibration, EachRowTakesOnlyTheFitOfItsOwnFilters) {
  calibration::TubeProfile profile;
  profile.target = Target::kTungsten;
  calibration::FilterCalibration fit = calibration::FilterCalibration::madeWith(silverRow());
  fit.aluminium = 0.414;
  profile.setFilterCalibration(fit);

  Settings withPlate = silverRow();
  withPlate.plate = AddedLayer{"pmma", 2.4};
  Settings thicker = silverRow();
  thicker.addedFilters = {{"ag", 0.1}};
  Settings rhodium = silverRow();
  rhodium.addedFilters.clear();
  rhodium.rhodium = 0.05;
  std::vector<Settings> rows{withPlate, thicker, rhodium};
  const RowCalibrations applied = applyProfileAluminium(rows, profile);

  // The plate is modelled beside the tube's filtration: the W/Ag fit serves that row.
  ASSERT_TRUE(applied.fits[0].fit);
  EXPECT_EQ(rows[0].aluminium, 0.41);
  EXPECT_EQ(applied.notes[0], "");
  EXPECT_FALSE(applied.fits[1].fit);
  EXPECT_EQ(rows[1].aluminium, 0.0);
  EXPECT_EQ(applied.notes[1],
            "uncalibrated: the profile's W/Ag fit was made for other angles, beryllium or "
            "filter");
  EXPECT_FALSE(applied.fits[2].fit);
  EXPECT_EQ(applied.notes[2], "uncalibrated: W/Rh is not calibrated in the profile");
}

}  // namespace
}  // namespace sweep
