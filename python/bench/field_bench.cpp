// A whole field computed in-process by tube_model, the work of one palvane.field() call:
// Mo 28 kV (theta 22, phi 0, 0.03 mm Mo) and W 50 kV (theta 22, phi 0, 0.025 mm Rh).
// Compare its median with python/bench/python_speed.py, which times the same fields from
// Python: python_field_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include "test_paths.h"
#include "tube_model/field.h"

namespace {

const tube_model::Tables& tables() {
  static const tube_model::Tables read = tube_model::Tables::fromFolder(testpaths::kDataDir);
  return read;
}

void FieldInProcess(benchmark::State& state) {
  palvane::TubeSetup setup;
  setup.targetAngle = 22;
  setup.tiltAngle = 0;
  if (state.range(0) == 0) {
    setup.tubeVoltage = 28;
  } else {
    setup.target = palvane::Target::kTungsten;
    setup.tubeVoltage = 50;
    setup.molybdenum = 0;
    setup.rhodium = 0.025;
  }
  for (auto _ : state) benchmark::DoNotOptimize(tube_model::computeField(setup, tables()));
}
BENCHMARK(FieldInProcess)->ArgName("tungsten")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
