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

// The filters a fit of the aluminium is made for: every filter of the set-up of more than
// 0 mm, the tube's molybdenum and rhodium filters first (as "mo" and "rh"), then the added
// filters in the order the beam crosses them, each a material key and its thickness in mm.
// The compression plate is no filter of the tube: a fit is of the tube's filtration and
// serves a set-up with or without a plate, which the model takes into account on its own.
using Filters = std::vector<palvane::AddedLayer>;
Filters filtersOf(const palvane::TubeSetup& setup);

// The filters' key, the materials joined by '+': "none", "rh", "ag", "mo+ag". A profile keeps
// one fit per key; a fit serves a set-up whose filters have the same key and thicknesses.
std::string filterKey(const Filters& filters);
// "Mo/Rh", "W/Ag", "Mo/Mo+Ag": the target's and the filters' symbols, "Mo/none" without one.
std::string setupName(palvane::Target target, const Filters& filters);
// "molybdenum" or "tungsten".
std::string_view targetMetal(palvane::Target target);

// The aluminium fit of one set of filters, with what it was made for.
struct FilterCalibration {
  Filters filters;  // empty without a filter
  double beryllium = 0.0;
  double targetAngle = 0.0;
  double tiltAngle = 0.0;
  // The plate the fit was made through, when there was one: the model HVLs of the pairs
  // were computed through it.
  std::optional<palvane::AddedLayer> plate;
  std::string date;                 // of the measurement, yyyy-mm-dd; may be empty
  std::vector<PairFit> pairs;       // the model HVLs at the fitted aluminium (0: not known)
  std::optional<double> aluminium;  // the fitted thickness, unrounded
  // The fit was made for the set-up: same filters and thicknesses, beryllium and angles.
  bool madeFor(const palvane::TubeSetup& setup) const;
  // A fit (without pairs or aluminium yet) made for the set-up, with its filters and plate.
  static FilterCalibration madeWith(const palvane::TubeSetup& setup);
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
  std::string filter = "none";  // the filterKey of the set-up it was measured with
  double tubeVoltage = 0.0;
  std::vector<HeelPoint> points;
  std::optional<double> targetAngle;  // the fitted (effective) angle
  std::string date;
};

struct TubeProfile {
  int format = 2;    // the file format it was read from (1: one fit, its set-up not stated)
  std::string name;  // the user's, e.g. "Room 2 Mo"
  palvane::Target target = palvane::Target::kMolybdenum;
  std::vector<FilterCalibration> filters;  // at most one per filter key
  std::optional<OutputMeasurement> output;
  std::optional<HeelCalibration> heel;

  // The fit of the filter key; nullptr when the profile has none.
  const FilterCalibration* filterCalibration(std::string_view key) const;
  // Adds the fit, or replaces the fit of its filter key.
  void setFilterCalibration(const FilterCalibration& calibration);
};

// Which of the profile's fits could serve a set-up: the fit of its filters' key (nullptr
// when the profile has none; it may lack an aluminium or be made for other angles,
// beryllium or filter thicknesses), or why none can: "the profile is for the molybdenum
// target".
struct FilterFitFor {
  Filters filters;  // the set-up's
  const FilterCalibration* fit = nullptr;
  std::string refusal;  // empty when the set-up's filter was found
};
FilterFitFor filterFitFor(const TubeProfile& profile, const palvane::TubeSetup& setup);

// The measured pairs of the profile's fit for the set-up's filters when that fit was made
// for the set-up's other settings, the target angle aside: the pairs a heel fit refits the
// aluminium to as it varies the angle. Empty when the profile has no such fit.
std::vector<HvlPair> heelRefitPairs(const TubeProfile& profile, const palvane::TubeSetup& setup);

// A profile read from a file of the first format holds one fit and an output without their
// settings: they are taken as made for `setup`, the settings it is loaded with, as that
// format was used. A profile of a later format is left as it is.
void adoptFirstFormatSettings(TubeProfile& profile, const palvane::TubeSetup& setup);

// A file name proposed for the profile: its name with the characters a file name should not
// hold replaced by '_', blanks too, and the extension: "Room 2 Mo" gives Room_2_Mo.txt; a
// profile without a name is named from its target.
std::string proposedFileName(const TubeProfile& profile);

}  // namespace calibration
