#include "sweep/sweep_table.h"

#include "text_files/csv_writer.h"

namespace sweep {

namespace {

std::vector<std::string> headerFields() {
  std::vector<std::string> fields{"target",
                                  "tube_voltage [kV]",
                                  "target_angle [deg]",
                                  "tilt_angle [deg]",
                                  "beryllium [mm]",
                                  "aluminium [mm]",
                                  "molybdenum [mm]",
                                  "rhodium [mm]",
                                  "air_layer [cm]",
                                  "energy_fluence [table units]",
                                  "air_kerma [table units]",
                                  "hvl [mm Al]"};
  for (const char* quantity : {"relative_air_kerma", "relative_hvl"}) {
    for (double position : kReportedPositionsCm) {
      fields.push_back(std::string(quantity) + "_X" + csv::number(position) + "cm [1]");
    }
  }
  fields.push_back("status");
  return fields;
}

std::vector<std::string> rowFields(const Settings& settings, const CombinationOutcome& outcome) {
  std::vector<std::string> fields{std::string(targetName(settings.target))};
  for (double setting :
       {settings.tubeVoltage, settings.targetAngle, settings.tiltAngle, settings.beryllium,
        settings.aluminium, settings.molybdenum, settings.rhodium, kAirLayerCm}) {
    fields.push_back(csv::number(setting));
  }
  const ResultSummary& summary = outcome.summary;
  std::vector<double> values{summary.energyFluence, summary.airKerma, summary.halfValueLayer};
  values.insert(values.end(), summary.relativeAirKerma.begin(), summary.relativeAirKerma.end());
  values.insert(values.end(), summary.relativeHalfValueLayer.begin(),
                summary.relativeHalfValueLayer.end());
  for (double value : values) fields.push_back(outcome.ok ? csv::number(value) : "");
  fields.push_back(outcome.ok ? "ok" : outcome.failure);
  return fields;
}

}  // namespace

std::string sweepTable(const std::vector<Settings>& combinations,
                       const std::vector<CombinationOutcome>& outcomes) {
  std::string table = csv::record(headerFields(), csv::kLf);
  for (std::size_t i = 0; i < combinations.size() && i < outcomes.size(); ++i) {
    table += csv::record(rowFields(combinations[i], outcomes[i]), csv::kLf);
  }
  return table;
}

}  // namespace sweep
