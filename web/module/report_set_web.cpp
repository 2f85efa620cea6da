// The desktop's report set for the page: the display form's text files of a study, composed
// by palvane's own code (its double-precision model for the spectra, its calibration and
// its CSV writers), so that the page's set is the desktop's, byte for byte; and the
// absolute air kerma the display form reads out, which that set saves.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

#include "calibration/output_calibration.h"
#include "calibration/profile_file.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/study_report_set.h"
#include "palvane/state/table_loading.h"
#include "text_files/number_text.h"
#include "text_files/parameter_file.h"
#include "text_files/result_file.h"
#include "web/module/embedded_tables.h"
#include "web/module/module_setup.h"

namespace {

using emscripten::val;

// palvane's tables, read from the texts built into the module.
const palvane::ModelTables& palvaneTables() {
  static const palvane::ModelTables tables = palvane::modelTablesOfTexts(
      {std::string(web::kCoefficientTable), std::string(web::kStoppingPowerTable),
       std::string(web::kMaterialTable)});
  return tables;
}

// The report set of the page's study: the set-up of its form, the run's Result.dat text,
// the points [{x, y}] in mm as the page lists them, the text of the tube profile in force
// ("" for none) and the time of the save ({savedAt: "2026-12-08 14:32", folderStamp:
// "2026-12-08_1432"}). {folder, files: [{name, text}]}.
val reportSet(const val& setupObject, const std::string& resultText, const val& points,
              const std::string& profileText, const val& when) {
  return web::guarded([&] {
    palvane::StudyValues study;
    study.program = "Palvane " PALVANE_VERSION;
    study.savedAt = when["savedAt"].as<std::string>();
    study.folderStamp = when["folderStamp"].as<std::string>();
    study.settings = web::setupOf(setupObject);
    study.resultText = resultText;
    const auto count = points["length"].as<unsigned>();
    for (unsigned n = 0; n < count; ++n) {
      study.points.push_back({points[n]["x"].as<double>(), points[n]["y"].as<double>()});
    }
    if (!profileText.empty()) study.profile = calibration::readProfileText(profileText, "profile");
    const palvane::StudyReportSet set = palvane::studyReportSet(palvaneTables(), study);
    val out = val::object();
    out.set("folder", set.folder);
    val files = val::array();
    for (const palvane::SetFile& file : set.files) {
      val entry = val::object();
      entry.set("name", file.name);
      entry.set("text", file.bytes);
      files.call<void>("push", entry);
    }
    out.set("files", files);
    return out;
  });
}

// The absolute air kerma of the page's study as the display form reads it out over the map
// ("##0.00" uGy/mAs): the measured output of the profile in force carried to the run's
// settings (as B2F.dat gives them back) by palvane's model, times each cell's relative air
// kerma in the run's Result.dat text. {reference: "68.21", cells: ["68.21", ...] (row by
// row from Y = 0, 76 a row; "" where there is none)}, {reason} when the output cannot serve
// the settings, {} without an output.
val absoluteKerma(const val& setupObject, const std::string& resultText,
                  const std::string& profileText) {
  return web::guarded([&] {
    val out = val::object();
    if (profileText.empty()) return out;
    const calibration::TubeProfile profile = calibration::readProfileText(profileText, "profile");
    if (!profile.output) return out;
    const palvane::TubeSetup settings = palvane::readParameterText(
        palvane::parameterFileText(web::setupOf(setupObject)), palvane::kParameterFile);
    const palvane::AbsoluteScale scale =
        palvane::absoluteScale(palvaneTables(), settings, profile.output);
    if (!scale.referenceKerma) {
      out.set("reason", scale.reason);
      return out;
    }
    const auto text = [](std::optional<double> kerma) {
      return kerma ? palvane::PatternFormat(*kerma, palvane::kAbsoluteKermaPattern) : std::string();
    };
    out.set("reference", text(scale.referenceKerma));
    const palvane::ResultMaps maps = palvane::readResultMaps("Result.dat", resultText);
    val cells = val::array();
    for (int j = 1; j <= palvane::kLastMapRow; ++j) {
      for (int i = 1; i <= palvane::kLastMapColumn; ++i) {
        cells.call<void>(
            "push", text(calibration::absoluteKerma(*scale.referenceKerma, maps.kermaMap[i][j])));
      }
    }
    out.set("cells", cells);
    return out;
  });
}

}  // namespace

EMSCRIPTEN_BINDINGS(palvane_report_set) {
  emscripten::function("reportSet", &reportSet);
  emscripten::function("absoluteKerma", &absoluteKerma);
}
