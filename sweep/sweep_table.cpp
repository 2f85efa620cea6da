#include "sweep/sweep_table.h"

#include <cmath>

#include "sweep/layer_lists.h"
#include "text_files/csv_writer.h"

namespace sweep {

namespace {

std::vector<std::string> headerFields(bool layered, bool fitted, bool heel, bool calibrated) {
  std::vector<std::string> fields{std::string(palvane::kTargetFieldName)};
  for (const SetupField& field : palvane::kSetupFields) {
    fields.push_back(std::string(field.name) + " [" + std::string(field.unit) + "]");
  }
  if (layered) {
    fields.push_back("added_filters [material:mm]");
    fields.push_back("plate [material:mm]");
  }
  for (const char* quantity :
       {"energy_fluence [table units]", "air_kerma [table units]", "hvl [mm Al]"}) {
    fields.push_back(quantity);
  }
  for (const char* quantity : {"relative_air_kerma", "relative_hvl"}) {
    for (double position : kReportedPositionsCm) {
      fields.push_back(std::string(quantity) + "_X" + csv::number(position) + "cm [1]");
    }
  }
  if (fitted) {
    fields.push_back("fitted_aluminium [mm]");
    fields.push_back("fit_largest_relative_difference [1]");
  }
  if (heel) {
    fields.push_back("fitted_target_angle [deg]");
    fields.push_back("heel_largest_relative_difference [1]");
  }
  if (calibrated) {
    fields.push_back("absolute_air_kerma [uGy/mAs]");
    for (double position : kReportedPositionsCm) {
      fields.push_back("absolute_air_kerma_X" + csv::number(position) + "cm [uGy/mAs]");
    }
  }
  fields.push_back("status");
  return fields;
}

// A value rounded to a count of decimals, so that a table shows no more than is known.
double rounded(double value, double decimalsScale) {
  return std::round(value * decimalsScale) / decimalsScale;
}

std::vector<std::string> rowFields(const Settings& settings, bool layered,
                                   const CombinationOutcome& outcome, const AluminiumFit* fit,
                                   const HeelFitRow* heel, bool absoluteColumns,
                                   std::optional<double> referenceKerma, const std::string& note) {
  std::vector<std::string> fields{std::string(targetName(settings.target))};
  // A fitted aluminium is an outcome, not a setting: a failed fit leaves its cell empty
  // rather than showing a thickness nothing was run with (a row no fit was asked for keeps
  // its own).
  const bool aluminiumKnown = fit == nullptr || fit->fit.has_value() || fit->failure.empty();
  // The same for a fitted target angle.
  const bool angleKnown = heel == nullptr || heel->fit.has_value();
  for (const SetupField& field : palvane::kSetupFields) {
    const bool known = (field.member != &Settings::aluminium || aluminiumKnown) &&
                       (field.member != &Settings::targetAngle || angleKnown);
    fields.push_back(known ? csv::number(settings.*field.member) : "");
  }
  if (layered) {
    fields.push_back(layersCell(settings.addedFilters));
    fields.push_back(settings.plate ? layersCell({*settings.plate}) : "");
  }
  const ResultSummary& summary = outcome.summary;
  std::vector<double> values{summary.energyFluence, summary.airKerma, summary.halfValueLayer};
  values.insert(values.end(), summary.relativeAirKerma.begin(), summary.relativeAirKerma.end());
  values.insert(values.end(), summary.relativeHalfValueLayer.begin(),
                summary.relativeHalfValueLayer.end());
  for (double value : values) fields.push_back(outcome.ok ? csv::number(value) : "");
  if (fit != nullptr) {
    const bool known = fit->fit.has_value();
    // A profile's pair may come without the model's HVL: then no difference is known.
    bool modelled = known;
    for (const calibration::PairFit& pair :
         known ? fit->fit->pairs : std::vector<calibration::PairFit>{}) {
      modelled = modelled && pair.modelHvl > 0.0;
    }
    fields.push_back(known ? csv::number(rounded(fit->fit->aluminium, 1e3)) : "");
    fields.push_back(modelled ? csv::number(rounded(fit->fit->largestRelativeDifference(), 1e5))
                              : "");
  }
  if (heel != nullptr) {
    const bool known = heel->fit.has_value();
    fields.push_back(known ? csv::number(heel->fit->targetAngle) : "");
    fields.push_back(known ? csv::number(rounded(heel->fit->largestRelativeDifference(), 1e5))
                           : "");
  }
  if (absoluteColumns) {
    std::vector<double> relative{1.0};
    relative.insert(relative.end(), summary.relativeAirKerma.begin(),
                    summary.relativeAirKerma.end());
    for (double value : relative) {
      const std::optional<double> kerma =
          referenceKerma ? calibration::absoluteKerma(*referenceKerma, value) : std::nullopt;
      fields.push_back(outcome.ok && kerma ? csv::number(rounded(*kerma, 1e4)) : "");
    }
  }
  fields.push_back(!outcome.ok ? outcome.failure : note.empty() ? "ok" : "ok, " + note);
  return fields;
}

}  // namespace

std::string sweepTable(const std::vector<Settings>& combinations,
                       const std::vector<CombinationOutcome>& outcomes,
                       const RowCalibrations& calibrations,
                       const std::vector<std::string>& provenance) {
  bool layered = false;
  for (const Settings& settings : combinations) {
    layered = layered || !settings.addedFilters.empty() || settings.plate.has_value();
  }
  std::string table;
  for (const std::string& line : provenance) table += "# " + line + "\n";
  const std::vector<AluminiumFit>& fits = calibrations.fits;
  table += csv::record(headerFields(layered, !fits.empty(), !calibrations.heels.empty(),
                                    calibrations.absoluteColumns),
                       csv::kLf);
  for (std::size_t i = 0; i < combinations.size() && i < outcomes.size(); ++i) {
    const AluminiumFit* fit = i < fits.size() ? &fits[i] : nullptr;
    const HeelFitRow* heel = i < calibrations.heels.size() ? &calibrations.heels[i] : nullptr;
    std::optional<double> kerma;
    if (i < calibrations.referenceKermas.size()) kerma = calibrations.referenceKermas[i];
    const std::string note = i < calibrations.notes.size() ? calibrations.notes[i] : "";
    table += csv::record(rowFields(combinations[i], layered, outcomes[i], fit, heel,
                                   calibrations.absoluteColumns, kerma, note),
                         csv::kLf);
  }
  return table;
}

}  // namespace sweep
