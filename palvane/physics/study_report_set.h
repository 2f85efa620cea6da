#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calibration/tube_profile.h"
#include "palvane/physics/kept_spectrum.h"
#include "palvane/physics/point_model.h"
#include "palvane/physics/report_set.h"
#include "palvane/physics/study.h"
#include "text_files/result_file.h"

namespace palvane {

// The report set of a study from values alone, for front ends without the display form:
// the spectra are computed by palvane's model as the forms compute them, and the set is
// filled as the display form's save fills it.

// The beam-axis spectrum and the points' spectra as the forms keep them.
struct StudySpectra {
  KeptSpectrum axis;
  std::vector<KeptSpectrum> points;
};

// The spectra of the spectrum form's `settings` (its air layer is the model routine's own):
// the beam axis as the display form reads it back from B_SPCTL.dat, so normalised to the
// peak that file states, and the points (cm) relative to that peak, each with the
// beam-axis air kerma of the same settings as its reference. Throws ExportError for a
// beam axis or a point the model cannot compute.
StudySpectra studySpectra(const ModelTables& tables, const TubeSetup& settings,
                          const std::vector<ImagePoint>& points);

// What the display form's save writes: the study's maps and spectra, each spectrum with
// its absolute air kerma where the study's calibration has an output for its target.
// `stamp` keeps its program, date, references and calibration lines.
ReportSetContents reportSetContents(const ModelTables& tables, const ExportStamp& stamp,
                                    const Study& study, const ResultMaps& maps,
                                    const StudySpectra& spectra);

// A point as typed into the display form's boxes, in mm.
struct TypedPoint {
  double x = 0.0;
  double y = 0.0;
};

// A study given as values: the save's program and time, the spectrum form's settings, the
// run's Result.dat text, the points in the order they were picked and the tube profile in
// force.
struct StudyValues {
  std::string program;      // "Palvane 1.0"
  std::string savedAt;      // "2026-12-08 14:32"
  std::string folderStamp;  // "2026-12-08_1432"
  TubeSetup settings;
  std::string resultText;
  std::vector<TypedPoint> points;
  std::optional<calibration::TubeProfile> profile;
};

// A report set: its folder's name (setFolderName) and its text files (reportSetTexts).
struct StudyReportSet {
  std::string folder;
  std::vector<SetFile> files;
};

// The report set of the study. The run's settings are the spectrum form's as B2F.dat gives
// them back to the display form; the points reach the model as typed points do. Throws
// FileError for a Result.dat text that cannot be read, ExportError as studySpectra,
// setFolderName and reportSetTexts do.
StudyReportSet studyReportSet(const ModelTables& tables, const StudyValues& values);

}  // namespace palvane
