// Speed of the point quantities and of the engines' exponential.
//   build/<dir>/bin/point_quantities_bench --benchmark_repetitions=9
// On a shared machine the fastest repetition ("min") is the steadier figure.
// One engine run at 28 kV computes 76 columns of 51 points: the time of
// PointQuantitiesColumn times 76 is the HVL search's share of the run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/point_quantities.h"
#include "engine/single_exp.h"
#include "test_paths.h"

namespace {

constexpr float kKilovolts = 28.0f;
constexpr float kMolybdenumCm = 0.003f;  // the usual 0.03 mm filter
constexpr int kPointsPerColumn = 51;

double fastest(const std::vector<double>& times) {
  return *std::min_element(times.begin(), times.end());
}

// The shipped table, or photoelectric-like curves of similar size when it is missing.
engine::CoefficientTable benchTable() {
  engine::CoefficientTable table;
  std::ifstream file(std::string(testpaths::kDataDir) + "/MUs3.dat");
  std::string line;
  int bin = 0;
  while (bin < engine::kBinCount && std::getline(file, line)) {
    std::istringstream fields(line);
    float column[10];
    int read = 0;
    while (read < 10 && fields >> column[read]) ++read;
    if (read < 10) break;
    ++bin;
    table.muMo[bin] = column[1];
    table.muAl[bin] = column[3];
    table.muAir[bin] = column[6];
    table.muEnAir[bin] = column[7];
  }
  if (bin == engine::kBinCount) return table;
  for (int i = 1; i <= engine::kBinCount; ++i) {
    const float cube = std::pow(10.0f / engine::binEnergy(i), 3.0f);
    table.muMo[i] = 10.22f * (75.0f * cube + 0.5f);
    table.muAl[i] = 2.699f * (26.0f * cube + 0.17f);
    table.muAir[i] = 0.001205f * (4.9f * cube + 0.16f);
    table.muEnAir[i] = 4.6f * cube + 0.02f;
  }
  return table;
}

// One grid column at 28 kV: (V - E) / E behind the molybdenum filter and 60 cm of air,
// along the oblique path of each point.
std::vector<engine::Spectrum> columnSpectra(const engine::CoefficientTable& table) {
  std::vector<engine::Spectrum> spectra(kPointsPerColumn);
  for (int k = 0; k < kPointsPerColumn; ++k) {
    const float y = engine::gridY(k + 1);
    const float pathFactor =
        std::sqrt(y * y + engine::kFocusToPlaneSquared) / engine::kFocusToPlane;
    for (int i = 2; i <= engine::highestBin(kKilovolts); ++i) {
      const float energy = engine::binEnergy(i);
      const float depth = (table.muMo[i] * kMolybdenumCm + table.muAir[i] * 60.0f) * pathFactor;
      spectra[k][i] = (kKilovolts - energy) / energy * std::exp(-depth);
    }
  }
  return spectra;
}

void PointQuantitiesColumn(benchmark::State& state) {
  const engine::CoefficientTable table = benchTable();
  const std::vector<engine::Spectrum> spectra = columnSpectra(table);
  const engine::PointQuantityCalculator calculator(table, engine::highestBin(kKilovolts));
  std::vector<engine::PointQuantities> out(spectra.size());
  for (auto _ : state) {
    calculator.compute(spectra, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["hvl_mm"] = out[0].hvl;
  state.SetItemsProcessed(state.iterations() * kPointsPerColumn);
}
BENCHMARK(PointQuantitiesColumn)->ComputeStatistics("min", fastest);

// The straightforward loops for one point, for comparison.
void PlainPointQuantities(benchmark::State& state) {
  const engine::CoefficientTable table = benchTable();
  const std::vector<engine::Spectrum> spectra = columnSpectra(table);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        engine::computePlainPointQuantities(spectra[0], engine::highestBin(kKilovolts), table));
  }
}
BENCHMARK(PlainPointQuantities)->ComputeStatistics("min", fastest);

void ExpSingleArray(benchmark::State& state) {
  std::mt19937 generator(7);
  std::uniform_real_distribution<float> argument(-60.0f, 0.0f);
  std::vector<float> in(10000);
  for (float& x : in) x = argument(generator);
  std::vector<float> out(in.size());
  for (auto _ : state) {
    engine::expSingleArray(in.data(), out.data(), in.size());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(in.size()));
}
BENCHMARK(ExpSingleArray)->ComputeStatistics("min", fastest);

}  // namespace

BENCHMARK_MAIN();
