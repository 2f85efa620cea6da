#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include "bindings.h"
#include "palvane/physics/exports.h"
#include "tube_model/point.h"

namespace palvane_python {

namespace {

using tube_model::FieldResult;
using tube_model::PointResult;

palvane::FieldMap formMap(const tube_model::FieldMap& map) {
  palvane::FieldMap values{};
  for (int column = 0; column < tube_model::kColumns; ++column) {
    for (int row = 0; row < tube_model::kRows; ++row) {
      values[column + 1][row + 1] = tube_model::mapValue(map, column, row);
    }
  }
  return values;
}

palvane::ExportStamp stampOf(const FieldResult& field, const std::string& savedAt) {
  return {"Palvane " PALVANE_VERSION, savedAt,
          palvane::EngineReferences{field.energyFluenceReference, field.airKermaReference,
                                    field.hvlReference}};
}

palvane::SpectrumExportSettings spectrumSettings(const FieldResult& field, const PointResult& point,
                                                 std::optional<double> absoluteKerma) {
  palvane::SpectrumExportSettings settings;
  settings.setup = field.setup;
  settings.pointX = point.x / 10;
  settings.pointY = point.y / 10;
  settings.quality =
      palvane::BeamQuality{point.quality.meanEnergy, point.quality.firstHvl,
                           point.quality.secondHvl, point.quality.homogeneity, point.sums.airKerma};
  settings.axisAirKerma = point.sums.airKerma / point.quality.relativeAirKerma;
  settings.absoluteAirKerma = absoluteKerma;
  return settings;
}

// Writes the CSV files of a report set into the folder: the three maps, the profiles,
// each spectrum (the first one the beam axis) and the summary. The spectra are relative
// to the beam-axis peak. Every text is built before the first file is written. Returns the
// names of the files.
std::vector<std::string> writeReport(const FieldResult& field,
                                     const std::vector<PointResult>& spectra,
                                     const std::vector<std::optional<double>>& absoluteKerma,
                                     const std::filesystem::path& folder,
                                     const std::string& savedAt) {
  const palvane::ExportStamp stamp = stampOf(field, savedAt);
  const palvane::TubeSetup& run = field.setup;
  const palvane::FieldMap fluence = formMap(field.energyFluence);
  const palvane::FieldMap kerma = formMap(field.airKerma);
  const palvane::FieldMap hvl = formMap(field.hvl);
  std::vector<std::pair<std::string, std::string>> files;
  const std::pair<palvane::MapQuantity, const palvane::FieldMap*> maps[] = {
      {palvane::MapQuantity::kEnergyFluence, &fluence},
      {palvane::MapQuantity::kAirKerma, &kerma},
      {palvane::MapQuantity::kHvl, &hvl}};
  for (const auto& [quantity, map] : maps) {
    files.emplace_back(std::string("map_") + palvane::mapQuantityFileTag(quantity) + ".csv",
                       palvane::mapCsv(*map, quantity, stamp, run));
  }
  files.emplace_back("profiles.csv", palvane::profilesCsv(fluence, kerma, hvl, stamp, run));
  std::vector<palvane::SummaryRow> rows;
  const double peak = field.beamAxis ? field.beamAxis->sums.peak : 0.0;
  for (std::size_t n = 0; n < spectra.size(); ++n) {
    const std::string file =
        n == 0 ? "spectrum_axis.csv" : "spectrum_point_" + std::to_string(n) + ".csv";
    const palvane::SpectrumExportSettings settings =
        spectrumSettings(field, spectra[n], absoluteKerma[n]);
    palvane::BinArray photons{};
    for (int bin = 1; bin <= tube_model::kBins; ++bin) photons[bin] = spectra[n].spectrum[bin];
    files.emplace_back(file, palvane::spectrumCsv(photons, peak, settings, stamp));
    rows.push_back({file, settings});
  }
  files.emplace_back("summary.csv", palvane::summaryCsv(rows, stamp, run));
  std::vector<std::string> names;
  for (const auto& [file, text] : files) {
    palvane::writeExportFile(folder / file, [&] { return text; });
    names.push_back(file);
  }
  return names;
}

}  // namespace

void bindReport(py::module_& module) {
  module.def("write_report", &writeReport, py::arg("field"), py::arg("spectra"),
             py::arg("absolute_kerma"), py::arg("folder"), py::arg("saved_at"));
}

}  // namespace palvane_python
