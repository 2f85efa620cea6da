#include "engine/engine_run.h"

#include <csignal>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>

#include "engine/added_layers.h"
#include "engine/atomic_file.h"
#include "engine/console_messages.h"
#include "engine/field_computation.h"
#include "engine/input_error.h"
#include "engine/input_text.h"
#include "engine/message_number.h"
#include "engine/output_files.h"
#include "engine/parameter_file.h"
#include "engine/table_files.h"

namespace engine {

namespace {

void printLine(std::ostream& out, std::string_view text) { out << text << '\n'; }

// Beam_Axis.dat, then `between`, then Result.dat, each put in place as a whole. Both are
// written before either is put in place, and the previous Beam_Axis.dat is put back when
// Result.dat cannot be, so that a run that fails to write leaves every earlier output as it
// was, not the new Beam_Axis.dat beside the old Result.dat.
void writeRunFiles(const std::filesystem::path& directory, const RunFiles& files,
                   const std::function<void()>& between) {
  std::optional<PreparedFile> beamAxis;
  if (!files.beamAxis.empty()) beamAxis.emplace(directory / "Beam_Axis.dat", files.beamAxis);
  PreparedFile result(directory / "Result.dat", files.result);
  std::optional<KeptFile> previousBeamAxis;
  if (beamAxis) {
    previousBeamAxis.emplace(directory / "Beam_Axis.dat");
    beamAxis->putInPlace();
  }
  between();
  try {
    result.putInPlace();
  } catch (...) {
    if (previousBeamAxis) previousBeamAxis->putBack();
    throw;
  }
}

}  // namespace

void checkTubeVoltage(float tubeVoltage) {
  // Tested on the double product before truncation, so that no voltage, however large,
  // reaches the conversion to int.
  const double binPosition = 5.0 * static_cast<double>(tubeVoltage);
  if (binPosition >= 2.0 && binPosition < kBinCount + 1.0) return;
  throw InputError(describeInputError("B2F.dat", 2, 0,
                                      "tube voltage " + messageNumber(tubeVoltage) +
                                          " kV is outside the energy bins; it must give 2 to 250 "
                                          "bins (0.4 kV up to below 50.2 kV)"));
}

BeamParameters readRunParameters(const std::filesystem::path& directory) {
  BeamParameters parameters = readParameterFile(directory / "B2F.dat");
  if (hasAddedLayers(parameters)) {
    resolveMaterials(parameters, readMaterialTable(directory / kMaterialTableFile));
  }
  return parameters;
}

RunFiles computeRun(const TargetModel& model, const CoefficientTable& table,
                    const BeamParameters& parameters, std::ostream& warnings) {
  checkTubeVoltage(parameters.tubeVoltage);
  const std::unique_ptr<TargetRun> run = model.beginRun(parameters, table);
  RunFiles files;
  const auto keepBeamAxis = [&](const Spectrum& spectrum, const PointQuantities& quantities) {
    files.beamAxis = beamAxisText(parameters, spectrum, quantities);
  };
  files.result = resultText(computeField(*run, parameters, table, keepBeamAxis, warnings));
  return files;
}

RunFiles computeRun(const TargetModel& model, const CoefficientTable& table,
                    std::string_view parameterText, std::ostream& warnings,
                    const MaterialTable& materials) {
  BeamParameters parameters = readParameterText(parameterText, "B2F.dat");
  if (hasAddedLayers(parameters)) resolveMaterials(parameters, materials);
  return computeRun(model, table, parameters, warnings);
}

int runEngine(TargetModel& model, const std::filesystem::path& directory,
              const ConsoleStreams& console) {
  // A console that goes away (a closed pipe) must not end the run: the messages are then
  // lost, and the files are still computed and written.
  std::signal(SIGPIPE, SIG_IGN);
  for (int blank = 0; blank < 3; ++blank) printLine(console.out, kEmptyLine);
  printLine(console.out, kStartedMessage);
  printLine(console.out, kEmptyLine);
  printLine(console.out, kPleaseWaitMessage);
  printLine(console.out, kEmptyLine);
  console.out.flush();

  try {
    const CoefficientTable table = readCoefficientTable(directory / "MUs3.dat");
    model.readTables(directory);
    const BeamParameters parameters = readRunParameters(directory);
    // The field's warnings follow Beam_Axis.dat, as when it is written at the reference point.
    std::ostringstream warnings;
    const RunFiles files = computeRun(model, table, parameters, warnings);
    writeRunFiles(directory, files, [&] { console.err << warnings.str(); });
  } catch (const InputError& error) {
    console.err << error.what() << '\n';
    return kRunBadInput;
  } catch (const std::exception& error) {
    console.err << error.what() << '\n';
    return kRunOutputFailed;
  }

  printLine(console.out, kFinishedMessage);
  printLine(console.out, kEmptyLine);
  printLine(console.out, kPressEnterMessage);
  console.out.flush();
  std::string ignored;
  std::getline(console.in, ignored);
  printLine(console.out, kStopMessage);
  console.out.flush();
  return kRunCompleted;
}

}  // namespace engine
