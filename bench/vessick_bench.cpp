// Whole computation of one tungsten run: 0.8 mm Be, 0.05 mm Rh, theta 22, phi 0, at 30 and
// 50 kV (the range argument, in kV).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "engine/field_computation.h"
#include "engine/table_files.h"
#include "test_paths.h"
#include "vessick/tungsten_model.h"

namespace {

void BM_TungstenField(benchmark::State& state) {
  const engine::CoefficientTable table =
      engine::readCoefficientTable(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat");
  engine::BeamParameters parameters;
  parameters.targetCode = 1;
  parameters.tubeVoltage = static_cast<float>(state.range(0));
  parameters.targetAngle = 22.0f;
  parameters.beryllium = 0.08f;
  parameters.rhodium = 0.005f;
  parameters.airLayer = 60.0f;
  const vessick::TungstenModel model;
  std::ostringstream warnings;
  for (auto _ : state) {
    const auto run = model.beginRun(parameters, table);
    const engine::RelativeMaps maps = engine::computeField(
        *run, parameters, table, [](auto&, auto&) {}, warnings);
    benchmark::DoNotOptimize(maps.hvlReference);
  }
}
BENCHMARK(BM_TungstenField)->Arg(30)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
