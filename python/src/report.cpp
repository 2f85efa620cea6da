#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include "bindings.h"
#include "palvane/physics/exports.h"
#include "palvane/physics/report_set.h"
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
  return {"Palvane " PALVANE_VERSION,
          savedAt,
          palvane::EngineReferences{field.energyFluenceReference, field.airKermaReference,
                                    field.hvlReference},
          {}};
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

// Writes the text files of a report set into the folder, as the display form composes
// them (without its figures): the three maps, the profiles, the absolute air-kerma map
// when referenceKerma (uGy/mAs on the beam axis) is given, each spectrum (the first one
// the beam axis, all relative to its peak), the summary and README.txt. Every text is
// built before the first file is written. Returns the names of the files.
std::vector<std::string> writeReport(const FieldResult& field,
                                     const std::vector<PointResult>& spectra,
                                     const std::vector<std::optional<double>>& absoluteKerma,
                                     std::optional<double> referenceKerma,
                                     const std::filesystem::path& folder,
                                     const std::string& savedAt) {
  palvane::ReportSetContents contents;
  contents.stamp = stampOf(field, savedAt);
  contents.run = field.setup;
  contents.fluence = formMap(field.energyFluence);
  contents.kerma = formMap(field.airKerma);
  contents.hvl = formMap(field.hvl);
  contents.referenceKerma = referenceKerma;
  contents.withFigures = false;
  const double peak = field.beamAxis ? field.beamAxis->sums.peak : 0.0;
  for (std::size_t n = 0; n < spectra.size(); ++n) {
    palvane::KeptSpectrum spectrum;
    for (int bin = 1; bin <= tube_model::kBins; ++bin)
      spectrum.photons[bin] = spectra[n].spectrum[bin];
    spectrum.normaliser = peak;
    spectrum.settings = spectrumSettings(field, spectra[n], absoluteKerma.at(n));
    contents.spectra.push_back(spectrum);
  }
  std::vector<palvane::SetFile> files;
  try {
    files = palvane::reportSetTexts(contents);
  } catch (const palvane::SetFileError& error) {
    throw palvane::ExportError(error.file + ": " + error.what());
  }
  std::vector<std::string> names;
  for (const palvane::SetFile& file : files) {
    palvane::writeExportFile(folder / file.name, [&] { return file.bytes; });
    names.push_back(file.name);
  }
  return names;
}

}  // namespace

void bindReport(py::module_& module) {
  module.def("write_report", &writeReport, py::arg("field"), py::arg("spectra"),
             py::arg("absolute_kerma"), py::arg("reference_kerma"), py::arg("folder"),
             py::arg("saved_at"));
}

}  // namespace palvane_python
