#include "palvane/physics/calibration_state.h"

#include <cmath>
#include <cstdio>

#include "palvane/physics/tube_calibration.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

bool same(double a, double b) { return std::fabs(a - b) <= 1e-6; }

std::string number(double value) { return ShortestText(value); }

std::string fixed(double value, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string signedPercent(double relative) {
  char text[32];
  std::snprintf(text, sizeof text, "%+.1f %%", 100.0 * relative);
  return text;
}

// "Ag 0.05 mm, PMMA 2.4 mm": the added filters and the plate.
std::string layersCaption(const AddedLayers& layers) {
  const std::string filters = filtersCaption(layers);
  const std::string plate = plateCaption(layers);
  return filters + (filters.empty() || plate.empty() ? "" : ", ") + plate;
}

std::string setupText(const TubeSetup& setup) {
  return "θ " + number(setup.targetAngle) + "°, φ " + number(setup.tiltAngle) + "°, Be " +
         number(setup.beryllium) + " mm, Al " + number(setup.aluminium) + " mm, Mo " +
         number(setup.molybdenum) + " mm, Rh " + number(setup.rhodium) + " mm" +
         (hasAddedLayers(setup) ? ", " + layersCaption(addedLayersOf(setup)) : "");
}

// What of the set-up differs from the one the fit was made for, with the fit's values.
std::vector<std::pair<FitSetting, std::string>> differences(
    const calibration::FilterCalibration& fit, const TubeSetup& setup) {
  std::vector<std::pair<FitSetting, std::string>> found;
  if (!same(setup.targetAngle, fit.targetAngle)) {
    found.emplace_back(FitSetting::kTargetAngle, number(fit.targetAngle));
  }
  if (!same(setup.tiltAngle, fit.tiltAngle)) {
    found.emplace_back(FitSetting::kTiltAngle, number(fit.tiltAngle));
  }
  if (!same(setup.beryllium, fit.beryllium)) {
    found.emplace_back(FitSetting::kBeryllium, number(fit.beryllium));
  }
  if (found.empty()) {
    std::string thicknesses;
    for (const AddedLayer& filter : fit.filters) {
      thicknesses += (thicknesses.empty() ? "" : ", ") + number(filter.thickness) + " mm";
    }
    found.emplace_back(FitSetting::kFilterThickness, thicknesses);
  }
  return found;
}

// "θ (10°), beryllium (1 mm) differ from the profile's".
std::string differencesText(const std::vector<std::pair<FitSetting, std::string>>& differing) {
  std::string text;
  for (const auto& [setting, value] : differing) {
    if (!text.empty()) text += ", ";
    switch (setting) {
      case FitSetting::kTargetAngle:
        text += "θ (" + value + "°)";
        break;
      case FitSetting::kTiltAngle:
        text += "φ (" + value + "°)";
        break;
      case FitSetting::kBeryllium:
        text += "beryllium (" + value + " mm)";
        break;
      case FitSetting::kFilterThickness:
        text += "the filter thickness (" + value + ")";
        break;
    }
  }
  return text + (differing.size() == 1 ? " differs" : " differ") + " from the profile's";
}

}  // namespace

CalibrationStatus calibrationStatus(const std::optional<calibration::TubeProfile>& profile,
                                    const TubeSetup& setup) {
  CalibrationStatus status;
  if (!profile) return status;
  status.state = CalibrationState::kNotForTheseSettings;
  const calibration::FilterFitFor found = calibration::filterFitFor(*profile, setup);
  status.fit = found.fit;
  if (!found.refusal.empty()) {
    status.why = found.refusal;
    status.unserved = Unserved::kOtherTarget;
    return status;
  }
  const std::string setupName = calibration::setupName(setup.target, found.filters);
  if (status.fit == nullptr || !status.fit->aluminium) {
    status.why = setupName + " is not calibrated (no fit for this filter)";
    status.unserved = Unserved::kNoFit;
    status.values = {setupName};
    return status;
  }
  if (!status.fit->madeFor(setup)) {
    status.differing = differences(*status.fit, setup);
    status.why = differencesText(status.differing);
    status.unserved = Unserved::kOtherSettings;
    return status;
  }
  const double written = std::round(*status.fit->aluminium * 100.0) / 100.0;
  if (!same(setup.aluminium, written)) {
    status.values = {number(setup.aluminium), fixed(written, 2)};
    status.why =
        "aluminium " + status.values[0] + " mm is not the fitted " + status.values[1] + " mm";
    status.unserved = Unserved::kOtherAluminium;
    return status;
  }
  status.state = CalibrationState::kCalibrated;
  return status;
}

std::vector<std::string> calibrationLines(const std::optional<calibration::TubeProfile>& profile,
                                          const CalibrationStatus& status,
                                          const AbsoluteScale& scale) {
  if (!profile) return {kUncalibratedModelLine};
  const std::string name = profile->name.empty() ? "(unnamed)" : "\"" + profile->name + "\"";
  std::vector<std::string> lines = {"profile " + name + " of a " +
                                    std::string(calibration::targetMetal(profile->target)) +
                                    " tube; " +
                                    (status.state == CalibrationState::kCalibrated
                                         ? "calibrated for these settings"
                                         : "not calibrated for these settings: " + status.why)};
  if (const calibration::FilterCalibration* fit = status.fit; fit && fit->aluminium) {
    lines.push_back(
        "aluminium fitted for " + calibration::setupName(profile->target, fit->filters) +
        (fit->date.empty() ? "" : " on " + fit->date) + ": " + fixed(*fit->aluminium, 3) + " mm (" +
        fixed(std::round(*fit->aluminium * 100.0) / 100.0, 2) + " mm in B2F.dat), θ " +
        number(fit->targetAngle) + "°, φ " + number(fit->tiltAngle) + "°, Be " +
        number(fit->beryllium) + " mm");
    for (const calibration::PairFit& pair : fit->pairs) {
      std::string text = "measured HVL " + number(pair.measured.hvl) + " mm at " +
                         number(pair.measured.tubeVoltage) + " kV";
      if (pair.modelHvl > 0.0) {
        text += ", model " + fixed(pair.modelHvl, 3) + " mm (" +
                signedPercent(pair.relativeDifference()) + ")";
      }
      lines.push_back(text);
    }
  }
  if (const auto& output = profile->output) {
    lines.push_back("output " + number(output->output.kermaPerLoad) + " µGy/mAs at " +
                    number(output->output.distance) + " cm" +
                    (output->date.empty() ? "" : " on " + output->date) + ", measured at " +
                    number(output->setup.tubeVoltage) + " kV, " + setupText(output->setup));
    if (scale.referenceKerma) {
      lines.push_back("absolute air kerma: K_ref = " + number(output->output.kermaPerLoad) +
                      " µGy/mAs × (" + number(output->output.distance) +
                      " / 65)² × K_model(s) / K_model(s_meas) = " +
                      fixed(calibration::referenceKerma(output->output), 2) + " × " +
                      fixed(scale.modelRatio, 4) + " = " + fixed(*scale.referenceKerma, 2) +
                      " µGy/mAs at the reference point");
    } else {
      lines.push_back("absolute air kerma: none, " + scale.reason);
    }
  }
  return lines;
}

}  // namespace palvane
