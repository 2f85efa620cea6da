#include "palvane/physics/report_set.h"

#include <array>
#include <cmath>
#include <functional>
#include <string_view>

#include "palvane/physics/csv_text.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

std::string settingText(double value, const char* what) {
  if (!std::isfinite(value)) throw ExportError(std::string(what) + " is not a finite number");
  return ShortestText(value);
}

// The names of a set's `count` spectrum files: spectrum_axis.csv, spectrum_point_1.csv, ...
std::vector<std::string> spectrumFileNames(std::size_t count) {
  std::vector<std::string> names;
  for (std::size_t n = 0; n < count; ++n) {
    names.push_back(n == 0 ? std::string("spectrum_axis.csv")
                           : "spectrum_point_" + std::to_string(n) + ".csv");
  }
  return names;
}

}  // namespace

std::string setFolderName(const std::string& stamp, const TubeSetup& settings) {
  return stamp + (settings.target == Target::kMolybdenum ? "_Mo_" : "_W_") +
         settingText(settings.tubeVoltage, "The tube voltage") + "kV_th" +
         settingText(settings.targetAngle, "The target angle") + "_ph" +
         settingText(settings.tiltAngle, "The tilt angle");
}

std::string setReadme(const ExportStamp& stamp, const std::vector<std::string>& spectrumFiles,
                      bool withAbsoluteKerma, bool withFigures) {
  const std::string end(kCsvLineEnd);
  std::string text = stamp.program + ", saved " + stamp.savedAt + end + end;
  const std::string_view figures[] = {
      "Figures, each as PNG (for documents) and SVG (for scaling and editing):",
      "  map_energy_fluence, map_air_kerma, map_hvl: the three maps over the image plane",
      "    65 cm below the focal spot, mirrored about the anode-cathode axis, with the",
      "    settings and the reference values in the caption.",
      "  profiles: the three quantities along the X axis (Y = 0), in percent.",
      "  spectra: every spectrum of the set in percent of the beam-axis peak.",
      "",
  };
  if (withFigures) {
    for (const std::string_view entry : figures) text += std::string(entry) + end;
  }
  const std::string_view entries[] = {
      "Data (CSV, comma separated, full stop as decimal point; the lines starting with #",
      "state the program, the date, the settings and the reference values):",
      "  map_energy_fluence.csv, map_air_kerma.csv, map_hvl.csv: one line per grid point,",
      "    X and Y in mm, the value in percent of the beam axis; map_hvl.csv also gives",
      "    the HVL in mm of aluminium.",
      "  profiles.csv: the three quantities along the X axis.",
      "  summary.csv: the beam quality of every spectrum, one line each.",
  };
  for (const std::string_view entry : entries) text += std::string(entry) + end;
  for (const std::string& file : spectrumFiles) {
    text += "  " + file + ": a spectrum, photon energy in keV and photon fluence in percent" + end +
            "    of the beam-axis peak; its header gives the point and the beam quality." + end;
  }
  if (withAbsoluteKerma && withFigures) {
    text += "  map_absolute_air_kerma (figure) and map_absolute_air_kerma.csv: the air kerma" +
            end + "    per tube load in uGy/mAs, the measured output carried to these settings." +
            end;
  } else if (withAbsoluteKerma) {
    text += "  map_absolute_air_kerma.csv: the air kerma per tube load in uGy/mAs, the" + end +
            "    measured output carried to these settings." + end;
  }
  if (!stamp.calibration.empty()) {
    text += end + "Calibration (also in every file's header and caption):" + end;
    for (const std::string& line : stamp.calibration) text += "  " + line + end;
  }
  return text;
}

std::vector<SetFile> reportSetTexts(const ReportSetContents& contents) {
  const ExportStamp& stamp = contents.stamp;
  const TubeSetup& run = contents.run;
  std::vector<SetFile> files;
  const auto add = [&](std::string name, const std::function<std::string()>& build) {
    try {
      files.push_back({name, build()});
    } catch (const ExportError& error) {
      throw SetFileError(std::move(name), error.what());
    }
  };

  const std::array<std::pair<MapQuantity, const FieldMap*>, 3> maps = {{
      {MapQuantity::kEnergyFluence, &contents.fluence},
      {MapQuantity::kAirKerma, &contents.kerma},
      {MapQuantity::kHvl, &contents.hvl},
  }};
  // Not a structured binding: a lambda may not capture one in the C++20 of every compiler
  // that builds this.
  for (const auto& map : maps) {
    add(std::string("map_") + mapQuantityFileTag(map.first) + ".csv",
        [&] { return mapCsv(*map.second, map.first, stamp, run); });
  }
  add("profiles.csv",
      [&] { return profilesCsv(contents.fluence, contents.kerma, contents.hvl, stamp, run); });
  if (contents.referenceKerma) {
    add("map_absolute_air_kerma.csv",
        [&] { return absoluteKermaMapCsv(contents.kerma, *contents.referenceKerma, stamp, run); });
  }

  const std::vector<std::string> spectrumFiles = spectrumFileNames(contents.spectra.size());
  std::vector<SummaryRow> rows;
  for (std::size_t n = 0; n < contents.spectra.size(); ++n) {
    const KeptSpectrum& spectrum = contents.spectra[n];
    add(spectrumFiles[n], [&] {
      return spectrumCsv(spectrum.photons, spectrum.normaliser, spectrum.settings, stamp);
    });
    rows.push_back({spectrumFiles[n], spectrum.settings});
  }
  add("summary.csv", [&] { return summaryCsv(rows, stamp, run); });
  add("README.txt", [&] {
    return setReadme(stamp, spectrumFiles, contents.referenceKerma.has_value(),
                     contents.withFigures);
  });
  return files;
}

}  // namespace palvane
