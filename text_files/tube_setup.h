#pragma once

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text_files/added_layers.h"
#include "text_files/spectrum_form_defaults.h"

namespace palvane {

enum class Target { kMolybdenum, kTungsten };

// The air layer between focal spot and image plane, cm: 60 unless set otherwise.
inline constexpr double kAirLayerCm = 60.0;
// The image plane lies this far below the focal spot, cm.
inline constexpr double kFocusToImageCm = 65.0;

// One tube set-up: the settings of one run, as B2F.dat carries them. By default those the
// spectrum form starts with.
struct TubeSetup {
  Target target = Target::kMolybdenum;
  double tubeVoltage = kDefaultTubeVoltage;               // kV
  double targetAngle = kDefaultTargetAngle;               // theta, degrees
  double tiltAngle = kDefaultTiltAngle;                   // phi, degrees
  double beryllium = kDefaultBeryllium;                   // mm
  double aluminium = kDefaultAluminium;                   // mm, aluminium-equivalent
  double molybdenum = kMolybdenumTargetMolybdenumFilter;  // mm, added filter
  double rhodium = kMolybdenumTargetRhodiumFilter;        // mm, added filter
  double airLayer = kAirLayerCm;                          // cm
  // Beyond B2F.dat's nine lines (none by default): added filters in the order they are
  // crossed, and the compression plate.
  std::vector<AddedLayer> addedFilters;
  std::optional<AddedLayer> plate;
  friend bool operator==(const TubeSetup&, const TubeSetup&) = default;
};

// One number of a TubeSetup: the one place that says its name, unit, text patterns and
// range. The B2F.dat writer and reader, the range check, the boxes of a shown run and
// sweep's options and columns walk kSetupFields.
struct SetupField {
  std::string_view name;         // lower_case name: CSV column, option stem
  std::string_view unit;         // "kV", "deg", "mm" or "cm"
  std::string_view filePattern;  // B2F.dat display pattern
  std::string_view boxPattern;   // the spectrum form's box when it shows a run's settings
  double lowest;                 // the range a value must lie in, both ends included
  double highest;
  double TubeSetup::*member;
  std::string_view option;       // sweep's option, "--kv"; empty for a value sweep never varies
  std::string_view description;  // what the option's help calls the value
  // The largest value the engines' model is made for (the engines hold their own copy of
  // these limits): sweep's option accepts no more.
  double modelHighest;
};

inline constexpr double kUnbounded = std::numeric_limits<double>::infinity();

// The target's line in B2F.dat comes first: "0" for molybdenum, "1" for tungsten.
inline constexpr std::string_view kTargetFieldName = "target";
inline constexpr std::string_view kTargetFilePattern = "0";

// The numbers in the order of B2F.dat, after the target.
inline constexpr std::array<SetupField, 8> kSetupFields{{
    {"tube_voltage", "kV", "00.0", "##.0", kLowestTubeVoltage, kHighestTubeVoltage,
     &TubeSetup::tubeVoltage, "--kv", "tube voltage in kV", kHighestTubeVoltage},
    {"target_angle", "deg", "00.0", "#0.0", -90, 90, &TubeSetup::targetAngle, "--theta",
     "target angle theta in degrees", 90},
    {"tilt_angle", "deg", "00.0", "#0.0", -90, 90, &TubeSetup::tiltAngle, "--phi",
     "tube tilt angle phi in degrees", 90},
    {"beryllium", "mm", "00.00", "#0.00", 0, kUnbounded, &TubeSetup::beryllium, "--be",
     "beryllium thickness in mm", 3},
    {"aluminium", "mm", "00.00", "#0.00", 0, kUnbounded, &TubeSetup::aluminium, "--al",
     "aluminium-equivalent thickness in mm", 10},
    {"molybdenum", "mm", "00.000", "#0.000", 0, kUnbounded, &TubeSetup::molybdenum, "--mo",
     "molybdenum filter thickness in mm", 0.2},
    {"rhodium", "mm", "00.000", "#0.000", 0, kUnbounded, &TubeSetup::rhodium, "--rh",
     "rhodium filter thickness in mm", 0.2},
    {"air_layer", "cm", "00.000", "", 0, kUnbounded, &TubeSetup::airLayer, "", "air layer in cm",
     kFocusToImageCm},
}};

// The field of a member, by its member pointer.
const SetupField& setupField(double TubeSetup::*member);

// "mo" or "w".
std::string_view targetName(Target target);

// The target flag of B2F.dat (and palvane's TargetType): 0 molybdenum, 1 tungsten; read
// back, a flag that rounds to 0 is molybdenum and anything else tungsten.
int targetFlag(Target target);
Target targetOfFlag(double flag);

// The first value of the set-up outside its field's range (or not a number), as
// "tube_voltage 55 kV is outside 20 to 50 kV", then the first added layer that is wrong
// (a plate neither PMMA nor polycarbonate among them); nullopt when every value lies in
// range. Whether Materials.dat holds the materials is for the model to say.
std::optional<std::string> setupProblem(const TubeSetup& setup);

// Whether the set-up has a layer beyond the nine settings, of more than 0 mm.
bool hasAddedLayers(const TubeSetup& setup);

// The set-up's added filters and plate.
AddedLayers addedLayersOf(const TubeSetup& setup);

}  // namespace palvane
