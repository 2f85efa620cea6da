#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

#include "engine/added_layers.h"
#include "engine/coefficient_table.h"
#include "engine/target_model.h"

namespace engine {

// Exit statuses of an engine run.
inline constexpr int kRunCompleted = 0;
inline constexpr int kRunOutputFailed = 1;  // an output file could not be written
inline constexpr int kRunBadInput = 2;      // nothing was written

struct ConsoleStreams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Throws InputError ("B2F.dat, line 2: ...") unless the tube voltage gives
// 2 <= N = trunc(5 V) <= 250 bins.
void checkTubeVoltage(float tubeVoltage);

// The texts of the files one run writes.
struct RunFiles {
  std::string beamAxis;  // Beam_Axis.dat; empty when the reference point is not computed
  std::string result;    // Result.dat
};

// B2F.dat of the directory and, when it names added layers, their coefficients from
// Materials.dat (read only then). Throws InputError naming the file and line.
BeamParameters readRunParameters(const std::filesystem::path& directory);

// The computation of one run without files: the settings of B2F.dat in (added layers
// resolved), the texts of Beam_Axis.dat and Result.dat out, the field's warnings on
// `warnings`. `model` has read its tables and `table` is MUs3.dat. Throws InputError with
// the message the engine prints for settings it refuses. Neither the model nor the table is
// changed, so that several threads may compute at once with the same ones, each with its
// own warnings stream.
RunFiles computeRun(const TargetModel& model, const CoefficientTable& table,
                    const BeamParameters& parameters, std::ostream& warnings);

// The same from the text of a B2F.dat, whose added layers take their coefficients from
// `materials` (InputError naming the line of a layer when there is none or it lacks it).
RunFiles computeRun(const TargetModel& model, const CoefficientTable& table,
                    std::string_view parameterText, std::ostream& warnings,
                    const MaterialTable& materials = {});

// One whole engine run in `directory`: greeting, reading MUs3.dat, the target's tables,
// B2F.dat and, for added layers, Materials.dat, the field computation with Beam_Axis.dat written at
// the reference point, Result.dat, the closing messages and the wait for one input line (end of
// input counts as Enter). The computation is computeRun's. Bad input is reported on the error
// stream before anything is written. Returns the exit status.
int runEngine(TargetModel& model, const std::filesystem::path& directory,
              const ConsoleStreams& console);

}  // namespace engine
