#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calibration/tube_profile.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/calibration_state.h"
#include "palvane/physics/exports.h"
#include "text_files/tube_setup.h"

namespace palvane {

// The calibration in force for a study, as values: the tube profile and what it gives at
// the run's settings.
struct StudyCalibration {
  std::optional<calibration::TubeProfile> profile;  // nullopt: the idealised model
  AbsoluteScale scale;                              // the air kerma's absolute scale for the run
  std::vector<std::string> stateLines;              // what saved files state about it
};

// The engine run the display form shows, handed to it by the spectrum form: its settings
// as B2F.dat gives them back and the calibration in force. Its maps and beam-axis
// spectrum are in the shared state.
struct Study {
  TubeSetup settings;
  StudyCalibration calibration;
};

// The calibration of `profile` at `settings`, its output carried to them by palvane's
// model with `tables`.
StudyCalibration studyCalibration(const ModelTables& tables,
                                  const std::optional<calibration::TubeProfile>& profile,
                                  const TubeSetup& settings);

// The measured output of the calibration; nullopt without one.
std::optional<calibration::OutputMeasurement> outputOf(const StudyCalibration& calibration);

// The absolute scale of the calibration's output at a set-up (the run's, a point
// spectrum's).
AbsoluteScale scaleAt(const ModelTables& tables, const StudyCalibration& calibration,
                      const TubeSetup& setup);

// Whether the calibration's profile serves the set-up.
CalibrationStatus calibrationStatusAt(const StudyCalibration& calibration, const TubeSetup& setup);

// The display form's settings panel, one text per line, the first one empty:
// "   Target : Molybdenum", "   Tube Voltage : 30 kV", ...
std::vector<std::string> runSettingsLines(const Study& study);

}  // namespace palvane
