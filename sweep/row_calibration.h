#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calibration/tube_profile.h"
#include "sweep/aluminium_fit.h"
#include "sweep/command_line.h"
#include "sweep/heel_fit.h"
#include "sweep/sweep_run.h"

namespace sweep {

// What a calibration adds to the rows: per row the fit shown in the fit columns, the
// reference kerma in uGy/mAs that puts its air kerma on an absolute scale, and a note for
// its status when the calibration cannot serve it.
struct RowCalibrations {
  std::vector<AluminiumFit> fits;  // empty: no fit columns
  std::vector<HeelFitRow> heels;   // empty: no heel columns
  bool absoluteColumns = false;
  std::vector<std::optional<double>> referenceKermas;
  std::vector<std::string> notes;
};

// Why a profile of format 1 serves no row: it does not say what its fit was made for.
inline constexpr std::string_view kFormatOneUnserved =
    "a profile of format 1 does not state the filter and settings its fit was made for; load "
    "it into palvane with those settings and save it again";

// Sets each row's aluminium to the profile's fit for its target and added filter, rounded
// to 0.01 mm as B2F.dat carries it, where the fit was made for the row's beryllium, angles
// and filter thickness; other rows keep their aluminium, an empty fit (their aluminium cell
// stays), and a note saying why they are not calibrated.
RowCalibrations applyProfileAluminium(std::vector<Settings>& combinations,
                                      const calibration::TubeProfile& profile);

// The settings an output was measured at, for a row; nullopt with a note when there is no
// output for the row (another target).
struct OutputSettings {
  std::optional<Settings> settings;
  std::string note;
};
using OutputSettingsOfRow = std::function<OutputSettings(const Settings& row)>;

// Fills the reference kerma of every computed row: K_meas (d / 65)^2 times the row's
// reference air kerma over the engine's reference air kerma at the settings of the
// measurement, each of those computed once by the job's engines.
void scaleOutput(RowCalibrations& rows, const std::vector<Settings>& combinations,
                 const std::vector<CombinationOutcome>& outcomes, const SweepJob& job,
                 const calibration::OutputCalibration& output,
                 const OutputSettingsOfRow& measuredAt);

// A profile's output serves the rows of its target at the settings it was measured at; a
// row of the other target gets "no output measured for tungsten" (or molybdenum).
OutputSettingsOfRow measuredAtProfileOutput(const calibration::OutputMeasurement& output);

}  // namespace sweep
