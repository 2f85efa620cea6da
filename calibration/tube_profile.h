#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calibration/hvl_fit.h"
#include "calibration/output_calibration.h"
#include "text_files/tube_setup.h"

namespace calibration {

// One tube (one room) as measured: the fit of its aluminium-equivalent filtration for each
// added filter it is used with, its measured output with the settings it was measured at,
// and the fit of its heel. Thicknesses in mm, angles in degrees, tube voltages in kV. A
// set-up is a palvane::TubeSetup; where only the tube matters its tube voltage is ignored.

// The added filter of a set-up: none, molybdenum or rhodium.
enum class Filter { kNone, kMolybdenum, kRhodium };

// The filter's key in a profile file: "none", "mo" or "rh".
std::string_view filterKey(Filter filter);
// The filter of the added-filter thicknesses: none with both 0, the one above 0 when only
// one is; nullopt with both (a set-up no profile describes).
std::optional<Filter> filterOf(double molybdenum, double rhodium);
// "Mo/Rh": the target's and the filter's symbols, "Mo/none" without a filter.
std::string setupName(palvane::Target target, Filter filter);
// "molybdenum" or "tungsten".
std::string_view targetMetal(palvane::Target target);

// The thickness of the set-up's added filter of that kind (0 for none).
double addedFilterThickness(const palvane::TubeSetup& setup, Filter filter);

// The aluminium fit of one added filter, with what it was made for.
struct FilterCalibration {
  Filter filter = Filter::kNone;
  double filterThickness = 0.0;  // of the added filter; 0 without one
  double beryllium = 0.0;
  double targetAngle = 0.0;
  double tiltAngle = 0.0;
  std::string date;                 // of the measurement, yyyy-mm-dd; may be empty
  std::vector<PairFit> pairs;       // the model HVLs at the fitted aluminium (0: not known)
  std::optional<double> aluminium;  // the fitted thickness, unrounded
  // The fit was made for the set-up: same filter and thickness, beryllium and angles.
  bool madeFor(const palvane::TubeSetup& setup) const;
  // A fit (without pairs or aluminium yet) made for the set-up with its filter.
  static FilterCalibration madeWith(const palvane::TubeSetup& setup, Filter filter);
};

// A measured output with the settings the form held when it was set, its tube voltage
// included.
struct OutputMeasurement {
  OutputCalibration output;
  palvane::TubeSetup setup;
  std::string date;
  friend bool operator==(const OutputMeasurement&, const OutputMeasurement&) = default;
};

// Air kerma measured relative to the beam axis at a point X mm along the anode-cathode
// axis (towards the anode side), Y = 0, and the fitted model's value there.
struct HeelPoint {
  double position = 0.0;  // X, mm
  double relativeKerma = 0.0;
  std::optional<double> modelKerma;
};

// The heel measured at one setting of the profile, and the target angle fitted to it.
struct HeelCalibration {
  Filter filter = Filter::kNone;
  double tubeVoltage = 0.0;
  std::vector<HeelPoint> points;
  std::optional<double> targetAngle;  // the fitted (effective) angle
  std::string date;
};

struct TubeProfile {
  int format = 2;    // the file format it was read from (1: one fit, its set-up not stated)
  std::string name;  // the user's, e.g. "Room 2 Mo"
  palvane::Target target = palvane::Target::kMolybdenum;
  std::vector<FilterCalibration> filters;  // at most one per filter
  std::optional<OutputMeasurement> output;
  std::optional<HeelCalibration> heel;

  // The fit of the filter; nullptr when the profile has none.
  const FilterCalibration* filterCalibration(Filter filter) const;
  // Adds the fit, or replaces the filter's fit.
  void setFilterCalibration(const FilterCalibration& calibration);
};

// Which of the profile's fits could serve a set-up: the fit of its added filter (nullptr
// when the profile has none; it may lack an aluminium or be made for other angles,
// beryllium or filter thickness), or why none can: "the profile is for the molybdenum
// target", "both added filters are set".
struct FilterFitFor {
  Filter filter = Filter::kNone;
  const FilterCalibration* fit = nullptr;
  std::string refusal;  // empty when the set-up's filter was found
};
FilterFitFor filterFitFor(const TubeProfile& profile, const palvane::TubeSetup& setup);

// A file name proposed for the profile: its name with the characters a file name should not
// hold replaced by '_', blanks too, and the extension: "Room 2 Mo" gives Room_2_Mo.txt; a
// profile without a name is named from its target.
std::string proposedFileName(const TubeProfile& profile);

}  // namespace calibration
