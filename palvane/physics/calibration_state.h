#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calibration/tube_profile.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/tube_settings.h"

namespace palvane {

// Whether the model's numbers at some settings are calibrated to the tube of a profile.
enum class CalibrationState {
  kUncalibrated,         // no profile: the idealised model
  kCalibrated,           // the profile's fit for the settings' filter holds for them
  kNotForTheseSettings,  // a profile, but not for these settings (see `why`)
};

// Why a profile does not serve the settings, for a front end to word in its own language.
enum class Unserved {
  kServed,
  kOtherTarget,        // the profile is for the other target
  kNoFit,              // no fit (or one without aluminium) for the settings' filters
  kOtherSettings,      // the fit was made for other angles, beryllium or filter thickness
  kOtherAluminium,     // the aluminium is not the fit's as B2F.dat carries it
  kSettingNotANumber,  // a setting cannot be read
};
// A setting of a fit that the settings do not share.
enum class FitSetting { kTargetAngle, kTiltAngle, kBeryllium, kFilterThickness };

struct CalibrationStatus {
  CalibrationState state = CalibrationState::kUncalibrated;
  // The fit of the settings' filter, when the profile has one for the target.
  const calibration::FilterCalibration* fit = nullptr;
  // Why a profile does not serve the settings, in English as saved files state it:
  // "W/Ag is not calibrated (no fit for this filter)", ...
  std::string why;
  Unserved unserved = Unserved::kServed;
  // The numbers the reason names: kNoFit the set-up's name ("W/Ag"); kOtherAluminium the
  // set-up's aluminium and the fitted one as B2F.dat carries it ("0.2", "0.18").
  std::vector<std::string> values;
  // kOtherSettings: each setting that differs, with the fit's value ("10", "0.05 mm").
  std::vector<std::pair<FitSetting, std::string>> differing;
};

// The state of the set-up for the profile: calibrated when the profile is for the target,
// has a fit for the set-up's filters made for the same filter thicknesses, beryllium and
// angles, and the aluminium is the fit's as B2F.dat carries
// it (two decimals).
CalibrationStatus calibrationStatus(const std::optional<calibration::TubeProfile>& profile,
                                    const TubeSetup& setup);

// What a saved file states about the calibration, one line each: "uncalibrated model
// (...)" without a profile; otherwise the profile's name and state, the fit with its date,
// pairs and residuals, and the output with its settings and the scaling used at these
// settings (or why there is none).
std::vector<std::string> calibrationLines(const std::optional<calibration::TubeProfile>& profile,
                                          const CalibrationStatus& status,
                                          const AbsoluteScale& scale);

// The line of a model without a profile.
inline constexpr char kUncalibratedModelLine[] =
    "uncalibrated model (HVL typically below measurement; air kerma in model units)";

}  // namespace palvane
