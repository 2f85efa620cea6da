// Pieces of the molybdenum spectrum model checked by hand: stopping-power interpolation,
// characteristic lines, single bremsstrahlung terms, and the step-major sum layout.

#include "dornic/molybdenum_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "dornic/characteristic_lines.h"
#include "dornic/stopping_power.h"
#include "engine/bremsstrahlung.h"
#include "engine/input_error.h"
#include "engine/single_exp.h"
#include "engine/table_files.h"
#include "test_paths.h"

namespace {

constexpr float kEnergies[20] = {0.5f,  1,  1.5f,  2,  3,  4,  5,  6,  8,  10,
                                 12.5f, 15, 17.5f, 20, 25, 30, 35, 40, 45, 50};

// S = 1000 / E: a power law, so log-log interpolation reproduces it exactly.
engine::StoppingPowerTable powerLawTable() {
  engine::StoppingPowerTable table;
  for (int r = 0; r < 20; ++r) {
    table.energy[r] = kEnergies[r];
    table.stoppingPower[r] = 1000.0f / kEnergies[r];
  }
  return table;
}

void expectRelativeNear(double expected, double actual, double tolerance) {
  EXPECT_NEAR(actual, expected, std::abs(expected) * tolerance);
}

TEST(StoppingPowerInterpolation, FirstRowUpToOneKevThenLogLogInterpolation) {
  const dornic::StoppingPowerInterpolation stoppingPower(powerLawTable());
  EXPECT_EQ(stoppingPower.at(0.2f), 2000.0f);
  EXPECT_EQ(stoppingPower.at(1.0f), 2000.0f);  // 1.0 keV still takes the first row
  expectRelativeNear(1000.0, stoppingPower.at(std::nextafter(1.0f, 2.0f)), 1e-5);
  expectRelativeNear(1000.0 / 1.7, stoppingPower.at(1.7f), 1e-5);
  expectRelativeNear(1000.0 / 28.2, stoppingPower.at(28.2f), 1e-5);
  // At a table energy the interpolation returns that row's value.
  expectRelativeNear(1000.0 / 3.0, stoppingPower.at(3.0f), 1e-6);
  expectRelativeNear(20.0, stoppingPower.at(50.0f), 1e-6);
}

TEST(StoppingPowerInterpolation, RejectsTablesItCannotInterpolate) {
  const auto expectRejected = [](engine::StoppingPowerTable table, const std::string& start) {
    try {
      dornic::StoppingPowerInterpolation{table};
      ADD_FAILURE() << "accepted: " << start;
    } catch (const engine::InputError& error) {
      EXPECT_EQ(std::string(error.what()).substr(0, start.size()), start);
    }
  };
  engine::StoppingPowerTable table = powerLawTable();
  table.energy[0] = 1.5f;
  expectRejected(table, "Mo-STP.dat, line 1: ");
  table = powerLawTable();
  table.energy[7] = table.energy[6];
  expectRejected(table, "Mo-STP.dat, line 8: ");
  table = powerLawTable();
  table.stoppingPower[11] = 0.0f;
  expectRejected(table, "Mo-STP.dat, line 12: ");
  table = powerLawTable();
  table.energy[0] = -0.5f;
  expectRejected(table, "Mo-STP.dat, line 1: ");

  const dornic::StoppingPowerInterpolation stoppingPower(powerLawTable());
  EXPECT_NO_THROW(stoppingPower.checkCovers(50.0f));
  EXPECT_THROW(stoppingPower.checkCovers(50.1f), engine::InputError);
}

TEST(CharacteristicLines, SetChosenByTheFilters) {
  engine::BeamParameters parameters;
  parameters.molybdenum = 0.003f;
  parameters.rhodium = 0.0025f;
  EXPECT_EQ(dornic::chooseLineSet(parameters).slope, 0.0379f);  // set A despite rhodium
  parameters.molybdenum = 0.0f;
  EXPECT_EQ(dornic::chooseLineSet(parameters).fractions[0], 0.538f);  // set B
  parameters.rhodium = 0.0f;
  EXPECT_EQ(dornic::chooseLineSet(parameters).fractions[0], 0.556f);  // set C
}

TEST(CharacteristicLines, AmountsAreSumTimesYieldTimesFraction) {
  engine::BeamParameters parameters;
  parameters.molybdenum = 0.003f;
  engine::Spectrum spectrum{};
  spectrum[87] = 1.0f;
  // F = 100, V = 28: K = 0.0379 * 28 - 0.7866 = 0.2746.
  dornic::addCharacteristicLines(dornic::chooseLineSet(parameters), 28.0f, 100.0f, spectrum);
  EXPECT_NEAR(spectrum[87], 1.0 + 27.46 * (0.543 + 0.283), 1e-4);
  EXPECT_NEAR(spectrum[98], 27.46 * (0.101 + 0.051), 1e-4);
  EXPECT_NEAR(spectrum[100], 27.46 * 0.022, 1e-5);
  EXPECT_EQ(spectrum[99], 0.0f);
  // Below 20.75 kV (set A) and 20.26 kV (sets B, C) the linear yield is negative and no
  // line is added; just above, the lines are small and positive.
  for (const auto& [molybdenum, rhodium, none, some] :
       {std::tuple{0.003f, 0.0f, 20.7f, 20.8f}, std::tuple{0.0f, 0.0025f, 20.2f, 20.3f},
        std::tuple{0.0f, 0.0f, 20.2f, 20.3f}}) {
    parameters.molybdenum = molybdenum;
    parameters.rhodium = rhodium;
    engine::Spectrum low{};
    low[87] = 1.0f;
    dornic::addCharacteristicLines(dornic::chooseLineSet(parameters), none, 100.0f, low);
    EXPECT_EQ(low[87], 1.0f);
    EXPECT_EQ(low[100], 0.0f);
    dornic::addCharacteristicLines(dornic::chooseLineSet(parameters), some, 100.0f, low);
    EXPECT_GT(low[100], 0.0f);
  }
}

TEST(MolybdenumBremsstrahlung, DepthEnergyConstant) {
  // 141766 + 12157*28 - 111.046*784 + 0.552536*21952 - 0.000970158*614656
  expectRelativeNear(406634.9, engine::depthEnergyConstant(28.0f), 1e-6);
}

TEST(MolybdenumBremsstrahlung, TermsOfSingleBins) {
  const dornic::StoppingPowerInterpolation stoppingPower(powerLawTable());
  const dornic::MolybdenumTarget target(stoppingPower);
  // The last bin at 28 kV (E = 28.0) gets exactly its u = 1 term, at depth 0:
  // (1 + 511/28) * (0.03058 - 7.494e-05 * 28) * 0.135 / (1000 / 28).
  const auto last = engine::bremsstrahlungTerms(target, 28.0f, 140);
  ASSERT_EQ(last.size(), 1u);
  expectRelativeNear(19.25 * 0.02848168 * 0.135 / (1000.0 / 28), last[0].weight, 1e-4);
  EXPECT_EQ(last[0].depth, 0.0f);
  // E_139 = 139 * 0.2f is 27.8000011 and E + 0.2 rounds to 28.0000019 > 28: one term.
  EXPECT_EQ(engine::bremsstrahlungTerms(target, 28.0f, 139).size(), 1u);
  // First term of 20 keV: depth (28^2 - 20^2) / (C * 10.22).
  const auto twenty = engine::bremsstrahlungTerms(target, 28.0f, 100);
  EXPECT_EQ(twenty.size(), 40u);  // the accumulated T overshoots 28 at the 41st step
  expectRelativeNear(384.0 / (406634.9 * 10.22), twenty[0].depth, 1e-5);
}

TEST(MolybdenumBremsstrahlung, StepMajorSumsEqualTheSumsBinByBin) {
  const engine::CoefficientTable table =
      engine::readCoefficientTable(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat");
  const dornic::StoppingPowerInterpolation stoppingPower(powerLawTable());
  const dornic::MolybdenumTarget target(stoppingPower);
  for (float voltage : {28.4f, 50.0f}) {
    engine::BremsstrahlungSpectrum spectrum(target, table, voltage);
    for (float pathFactor : {2.4751f, 0.3f, 9.5f}) {
      engine::Spectrum fast;
      fast.fill(-1.0f);
      spectrum.compute(pathFactor, fast);
      const int n = engine::highestBin(voltage);
      EXPECT_EQ(fast[0], 0.0f);
      EXPECT_EQ(fast[1], 0.0f);
      for (int bin = 2; bin <= n; ++bin) {
        float sum = 0.0f;
        for (const engine::BremsstrahlungTerm& term :
             engine::bremsstrahlungTerms(target, voltage, bin)) {
          sum = sum + term.weight * engine::expSingle(-table.muMo[bin] * (term.depth * pathFactor));
        }
        ASSERT_EQ(fast[bin], sum) << voltage << " kV, G " << pathFactor << ", bin " << bin;
      }
      for (int bin = n + 1; bin <= engine::kBinCount; ++bin) EXPECT_EQ(fast[bin], 0.0f);
    }
  }
}

}  // namespace
