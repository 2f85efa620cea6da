// The pieces of the comparison with measured spectra: the catalogue reader, the move onto
// the model's bins, and the engines' beam-axis spectra with the one beam-quality routine.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "engine/engine_run.h"
#include "engine/table_files.h"
#include "measured_spectra/catalogue_spectrum.h"
#include "measured_spectra/model_beams.h"
#include "test_paths.h"
#include "text_files/result_file.h"
#include "text_files/scratch_directory.h"

namespace {

using measured::CatalogueSpectrum;

TEST(CatalogueSpectrum, ReadsTheTwoColumnsAndNamesTheLineOfABadOne) {
  ScratchDirectory scratch;
  const std::filesystem::path file = scratch.path() / "Mo_28kV.dat";
  std::ofstream(file, std::ios::binary) << "# anode angle: 26\xb0\r\n# [keV] \t fluence\r\n"
                                           "2.500e-01 \t 0.00000e+00\r\n5.000e-01 \t 2.5e-02\r\n";
  const CatalogueSpectrum spectrum = measured::readCatalogueSpectrum(file);
  EXPECT_EQ(spectrum.topEnergy, (std::vector<double>{0.25, 0.5}));
  EXPECT_EQ(spectrum.fluence, (std::vector<double>{0.0, 0.025}));

  for (const auto& [text, line] :
       {std::pair{"0.25 1\n0.5 1 7\n", 2}, std::pair{"0.25 1\n0.5 -1\n", 2},
        std::pair{"0.25 1\n0.5 1\n0.8 1\n", 3}, std::pair{"0.25 1\n0.25 1\n", 2}}) {
    std::ofstream(file, std::ios::binary) << text;
    try {
      measured::readCatalogueSpectrum(file);
      ADD_FAILURE() << text;
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find("Mo_28kV.dat, line " + std::to_string(line)),
                std::string::npos)
          << error.what();
    }
  }
}

TEST(CatalogueSpectrum, PhotonsMoveOntoTheModelBinsByOverlap) {
  // 17.25 to 17.5 keV, 4 per keV: 1 photon. Bin 86 (17.1 to 17.3 keV) takes 0.05 keV of it,
  // bin 87 (17.3 to 17.5 keV) 0.2 keV; 49.75 to 50 keV, 2 per keV, falls into bin 249
  // (49.7 to 49.9 keV, 0.15 keV of it) and bin 250 (0.1 keV).
  CatalogueSpectrum spectrum;
  for (int k = 1; k <= 200; ++k) {
    spectrum.topEnergy.push_back(0.25 * k);
    spectrum.fluence.push_back(k == 70 ? 4.0 : k == 200 ? 2.0 : 0.0);
  }
  const palvane::BinArray photons = measured::onModelBins(spectrum);
  EXPECT_NEAR(photons[86], 0.2, 1e-12);
  EXPECT_NEAR(photons[87], 0.8, 1e-12);
  EXPECT_NEAR(photons[249], 0.3, 1e-12);
  EXPECT_NEAR(photons[250], 0.2, 1e-12);
  double total = 0.0;
  for (double bin : photons) total += bin;
  EXPECT_NEAR(total, 1.5, 1e-12);
}

// The beam-axis spectrum taken in-process is the one whose HVL the engine writes for the
// same settings (B2F.dat with 100 cm of air), and the one routine meets that HVL.
TEST(ModelBeams, BeamAxisMeetsTheEngineRunAndTheRoutineItsHvl) {
  const measured::ModelBeams beams(testpaths::kDataDir);
  const engine::CoefficientTable table =
      engine::readCoefficientTable(std::filesystem::path(testpaths::kDataDir) / "MUs3.dat");
  dornic::MolybdenumModel molybdenum;
  molybdenum.readTables(testpaths::kDataDir);
  const vessick::TungstenModel tungsten;
  const struct {
    measured::Beam beam;
    const engine::TargetModel* model;
    const char* parameters;
  } cases[] = {
      {{measured::Anode::kMolybdenum, 28, 0.03, 0.0, {}},
       &molybdenum,
       "0\r\n28.0\r\n26.0\r\n00.0\r\n01.00\r\n00.10\r\n00.030\r\n00.000\r\n100.000\r\n"},
      {{measured::Anode::kTungsten, 30, 0.0, 0.05, {}},
       &tungsten,
       "1\r\n30.0\r\n30.0\r\n00.0\r\n04.00\r\n00.10\r\n00.000\r\n00.050\r\n100.000\r\n"},
  };
  for (const auto& c : cases) {
    std::ostringstream warnings;
    const engine::RunFiles files = engine::computeRun(*c.model, table, c.parameters, warnings);
    const double engineHvl = palvane::readResultMaps("Result.dat", files.result).axisHvl;
    const measured::ModelBeams::Axis axis = beams.beamAxis(c.beam, 0.1);
    EXPECT_NEAR(axis.engineHvl, engineHvl, 0.00006) << c.parameters;  // Result.dat's 4 decimals
    const std::optional<palvane::BeamQuality> quality = beams.quality(axis.photons);
    ASSERT_TRUE(quality);
    EXPECT_NEAR(quality->firstHvl, axis.engineHvl, 0.0001) << c.parameters;
  }
}

}  // namespace
