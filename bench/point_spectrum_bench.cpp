// One point spectrum at 50 kV for each target with the shipped tables, computed for a
// picked point on the beam axis so that no file is written while timing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "palvane/physics/point_spectrum.h"
#include "palvane/state/shared_state.h"
#include "palvane/state/table_loading.h"
#include "test_paths.h"

namespace {

using palvane::DrawingSurface;
using palvane::Rgb;

struct FiftyKilovoltTexts : palvane::ParameterTexts {
  std::string tubeVoltage() const override { return "50"; }
  std::string targetAngle() const override { return "10"; }
  std::string tiltAngle() const override { return "4"; }
  std::string beryllium() const override { return "0.8"; }
  std::string aluminium() const override { return "0"; }
  std::string molybdenum() const override { return "0.03"; }
  std::string rhodium() const override { return "0"; }
  void setTubeVoltage(const std::string&) override {}
};

struct DiscardingSurface : DrawingSurface {
  void clear() override {}
  void setPenWidth(int) override {}
  void setForeColour(Rgb) override {}
  Rgb foreColour() const override { return {}; }
  void point(double, double, Rgb) override {}
  void line(double, double, double, double, Rgb) override {}
  void lineTo(double, double, Rgb) override {}
  void rectangle(double, double, double, double, Rgb, bool) override {}
  void text(double, double, const std::string&) override {}
};

FiftyKilovoltTexts texts;
DiscardingSurface surface;

bool prepare(benchmark::State& run) {
  if (!std::filesystem::exists(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat")) {
    run.SkipWithError("data/MUs3.dat is missing");
    return false;
  }
  palvane::state() = palvane::SharedState{};
  palvane::LoadTables(testpaths::kDataDir);
  palvane::state().ports = {&texts, &surface, &surface};
  palvane::state().PointMode = 1;
  palvane::state().AxisSpectrumMax = 1.0;
  return true;
}

template <palvane::PointSpectrumOutcome (*compute)()>
void pointSpectrum(benchmark::State& run) {
  if (!prepare(run)) return;
  for (auto _ : run) {
    benchmark::DoNotOptimize(compute());
    benchmark::DoNotOptimize(palvane::state().Spectrum.data());
  }
}

}  // namespace

BENCHMARK_TEMPLATE(pointSpectrum, palvane::ComputePointSpectrumMo)
    ->Name("PointSpectrumMo/50kV")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_TEMPLATE(pointSpectrum, palvane::ComputePointSpectrumW)
    ->Name("PointSpectrumW/50kV")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
