#include "measured_spectra/comparison_program.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QString>

#include "measured_spectra/comparison.h"
#include "measured_spectra/comparison_page.h"
#include "measured_spectra/spectra_figure.h"
#include "palvane/figures/figure_files.h"

namespace {

constexpr const char* kUsage =
    "usage: measured_comparison --tables DIR --catalogue DIR --section FILE --figure FILE\n";

// The beams of the figure: 28 kV Mo/Mo and Mo/Rh, 30 kV W/Rh.
std::vector<measured::SpectrumPair> figurePanels(const measured::ModelBeams& beams,
                                                 const std::filesystem::path& catalogue,
                                                 std::vector<palvane::BinArray>& spectra) {
  const struct {
    measured::Beam beam;
    const char* title;
  } shown[] = {
      {{measured::Anode::kMolybdenum, 28, 0.03, 0.0, {}}, "Mo anode, 0.03 mm Mo, 28 kV"},
      {{measured::Anode::kMolybdenum, 28, 0.0, 0.025, {}}, "Mo anode, 0.025 mm Rh, 28 kV"},
      {{measured::Anode::kTungsten, 30, 0.0, 0.05, {}}, "W anode, 0.05 mm Rh, 30 kV"},
  };
  spectra.clear();
  spectra.reserve(2 * std::size(shown));
  std::vector<measured::SpectrumPair> panels;
  for (const auto& [beam, title] : shown) {
    spectra.push_back(measured::measuredSpectrum(beams, catalogue, beam));
    spectra.push_back(beams.beamAxis(beam, 0.0).photons);
    panels.push_back({QString::fromUtf8(title), &spectra[spectra.size() - 2], &spectra.back()});
  }
  return panels;
}

}  // namespace

namespace measured {

int runComparisonProgram(int argc, char* argv[]) {
  std::map<std::string, std::string> options;
  for (int i = 1; i + 1 < argc; i += 2) options[argv[i]] = argv[i + 1];
  for (const char* name : {"--tables", "--catalogue", "--section", "--figure"}) {
    if (argc != 9 || !options.contains(name)) {
      std::cerr << kUsage;
      return 2;
    }
  }
  // Fonts for the figure without a display.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);

  try {
    const measured::ModelBeams beams(options["--tables"]);
    const std::filesystem::path catalogue = options["--catalogue"];
    std::vector<measured::ComparedSeries> compared;
    for (const measured::Series& series : measured::comparedSeries()) {
      compared.push_back(measured::compareSeries(beams, catalogue, series));
    }
    const std::filesystem::path figure = options["--figure"];
    std::ofstream section(options["--section"], std::ios::binary);
    section << measured::measuredSpectraSection(compared, figure.filename().string());
    section.close();
    if (!section) throw std::runtime_error(options["--section"] + ": cannot be written");

    std::vector<palvane::BinArray> spectra;
    const auto panels = figurePanels(beams, catalogue, spectra);
    palvane::replaceFileBytes(QString::fromStdString(figure.string()),
                              measured::spectraFigurePng(panels, 40.0));
  } catch (const std::exception& error) {
    std::cerr << "measured_comparison: " << error.what() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace measured
