// The shared run of both engines with a stand-in target: console dialogue, voltage bounds,
// grid walk and its reports, the geometry of the field, and the layer transmissions.

#include "engine/engine_run.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <iterator>
#include <sstream>

#include "dornic/run_directory.h"
#include "engine/field_computation.h"
#include "engine/input_error.h"
#include "engine/layer_attenuation.h"
#include "engine/path_geometry.h"
#include "engine/single_exp.h"
#include "engine/standard_descriptors.h"
#include "engine/table_files.h"

namespace {

using engine::BeamParameters;
using engine::Spectrum;

// A target whose column spectrum is 1 in every bin 2..N and whose point spectrum is the
// column times the inverse-square factor; rows from `darkRow` on get an empty spectrum.
class StandInRun : public engine::TargetRun {
 public:
  StandInRun(int highestBin, int darkRow) : highestBin_(highestBin), darkRow_(darkRow) {}
  void columnSpectrum(float, Spectrum& out) override {
    out.fill(0.0f);
    for (int bin = 2; bin <= highestBin_; ++bin) out[bin] = 1.0f;
  }
  void pointSpectra(const Spectrum& column, float x, std::span<Spectrum> out) override {
    for (std::size_t row = 0; row < out.size(); ++row) {
      const float w =
          engine::pointGeometry(x, engine::gridY(static_cast<int>(row) + 1)).inverseSquare;
      out[row].fill(0.0f);
      if (static_cast<int>(row) + 1 >= darkRow_) continue;
      for (int bin = 2; bin <= highestBin_; ++bin) out[row][bin] = column[bin] * w;
    }
  }
  void pointSpectrum(const Spectrum&, float, float, Spectrum&) override {}

 private:
  int highestBin_;
  int darkRow_;
};

class StandInModel : public engine::TargetModel {
 public:
  explicit StandInModel(int darkRow = 99) : darkRow_(darkRow) {}
  void readTables(const std::filesystem::path&) override {}
  std::unique_ptr<engine::TargetRun> beginRun(const BeamParameters& parameters,
                                              const engine::CoefficientTable&) const override {
    return std::make_unique<StandInRun>(engine::highestBin(parameters.tubeVoltage), darkRow_);
  }

 private:
  int darkRow_;
};

constexpr const char* kGreeting =
    " \n \n \n"
    "         ---     計算を開始しました    ---\n \n"
    "         ---  しばらくお待ちください   ---\n \n";
constexpr const char* kClosing =
    "         ---     計算が終了しました    ---\n \n"
    "         ---    Enter を押して下さい   ---\n"
    "Stop - Program terminated.\n";

TEST(EngineRun, DialogueWithEnterOrEndOfInput) {
  testrun::RunDirectory directory;
  directory.write("B2F.dat", testrun::defaultSettings());
  for (const char* input : {"", "\n", "some text\nmore\n"}) {
    StandInModel model;
    const testrun::RunOutcome outcome = directory.run(model, input);
    EXPECT_EQ(outcome.status, engine::kRunCompleted);
    EXPECT_EQ(outcome.out, std::string(kGreeting) + kClosing);
    EXPECT_EQ(outcome.err, "");
  }
  EXPECT_TRUE(directory.exists("Beam_Axis.dat"));
  EXPECT_TRUE(directory.exists("Result.dat"));
}

TEST(EngineRun, GreetsBeforeReadingAndStopsAtAMissingTable) {
  testrun::RunDirectory directory;
  std::filesystem::remove(directory.path() / "MUs3.dat");
  directory.write("B2F.dat", testrun::defaultSettings());
  StandInModel model;
  const testrun::RunOutcome outcome = directory.run(model);
  EXPECT_EQ(outcome.status, engine::kRunBadInput);
  EXPECT_EQ(outcome.out, kGreeting);
  EXPECT_EQ(outcome.err.substr(0, 8), "MUs3.dat");
  EXPECT_FALSE(directory.exists("Result.dat"));
  EXPECT_FALSE(directory.exists("Beam_Axis.dat"));
}

// A Result.dat that cannot be replaced fails the run and leaves the earlier Beam_Axis.dat,
// or its absence, as it was: never the new one beside the old Result.dat.
TEST(EngineRun, ResultFileThatCannotBeWrittenLeavesTheEarlierOutputs) {
  for (const bool earlierBeamAxis : {true, false}) {
    testrun::RunDirectory directory;
    directory.write("B2F.dat", testrun::defaultSettings());
    if (earlierBeamAxis) directory.write("Beam_Axis.dat", "earlier run\r\n");
    std::filesystem::create_directory(directory.path() / "Result.dat");
    StandInModel model;
    const testrun::RunOutcome outcome = directory.run(model);
    EXPECT_EQ(outcome.status, engine::kRunOutputFailed);
    EXPECT_NE(outcome.err.find("Result.dat"), std::string::npos) << outcome.err;
    EXPECT_EQ(directory.exists("Beam_Axis.dat"), earlierBeamAxis);
    if (earlierBeamAxis) {
      EXPECT_EQ(directory.read("Beam_Axis.dat"), "earlier run\r\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}),
              earlierBeamAxis ? 5 : 4);  // the tables, B2F.dat, Result.dat, Beam_Axis.dat
  }
}

// Started without standard error (2>&-), a file opened later must not take its place.
TEST(EngineRun, MissingStandardDescriptorsAreOpenedOnDevNull) {
  const int savedError = ::dup(2);
  ::close(2);
  engine::openMissingStandardDescriptors();
  struct stat error {};
  struct stat devNull {};
  const bool opened = ::fstat(2, &error) == 0 && ::stat("/dev/null", &devNull) == 0;
  ::dup2(savedError, 2);
  ::close(savedError);
  ASSERT_TRUE(opened);
  EXPECT_EQ(error.st_rdev, devNull.st_rdev);
}

TEST(EngineRun, TubeVoltageMustGiveTwoTo250Bins) {
  for (float voltage : {0.4f, 28.4f, 50.0f, 50.19f})
    EXPECT_NO_THROW(engine::checkTubeVoltage(voltage));
  for (float voltage : {0.2f, 0.0f, -28.0f, 50.2f, 1e30f, std::nanf("")}) {
    try {
      engine::checkTubeVoltage(voltage);
      ADD_FAILURE() << voltage << " accepted";
    } catch (const engine::InputError& error) {
      EXPECT_EQ(std::string(error.what()).substr(0, 17), "B2F.dat, line 2: ");
    }
  }
}

BeamParameters settings(float targetAngle, float tiltAngle) {
  BeamParameters parameters;
  parameters.tubeVoltage = 28.0f;
  parameters.targetAngle = targetAngle;
  parameters.tiltAngle = tiltAngle;
  return parameters;
}

TEST(FieldGeometry, HeelCutOffAndPathFactorByHand) {
  // The conversions use pi = 3.14159: tan(22 * 3.14159 / 180) = 0.40402528.
  EXPECT_NEAR(engine::heelCutOff(settings(22, 0)), 65 * 0.40402528, 1e-4);
  EXPECT_LT(engine::heelCutOff(settings(10, -12)), 0.0f);
  EXPECT_NEAR(*engine::pathFactor(settings(22, 0), 0.0f), 1 / 0.40402528, 1e-5);
  // X = 15: tan beta = 15 / 65, G = sqrt(1 - tan^2 beta) / (tan theta - tan beta).
  const double tanBeta = 15.0 / 65.0;
  EXPECT_NEAR(*engine::pathFactor(settings(22, 0), 15.0f),
              std::sqrt(1 - tanBeta * tanBeta) / (0.40402528 - tanBeta), 1e-4);
  EXPECT_FALSE(engine::pathFactor(settings(10, -10), 0.0f));  // zero denominator
  EXPECT_FALSE(engine::pathFactor(settings(10, 50), 0.0f));   // |beta| > 45: negative root
  EXPECT_FALSE(engine::pathFactor(settings(10, 0), 14.0f));   // beyond the cut-off
}

TEST(FieldGeometry, ObliquityAndInverseSquare) {
  const engine::PointGeometry axis = engine::pointGeometry(0.0f, 0.0f);
  EXPECT_EQ(axis.obliquity, 1.0f);
  EXPECT_EQ(axis.inverseSquare, 1.0f);
  const engine::PointGeometry offAxis = engine::pointGeometry(3.0f, 4.0f);
  EXPECT_NEAR(offAxis.obliquity, std::sqrt(4250.0) / 65, 1e-6);
  EXPECT_NEAR(offAxis.inverseSquare, 4225.0 / 4250, 1e-6);
}

TEST(FieldComputation, PointsWithoutQuantitiesAreZeroAndCounted) {
  const engine::CoefficientTable table =
      engine::readCoefficientTable(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat");
  const BeamParameters parameters = settings(22, 0);
  StandInRun run(140, 41);  // rows 41..51 have an empty spectrum and no air kerma
  std::ostringstream warnings;
  int referenceCalls = 0;
  const engine::RelativeMaps maps = engine::computeField(
      run, parameters, table, [&](auto&, auto&) { ++referenceCalls; }, warnings);
  EXPECT_EQ(referenceCalls, 1);
  EXPECT_EQ(warnings.str(),
            std::to_string(76 * 11) + ' ' + std::string(engine::kPointsUndefined) + '\n');
  EXPECT_EQ(maps.fluence[engine::mapIndex(1, 1)], 1.0f);
  EXPECT_EQ(maps.hvl[engine::mapIndex(1, 1)], 1.0f);
  EXPECT_GT(maps.kerma[engine::mapIndex(76, 40)], 0.0f);
  for (int j = 1; j <= 76; ++j) {
    EXPECT_EQ(maps.kerma[engine::mapIndex(j, 41)], 0.0f);
    EXPECT_EQ(maps.hvl[engine::mapIndex(j, 51)], 0.0f);
  }

  StandInRun dark(140, 1);  // not even the reference point has an air kerma
  EXPECT_THROW(engine::computeField(
                   dark, parameters, table, [&](auto&, auto&) { ++referenceCalls; }, warnings),
               engine::InputError);
  EXPECT_EQ(referenceCalls, 1);
}

TEST(LayerStack, ProductInStackOrderWithZeroLayersLeftOut) {
  engine::BinColumn first{};
  engine::BinColumn second{};
  for (int bin = 2; bin <= 20; ++bin) {
    first[bin] = 3.0f / static_cast<float>(bin);
    second[bin] = 0.7f * static_cast<float>(bin);
  }
  engine::LayerStack stack(20);
  stack.add(first, 0.3f, engine::LayerStack::Order::kPathFirst);
  stack.add(second, 0.0f, engine::LayerStack::Order::kPathFirst);
  stack.add(second, 0.05f, engine::LayerStack::Order::kThicknessFirst);
  const float r = 1.037f;
  const engine::BinColumn& transmission = stack.transmission(r);
  for (int bin = 2; bin <= 20; ++bin) {
    const float expected = engine::expSingle(-first[bin] * r * 0.3f) *
                           engine::expSingle(-second[bin] * r * 0.0f) *
                           engine::expSingle(-second[bin] * 0.05f * r);
    EXPECT_EQ(transmission[bin], expected) << bin;
  }
  EXPECT_EQ(transmission[1], 0.0f);
  EXPECT_EQ(transmission[21], 0.0f);
  const engine::BinColumn again = stack.transmission(r);
  EXPECT_EQ(again, transmission);
}

}  // namespace
