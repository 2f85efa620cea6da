#include "sweep/row_calibration.h"

#include <cmath>

namespace sweep {

namespace {

constexpr double kStepsPerMillimetre = 100.0;

// Why the profile's fit does not serve the row; empty when it does.
std::string unservedBecause(const calibration::TubeProfile& profile, const Settings& row,
                            const calibration::FilterCalibration*& fit) {
  const calibration::FilterFitFor found = calibration::filterFitFor(profile, row);
  fit = found.fit;
  if (!found.refusal.empty()) return found.refusal;
  const std::string name = calibration::setupName(row.target, found.filters);
  if (fit == nullptr || !fit->aluminium) {
    fit = nullptr;
    return name + " is not calibrated in the profile";
  }
  if (!fit->madeFor(row)) {
    fit = nullptr;
    return "the profile's " + name + " fit was made for other angles, beryllium or filter";
  }
  return {};
}

}  // namespace

OutputSettingsOfRow measuredAtProfileOutput(const calibration::OutputMeasurement& output) {
  return [measured = output.setup](const Settings& row) -> OutputSettings {
    if (row.target != measured.target) {
      return {std::nullopt,
              "no output measured for " + std::string(calibration::targetMetal(row.target))};
    }
    return {measured, ""};
  };
}

RowCalibrations applyProfileAluminium(std::vector<Settings>& combinations,
                                      const calibration::TubeProfile& profile) {
  RowCalibrations rows;
  rows.notes.resize(combinations.size());
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    const calibration::FilterCalibration* fit = nullptr;
    const std::string why = unservedBecause(profile, combinations[i], fit);
    AluminiumFit shown;
    if (fit == nullptr) {
      rows.notes[i] = "uncalibrated: " + why;
    } else {
      shown.fit = calibration::HvlFit{*fit->aluminium, fit->pairs};
      combinations[i].aluminium =
          std::round(*fit->aluminium * kStepsPerMillimetre) / kStepsPerMillimetre;
    }
    rows.fits.push_back(shown);
  }
  return rows;
}

void scaleOutput(RowCalibrations& rows, const std::vector<Settings>& combinations,
                 const std::vector<CombinationOutcome>& outcomes, const SweepJob& job,
                 const calibration::OutputCalibration& output,
                 const OutputSettingsOfRow& measuredAt) {
  rows.absoluteColumns = true;
  rows.notes.resize(combinations.size());
  rows.referenceKermas.assign(combinations.size(), std::nullopt);
  // The settings of the measurement of every row, each computed once.
  std::vector<std::optional<Settings>> measurements;
  SweepJob references = job;
  references.combinations.clear();
  references.progress = nullptr;
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    const OutputSettings at = measuredAt(combinations[i]);
    measurements.push_back(at.settings);
    if (!at.settings) {
      rows.notes[i] += (rows.notes[i].empty() ? "" : "; ") + at.note;
      continue;
    }
    bool known = false;
    for (const Settings& settings : references.combinations) known |= settings == *at.settings;
    if (!known) references.combinations.push_back(*at.settings);
  }
  const std::vector<CombinationOutcome> measured = runSweep(references);
  for (std::size_t i = 0; i < combinations.size(); ++i) {
    if (!measurements[i] || !outcomes[i].ok) continue;
    for (std::size_t n = 0; n < references.combinations.size(); ++n) {
      if (!(references.combinations[n] == *measurements[i])) continue;
      if (!measured[n].ok) {
        rows.notes[i] += (rows.notes[i].empty() ? "" : "; ") +
                         std::string("no air kerma at the output's settings: ") +
                         measured[n].failure;
        break;
      }
      rows.referenceKermas[i] = calibration::scaledReferenceKerma(
          output, outcomes[i].summary.airKerma, measured[n].summary.airKerma);
      break;
    }
  }
}

}  // namespace sweep
