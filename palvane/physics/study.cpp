#include "palvane/physics/study.h"

#include "text_files/number_text.h"

namespace palvane {

StudyCalibration studyCalibration(const ModelTables& tables,
                                  const std::optional<calibration::TubeProfile>& profile,
                                  const TubeSetup& settings) {
  StudyCalibration calibration{profile, {}, {}};
  calibration.scale = scaleAt(tables, calibration, settings);
  calibration.stateLines = calibrationLines(
      calibration.profile, calibrationStatusAt(calibration, settings), calibration.scale);
  return calibration;
}

std::optional<calibration::OutputMeasurement> outputOf(const StudyCalibration& calibration) {
  if (!calibration.profile) return std::nullopt;
  return calibration.profile->output;
}

AbsoluteScale scaleAt(const ModelTables& tables, const StudyCalibration& calibration,
                      const TubeSetup& setup) {
  return absoluteScale(tables, setup, outputOf(calibration));
}

CalibrationStatus calibrationStatusAt(const StudyCalibration& calibration, const TubeSetup& setup) {
  return calibrationStatus(calibration.profile, setup);
}

std::vector<std::string> runSettingsLines(const Study& study) {
  const TubeSetup& settings = study.settings;
  std::vector<std::string> lines{
      "",
      settings.target == Target::kMolybdenum ? "   Target : Molybdenum" : "   Target : Tungsten",
      "   Tube Voltage : " + ShortestText(settings.tubeVoltage) + " kV",
      "   Target angle : " + ShortestText(settings.targetAngle) + " deg.",
      "   Tilt angle : " + ShortestText(settings.tiltAngle) + " deg.",
      "   Filtration",
      "     Beryllium : " + ShortestText(settings.beryllium) + " mm",
      "     Aluminum : " + ShortestText(settings.aluminium) + " mm",
      "     Molybdenum : " + ShortestText(settings.molybdenum) + " mm",
      "     Rhodium : " + ShortestText(settings.rhodium) + " mm",
  };
  const AddedLayers layers = addedLayersOf(settings);
  if (const std::string filters = filtersCaption(layers); !filters.empty()) {
    lines.push_back("     Added : " + filters);
  }
  if (const std::string plate = plateCaption(layers); !plate.empty()) {
    lines.push_back("   Compression plate : " + plate);
  }
  return lines;
}

}  // namespace palvane
