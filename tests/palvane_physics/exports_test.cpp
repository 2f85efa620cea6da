#include "palvane/physics/exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <iterator>
#include <limits>
#include <locale>
#include <string>
#include <vector>

#include "palvane/physics/beam_quality.h"
#include "text_files/file_error.h"
#include "text_files/scratch_directory.h"

namespace palvane {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

std::size_t lineCount(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

bool startsWith(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

bool endsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(ProfileCsv, ListsTheAxisRowInPercent) {
  FieldMap map{};
  map[1][1] = 1.0;
  map[2][1] = 0.985;
  map[3][1] = 1.02;
  map[2][2] = 7.0;  // off the axis: not in the profile
  const std::string text = profileCsv(map, MapQuantity::kAirKerma);
  EXPECT_TRUE(
      startsWith(text, "X (mm),Relative air kerma (%)\r\n0,100\r\n2,98.5\r\n4,102\r\n6,0\r\n"))
      << text;
  EXPECT_TRUE(endsWith(text, "\r\n148,0\r\n150,0\r\n"));
  EXPECT_EQ(lineCount(text), 1u + 76u);
}

TEST(MapCsv, GivesEveryGridPointAndTheAbsoluteHvl) {
  FieldMap map{};
  map[1][1] = 1.0;
  map[2][1] = 1.25;
  map[1][2] = 0.5;
  map[76][51] = 2.0;
  const std::string text = mapCsv(map, MapQuantity::kHvl, 0.4);
  EXPECT_TRUE(startsWith(text,
                         "X (mm),Y (mm),Relative Al HVL (beam axis = 1),Al HVL (mm)\r\n"
                         "0,0,1,0.4\r\n2,0,1.25,0.5\r\n4,0,0,0\r\n"));
  EXPECT_NE(text.find("\r\n150,0,0,0\r\n0,2,0.5,0.2\r\n"), std::string::npos);
  EXPECT_TRUE(endsWith(text, "\r\n150,100,2,0.8\r\n"));
  EXPECT_EQ(lineCount(text), 1u + 76u * 51u);

  const std::string fluence = mapCsv(map, MapQuantity::kEnergyFluence, 0.0);
  EXPECT_TRUE(startsWith(
      fluence, "X (mm),Y (mm),Relative energy fluence (beam axis = 1)\r\n0,0,1\r\n2,0,1.25\r\n"));
}

TEST(MapCsv, RefusesValuesAFileMustNotHold) {
  FieldMap map{};
  map[2][1] = kNan;
  try {
    mapCsv(map, MapQuantity::kAirKerma, 0.4);
    FAIL() << "a NaN was exported";
  } catch (const ExportError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Relative air kerma at X = 2 mm, Y = 0 mm is not a finite number");
  }
  EXPECT_THROW(profileCsv(map, MapQuantity::kAirKerma), ExportError);
  // Without a beam-axis HVL the absolute column would be all wrong.
  for (double axisHvl : {0.0, -0.3, kNan}) {
    EXPECT_THROW(mapCsv(FieldMap{}, MapQuantity::kHvl, axisHvl), ExportError) << axisHvl;
  }
  FieldMap huge{};
  huge[1][1] = std::numeric_limits<double>::max();
  EXPECT_THROW(mapCsv(huge, MapQuantity::kHvl, 2.0), ExportError);
}

SpectrumExportSettings pointSettings() {
  SpectrumExportSettings settings;
  settings.targetType = 0;
  settings.tube = {28.0, 16.0, 6.0, 0.1, 0.0, 0.003, 0.0};  // thicknesses in cm
  settings.pointX = 2.0;
  settings.pointY = -1.0;
  return settings;
}

TEST(SpectrumCsv, StatesTheSettingsThenListsEveryBin) {
  BinArray spectrum{};
  spectrum[2] = 50.0;
  spectrum[3] = 200.0;
  const std::string text = spectrumCsv(spectrum, 200.0, pointSettings());
  const std::string head =
      "# Target: molybdenum\r\n"
      "# Tube voltage (kV): 28\r\n"
      "# Target angle (deg): 16\r\n"
      "# Tilt angle (deg): 6\r\n"
      "# Beryllium (mm): 1\r\n"
      "# Aluminium (mm): 0\r\n"
      "# Molybdenum filter (mm): 0.03\r\n"
      "# Rhodium filter (mm): 0\r\n"
      "# Point X (mm): 20\r\n"
      "# Point Y (mm): -10\r\n"
      "# Photons per bin at relative fluence 1: 200\r\n"
      "Energy (keV),Relative photon fluence\r\n"
      "0.2,0\r\n0.4,0.25\r\n0.6,1\r\n0.8,0\r\n";
  EXPECT_TRUE(startsWith(text, head)) << text.substr(0, head.size());
  EXPECT_TRUE(endsWith(text, "\r\n49.8,0\r\n50,0\r\n"));
  EXPECT_EQ(lineCount(text), 11u + 1u + 250u);

  SpectrumExportSettings tungsten = pointSettings();
  tungsten.targetType = 1;
  EXPECT_EQ(spectrumCsv(spectrum, 200.0, tungsten).rfind("# Target: tungsten\r\n", 0), 0u);
}

TEST(SpectrumCsv, NeedsAPositivePeakAndFiniteValues) {
  BinArray spectrum{};
  spectrum[5] = 1.0;
  for (double normaliser : {0.0, -1.0, kNan}) {
    EXPECT_THROW(spectrumCsv(spectrum, normaliser, pointSettings()), ExportError) << normaliser;
  }
  spectrum[7] = kNan;
  EXPECT_THROW(spectrumCsv(spectrum, 1.0, pointSettings()), ExportError);
}

TEST(CsvExportFiles, ReplaceTheFileOrLeaveItAsItWas) {
  ScratchDirectory scratch;
  const auto file = scratch.write("profile.csv", "old contents");
  FieldMap map{};
  map[1][1] = 1.0;
  writeProfileCsv(file, map, MapQuantity::kEnergyFluence);
  EXPECT_EQ(scratch.read("profile.csv"), profileCsv(map, MapQuantity::kEnergyFluence));

  // Data the export cannot hold: the message names the file, which keeps its contents.
  const auto kept = scratch.write("map.csv", "old contents");
  try {
    writeMapCsv(kept, map, MapQuantity::kHvl, 0.0);
    FAIL() << "no error for a map without a beam-axis HVL";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find(kept.string()), std::string::npos) << error.what();
  }
  EXPECT_EQ(scratch.read("map.csv"), "old contents");

  const auto nowhere = scratch.path() / "missing" / "spectrum.csv";
  BinArray spectrum{};
  spectrum[10] = 3.0;
  try {
    writeSpectrumCsv(nowhere, spectrum, 3.0, pointSettings());
    FAIL() << "no error for a missing directory";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find(nowhere.string()), std::string::npos);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path()),
                          std::filesystem::directory_iterator()),
            2)
      << "no temporary file is left behind";
}

// A number punctuation that writes decimal commas, as a German user's locale would.
struct DecimalComma : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST(CsvExportFiles, KeepTheDecimalPointUnderAGermanLocale) {
  const std::string previousC = std::setlocale(LC_ALL, nullptr);
  const std::locale previousCpp =
      std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
  // The C library's German locale is used too where the machine has one.
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) break;
  }
  FieldMap map{};
  map[1][1] = 0.5;
  const std::string profile = profileCsv(map, MapQuantity::kEnergyFluence);
  const std::string spectrum = spectrumCsv(BinArray{}, 1.5, pointSettings());
  const std::vector<std::string> lines =
      beamQualityLines(BeamQuality{17.854, 0.3124, 0.4, 0.781, 923.0}, 1000.0);
  std::setlocale(LC_ALL, previousC.c_str());
  std::locale::global(previousCpp);

  EXPECT_NE(profile.find("\r\n0,50\r\n2,0\r\n"), std::string::npos);
  EXPECT_NE(spectrum.find("# Photons per bin at relative fluence 1: 1.5\r\n"), std::string::npos);
  EXPECT_NE(spectrum.find("# Molybdenum filter (mm): 0.03\r\n"), std::string::npos);
  EXPECT_EQ(lines[0], "Mean energy  17.85 keV");
  EXPECT_EQ(lines[4], "Relative air kerma 92.3 %");
}

}  // namespace
}  // namespace palvane
