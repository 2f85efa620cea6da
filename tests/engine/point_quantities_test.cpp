#include "engine/point_quantities.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "test_paths.h"

namespace {

using engine::CoefficientTable;
using engine::PointQuantities;
using engine::Spectrum;

constexpr double kLn2 = 0.69314718055994531;

// A table whose coefficients the tests set bin by bin; the kerma weight is 1 everywhere.
CoefficientTable flatTable(float muAl) {
  CoefficientTable table;
  table.muAl.fill(muAl);
  table.muEnAir.fill(1.0f);
  return table;
}

// The kerma-weighted transmission (percent) behind `steps` aluminium steps of 0.001 cm,
// in double precision, for spectra given as {bin, value} pairs.
struct Line {
  int bin;
  double value;
};
double transmissionInDouble(const std::vector<Line>& lines, const CoefficientTable& table,
                            int steps) {
  double total = 0;
  double left = 0;
  for (const Line& line : lines) {
    const double weight = table.muEnAir[line.bin] * line.value * (0.2 * line.bin);
    total += weight;
    left += weight * std::exp(-static_cast<double>(table.muAl[line.bin]) * 0.001 * steps);
  }
  return 100.0 * left / total;
}

// The HVL (mm) by the same search and interpolation, carried out in double precision.
double hvlInDouble(const std::vector<Line>& lines, const CoefficientTable& table) {
  double before = 100.0;
  for (int step = 1; step <= engine::kMaxAluminiumSteps; ++step) {
    const double after = transmissionInDouble(lines, table, step);
    if (after < 50.0) {
      return 0.01 * ((step - 1) + std::log(50.0 / before) / std::log(after / before));
    }
    before = after;
  }
  return 0;
}

Spectrum spectrumOf(const std::vector<Line>& lines) {
  Spectrum spectrum{};
  for (const Line& line : lines) spectrum[line.bin] = static_cast<float>(line.value);
  return spectrum;
}

// ---- Hand-computable points -------------------------------------------------------

TEST(PointQuantities, SumsOverTheBinsWithTwoEqualPeaks) {
  // Bins 5, 10 and 20 have energies 1, 2 and 4 keV exactly in single precision.
  CoefficientTable table = flatTable(20.0f);
  table.muEnAir[5] = 0.5f;
  table.muEnAir[10] = 0.25f;
  table.muEnAir[20] = 2.0f;
  const Spectrum spectrum = spectrumOf({{5, 3.0}, {10, 3.0}, {20, 0.5}});

  const PointQuantities q = engine::computePlainPointQuantities(spectrum, 140, table);
  EXPECT_EQ(q.peak, 3.0f);
  EXPECT_EQ(q.photonFluence, 6.5f);
  EXPECT_EQ(q.energyFluence, 3.0f + 6.0f + 2.0f);
  EXPECT_EQ(q.airKerma, 1.5f + 1.5f + 4.0f);
  EXPECT_TRUE(q.defined);
}

TEST(PointQuantities, SingleBinHvlIsLn2OverMu) {
  // One bin: T(n) = 100 f^n, so the logarithmic interpolation is exact: 10 ln2 / mu mm.
  for (const float mu : {20.0f, 7.5f, 60.0f}) {
    const PointQuantities q =
        engine::computePlainPointQuantities(spectrumOf({{100, 1.0}}), 140, flatTable(mu));
    const double expected = 10.0 * kLn2 / mu;
    EXPECT_TRUE(q.defined);
    EXPECT_NEAR(q.hvl, expected, 1e-4 * expected) << "mu " << mu;
  }
}

TEST(PointQuantities, TwoBinHvlMatchesTheSearchInDouble) {
  CoefficientTable table = flatTable(0);
  table.muAl[60] = 60.0f;
  table.muAl[140] = 8.0f;
  const std::vector<Line> lines = {{60, 2.0}, {140, 0.5}};
  const PointQuantities q = engine::computePlainPointQuantities(spectrumOf(lines), 140, table);
  EXPECT_NEAR(q.hvl, hvlInDouble(lines, table), 2e-5);
}

TEST(PointQuantities, FirstStepBelowHalfInterpolatesFromFullTransmission) {
  // 80 % of the kerma in a bin that one step all but removes, 20 % in a hard bin:
  // T(1) = 19.9 %, T(2) = 19.8 %. Between steps 1 and 2 the logarithm would be
  // extrapolated to a large negative thickness; from 100 % at step 0 it is
  // 0.01 ln(0.5) / ln(T(1) / 100) mm.
  CoefficientTable table = flatTable(0);
  table.muAl[50] = 10000.0f;
  table.muAl[100] = 5.0f;
  const std::vector<Line> lines = {{50, 8.0}, {100, 1.0}};  // weights 80 and 20
  const PointQuantities q = engine::computePlainPointQuantities(spectrumOf(lines), 140, table);

  const double expected =
      0.01 * std::log(0.5) / std::log(transmissionInDouble(lines, table, 1) / 100);
  EXPECT_TRUE(q.defined);
  EXPECT_GT(q.hvl, 0.0f);
  EXPECT_LT(q.hvl, 0.01f);
  EXPECT_NEAR(q.hvl, expected, 1e-4 * expected);
}

TEST(PointQuantities, HvlAboveThreeMillimetresIsFoundBeyondTheTable) {
  const PointQuantities q =
      engine::computePlainPointQuantities(spectrumOf({{200, 1.0}}), 250, flatTable(1.5f));
  const double expected = 10.0 * kLn2 / 1.5;  // 4.62 mm
  EXPECT_TRUE(q.defined);
  EXPECT_NEAR(q.hvl, expected, 3e-4 * expected);
}

TEST(PointQuantities, PointsWithoutAnHvlAreUndefinedWithHvlZero) {
  const Spectrum zero{};
  Spectrum withNaN = spectrumOf({{100, 1.0}});
  withNaN[101] = std::nanf("");
  Spectrum withInfinity = spectrumOf({{100, 1.0}});
  withInfinity[90] = INFINITY;
  CoefficientTable noKermaWeight = flatTable(20.0f);
  noKermaWeight.muEnAir.fill(0.0f);

  const struct {
    const char* name;
    Spectrum spectrum;
    CoefficientTable table;
  } cases[] = {
      {"zero spectrum", zero, flatTable(20.0f)},
      {"zero kerma weight", spectrumOf({{100, 1.0}}), noKermaWeight},
      {"NaN bin", withNaN, flatTable(20.0f)},
      {"infinite bin", withInfinity, flatTable(20.0f)},
      {"HVL beyond 50 mm", spectrumOf({{100, 1.0}}), flatTable(0.1f)},
      {"aluminium that amplifies", spectrumOf({{100, 1.0}}), flatTable(-5.0f)},
  };
  for (const auto& c : cases) {
    const PointQuantities q = engine::computePlainPointQuantities(c.spectrum, 140, c.table);
    EXPECT_FALSE(q.defined) << c.name;
    EXPECT_EQ(q.hvl, 0.0f) << c.name;
  }
  const PointQuantities noKerma =
      engine::computePlainPointQuantities(spectrumOf({{100, 1.0}}), 140, noKermaWeight);
  EXPECT_EQ(noKerma.photonFluence, 1.0f);  // the sums stay as computed
}

TEST(PointQuantities, HighestBinOutsideTheBinsStaysInsideTheArrays) {
  const Spectrum spectrum = spectrumOf({{100, 1.0}, {250, 2.0}});
  const CoefficientTable table = flatTable(20.0f);
  const PointQuantities all = engine::computePlainPointQuantities(spectrum, 250, table);
  const PointQuantities beyond = engine::computePlainPointQuantities(spectrum, 1000, table);
  EXPECT_EQ(beyond.photonFluence, all.photonFluence);
  EXPECT_EQ(beyond.hvl, all.hvl);
  const PointQuantities none = engine::computePlainPointQuantities(spectrum, -5, table);
  EXPECT_EQ(none.photonFluence, 0.0f);
  EXPECT_FALSE(none.defined);
}

// ---- Realistic spectra: the fast path against the plain loops --------------------

// The shipped table when it is there (columns 4, 7 and 8: aluminium, air and the
// kerma weight), else smooth photoelectric-like curves of similar size.
CoefficientTable realisticTable() {
  CoefficientTable table;
  std::ifstream file(std::string(testpaths::kDataDir) + "/MUs3.dat");
  std::string line;
  int bin = 0;
  while (bin < engine::kBinCount && std::getline(file, line)) {
    std::istringstream fields(line);
    double column[10];
    int read = 0;
    while (read < 10 && fields >> column[read]) ++read;
    if (read < 10) break;
    ++bin;
    table.muAl[bin] = static_cast<float>(column[3]);
    table.muAir[bin] = static_cast<float>(column[6]);
    table.muEnAir[bin] = static_cast<float>(column[7]);
  }
  if (bin == engine::kBinCount) return table;

  for (int i = 1; i <= engine::kBinCount; ++i) {
    const double cube = std::pow(10.0 / (0.2 * i), 3);
    table.muAl[i] = static_cast<float>(2.699 * (26.0 * cube + 0.17));
    table.muAir[i] = static_cast<float>(0.001205 * (4.9 * cube + 0.16));
    table.muEnAir[i] = static_cast<float>(4.6 * cube + 0.02);
  }
  return table;
}

// A bremsstrahlung-like shape (V - E) / E behind aluminium and 60 cm of air, seen
// along an oblique path with the inverse-square fall-off, as along one grid column.
std::vector<Spectrum> columnOfSpectra(const CoefficientTable& table, float kilovolts,
                                      float aluminiumCm, int count) {
  const int highest = engine::highestBin(kilovolts);
  std::vector<Spectrum> spectra(count);
  for (int k = 0; k < count; ++k) {
    const float y = 0.2f * static_cast<float>(k);
    const float pathFactor = std::sqrt(y * y + 4225.0f) / 65.0f;
    for (int i = 2; i <= highest; ++i) {
      const float energy = engine::binEnergy(i);
      const float depth = -(table.muAl[i] * aluminiumCm + table.muAir[i] * 60.0f) * pathFactor;
      spectra[k][i] = (kilovolts - energy) / energy * std::exp(depth) / (pathFactor * pathFactor);
    }
  }
  return spectra;
}

// Bit for bit, so that two NaN sums also count as equal.
void expectSameFloat(float fast, float plain, const std::string& where) {
  EXPECT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(plain))
      << where << ": " << fast << " against " << plain;
}

void expectFastEqualsPlain(const std::vector<Spectrum>& spectra, int highest,
                           const CoefficientTable& table, const std::string& label) {
  const engine::PointQuantityCalculator calculator(table, highest);
  std::vector<PointQuantities> fast(spectra.size());
  calculator.compute(spectra, fast);
  for (std::size_t k = 0; k < spectra.size(); ++k) {
    const PointQuantities plain = engine::computePlainPointQuantities(spectra[k], highest, table);
    const std::string where = label + ", point " + std::to_string(k);
    expectSameFloat(fast[k].peak, plain.peak, where);
    expectSameFloat(fast[k].photonFluence, plain.photonFluence, where);
    expectSameFloat(fast[k].energyFluence, plain.energyFluence, where);
    expectSameFloat(fast[k].airKerma, plain.airKerma, where);
    expectSameFloat(fast[k].hvl, plain.hvl, where);
    EXPECT_EQ(fast[k].defined, plain.defined) << where;
  }
}

TEST(PointQuantityCalculator, EqualsThePlainLoopsFloatForFloat) {
  const CoefficientTable table = realisticTable();
  for (const float kilovolts : {20.0f, 28.0f, 35.0f, 50.0f}) {
    for (const float aluminiumCm : {0.0f, 0.03f, 0.1f, 0.4f, 1.5f}) {
      const std::string label =
          std::to_string(kilovolts) + " kV, " + std::to_string(aluminiumCm) + " cm Al";
      const std::vector<Spectrum> column = columnOfSpectra(table, kilovolts, aluminiumCm, 51);
      const PointQuantities axis =
          engine::computePlainPointQuantities(column[0], engine::highestBin(kilovolts), table);
      EXPECT_TRUE(axis.defined) << label;
      EXPECT_GT(axis.hvl, 0.0f) << label;
      expectFastEqualsPlain(column, engine::highestBin(kilovolts), table, label);
    }
  }
  // The hardest beam takes the search past the 300 tabulated steps.
  const std::vector<Spectrum> hardest = columnOfSpectra(table, 50.0f, 1.5f, 1);
  EXPECT_GT(engine::computePlainPointQuantities(hardest[0], 250, table).hvl, 3.0f);
}

TEST(PointQuantityCalculator, EveryBatchSizeAndUndefinedPointsAmongDefinedOnes) {
  const CoefficientTable table = realisticTable();
  const int highest = engine::highestBin(28.0f);
  std::vector<Spectrum> column = columnOfSpectra(table, 28.0f, 0.03f, 51);
  column[3] = Spectrum{};                     // no kerma
  column[17][60] = std::nanf("");             // not a number
  column[25] = spectrumOf({{15, 1.0}});       // 3 keV: the first step leaves under 50 %
  column[40] = spectrumOf({{highest, 1.0}});  // a single hard line
  for (std::size_t size = 1; size <= column.size(); ++size) {
    const std::vector<Spectrum> batch(column.begin(), column.begin() + size);
    expectFastEqualsPlain(batch, highest, table, "batch of " + std::to_string(size));
  }
}

TEST(PointQuantityCalculator, StoppingAtTheHighestBinChangesNothing) {
  const CoefficientTable table = realisticTable();
  const std::vector<Spectrum> column = columnOfSpectra(table, 35.0f, 0.1f, 5);
  for (const Spectrum& spectrum : column) {
    const PointQuantities atHighest =
        engine::computePlainPointQuantities(spectrum, engine::highestBin(35.0f), table);
    const PointQuantities allBins = engine::computePlainPointQuantities(spectrum, 250, table);
    EXPECT_EQ(atHighest.airKerma, allBins.airKerma);
    EXPECT_EQ(atHighest.hvl, allBins.hvl);
  }
}

TEST(PointQuantityCalculator, RejectsTooFewResultPlaces) {
  const engine::PointQuantityCalculator calculator(flatTable(20.0f), 140);
  std::vector<Spectrum> spectra(3);
  std::vector<PointQuantities> out(2);
  EXPECT_THROW(calculator.compute(spectra, out), std::invalid_argument);
}

}  // namespace
