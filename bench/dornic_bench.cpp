// Whole computation of one molybdenum run: 28 kV, theta 22, phi 0, 0.8 mm Be, 0.03 mm Mo.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dornic/molybdenum_model.h"
#include "engine/engine_run.h"
#include "engine/field_computation.h"
#include "engine/table_files.h"
#include "test_paths.h"

namespace {

const std::filesystem::path kData = testpaths::kDataDir;

engine::BeamParameters defaultSettings() {
  engine::BeamParameters parameters;
  parameters.tubeVoltage = 28.0f;
  parameters.targetAngle = 22.0f;
  parameters.beryllium = 0.08f;
  parameters.molybdenum = 0.003f;
  parameters.airLayer = 60.0f;
  return parameters;
}

// Preparation of the run and the whole field, tables already in memory.
void BM_MolybdenumField(benchmark::State& state) {
  const engine::CoefficientTable table = engine::readCoefficientTable(kData / "MUs3.dat");
  dornic::MolybdenumModel model;
  model.readTables(kData);
  const engine::BeamParameters parameters = defaultSettings();
  std::ostringstream warnings;
  for (auto _ : state) {
    const auto run = model.beginRun(parameters, table);
    const engine::RelativeMaps maps = engine::computeField(
        *run, parameters, table, [](auto&, auto&) {}, warnings);
    benchmark::DoNotOptimize(maps.hvlReference);
  }
}
BENCHMARK(BM_MolybdenumField)->Unit(benchmark::kMillisecond);

// The whole run with its files, in a scratch directory, as the process does it.
void BM_MolybdenumRun(benchmark::State& state) {
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() / "dornic_bench_run";
  std::filesystem::create_directories(directory);
  for (const char* name : {"MUs3.dat", "Mo-STP.dat"}) {
    std::filesystem::copy_file(kData / name, directory / name,
                               std::filesystem::copy_options::overwrite_existing);
  }
  std::ofstream(directory / "B2F.dat", std::ios::binary)
      << "0\r\n28.0\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n";
  for (auto _ : state) {
    dornic::MolybdenumModel model;
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    benchmark::DoNotOptimize(engine::runEngine(model, directory, {in, out, err}));
  }
  std::filesystem::remove_all(directory);
}
BENCHMARK(BM_MolybdenumRun)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
