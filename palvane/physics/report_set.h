#pragma once

#include <optional>
#include <string>
#include <vector>

#include "palvane/physics/exports.h"
#include "palvane/physics/kept_spectrum.h"

namespace palvane {

// One saved set: a folder of its own holding the figures and data files of a study.

// The folder name of a set saved at `stamp` (date and time, "2026-12-08_1432") with the
// settings of the run: 2026-12-08_1432_Mo_30kV_th10_ph4. Throws ExportError for a
// setting that is not finite.
std::string setFolderName(const std::string& stamp, const TubeSetup& settings);

// README.txt of a set: what each file is, and the calibration state of the stamp. The
// spectrum files are named in the order given; the absolute air-kerma map is named when the
// set has it, the figures when it holds them. CR LF line ends.
std::string setReadme(const ExportStamp& stamp, const std::vector<std::string>& spectrumFiles,
                      bool withAbsoluteKerma = false, bool withFigures = true);

// What a set is made from: the results of a study and the calibration in force, as values,
// so that any front end can compose the very files the display form saves.
struct ReportSetContents {
  // Program, date, the run's reference values (the beam-axis HVL among them) and the
  // calibration lines.
  ExportStamp stamp;
  TubeSetup run;       // the settings of the engine run
  FieldMap fluence{};  // the run's three relative maps
  FieldMap kerma{};
  FieldMap hvl{};
  // The run's air kerma on the beam axis in uGy/mAs where an output for its target is
  // known: the set then holds the air-kerma map on that absolute scale.
  std::optional<double> referenceKerma;
  // The beam-axis spectrum, then the points in the order of the clicks, each with its
  // absolute air kerma where one is known.
  std::vector<KeptSpectrum> spectra;
  // Whether the set holds the figures beside these texts (the display form's does; a front
  // end that writes the texts alone says so, and README.txt names no figure).
  bool withFigures = true;
};

// One file of a set: its name in the set folder and its bytes.
struct SetFile {
  std::string name;
  std::string bytes;
};

// A file of a set whose data cannot be written (as ExportError); `file` names it.
class SetFileError : public ExportError {
 public:
  SetFileError(std::string file, const std::string& reason)
      : ExportError(reason), file(std::move(file)) {}
  std::string file;
};

// The text files of a set, in this order: map_energy_fluence.csv, map_air_kerma.csv,
// map_hvl.csv, profiles.csv, map_absolute_air_kerma.csv (with a reference kerma), the
// spectrum files, summary.csv, README.txt. Throws SetFileError for data a file cannot hold.
std::vector<SetFile> reportSetTexts(const ReportSetContents& contents);

}  // namespace palvane
