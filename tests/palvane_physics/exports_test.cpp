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
#include "palvane/physics/csv_text.h"
#include "palvane/physics/report_set.h"
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

const ExportStamp kStamp{"Palvane 1.0", "2026-12-08 14:32",
                         EngineReferences{19.611, 0.1234, 0.48922}};
const TubeSetup kRun{.tubeVoltage = 30.0,
                     .targetAngle = 10.0,
                     .tiltAngle = 4.0,
                     .beryllium = 0.8,
                     .aluminium = 0.0,
                     .molybdenum = 0.03,
                     .rhodium = 0.0,
                     .airLayer = 60.0};

const char kHeaderBlock[] =
    "# Palvane 1.0\r\n"
    "# Saved: 2026-12-08 14:32\r\n"
    "# Target: molybdenum\r\n"
    "# Tube voltage (kV): 30\r\n"
    "# Target angle (deg): 10\r\n"
    "# Tilt angle (deg): 4\r\n"
    "# Beryllium (mm): 0.8\r\n"
    "# Aluminium (mm): 0\r\n"
    "# Molybdenum filter (mm): 0.03\r\n"
    "# Rhodium filter (mm): 0\r\n"
    "# Air layer (cm): 60\r\n"
    "# Reference energy fluence (model units): 19.611\r\n"
    "# Reference air kerma (model units): 0.1234\r\n"
    "# Reference Al HVL (mm): 0.48922\r\n";

TEST(MapCsv, StatesTheRunThenGivesEveryGridPointInPercent) {
  FieldMap map{};
  map[1][1] = 1.0;
  map[2][1] = 1.001;   // HVL 1.001 * 0.48922 = 0.48970922, of which 4 digits are known
  map[1][2] = 0.9987;  // 0.9987 * 0.48922 = 0.488584...
  map[76][51] = 2.0;
  const std::string text = mapCsv(map, MapQuantity::kHvl, kStamp, kRun);
  EXPECT_TRUE(startsWith(text, std::string(kHeaderBlock) +
                                   "X (mm),Y (mm),Relative Al HVL (%),Al HVL (mm)\r\n"
                                   "0,0,100,0.4892\r\n2,0,100.1,0.4897\r\n4,0,,\r\n"))
      << text.substr(0, 900);
  // No HVL was computed beyond the heel cut-off (0 in the map): empty cells, not 0.
  EXPECT_NE(text.find("\r\n150,0,,\r\n0,2,99.87,0.4886\r\n"), std::string::npos);
  EXPECT_TRUE(endsWith(text, "\r\n150,100,200,0.9784\r\n"));
  EXPECT_EQ(lineCount(text), 14u + 1u + 76u * 51u);

  const std::string fluence = mapCsv(map, MapQuantity::kEnergyFluence, kStamp, kRun);
  EXPECT_NE(fluence.find("\r\nX (mm),Y (mm),Relative energy fluence (%)\r\n0,0,100\r\n"),
            std::string::npos);
}

TEST(MapCsv, RefusesValuesAFileMustNotHold) {
  FieldMap map{};
  map[2][1] = kNan;
  try {
    mapCsv(map, MapQuantity::kAirKerma, kStamp, kRun);
    FAIL() << "a NaN was exported";
  } catch (const ExportError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Relative air kerma at X = 2 mm, Y = 0 mm is not a finite number");
  }
  EXPECT_THROW(profilesCsv(map, FieldMap{}, FieldMap{}, kStamp, kRun), ExportError);
  // Without a beam-axis HVL the absolute column would be all wrong.
  for (double axisHvl : {0.0, -0.3, kNan}) {
    ExportStamp stamp = kStamp;
    stamp.references->hvl = axisHvl;
    EXPECT_THROW(mapCsv(FieldMap{}, MapQuantity::kHvl, stamp, kRun), ExportError) << axisHvl;
  }
  ExportStamp unknown = kStamp;
  unknown.references.reset();
  EXPECT_THROW(mapCsv(FieldMap{}, MapQuantity::kHvl, unknown, kRun), ExportError);
  FieldMap huge{};
  huge[1][1] = std::numeric_limits<double>::max();
  EXPECT_THROW(mapCsv(huge, MapQuantity::kHvl, kStamp, kRun), ExportError);
}

TEST(ProfilesCsv, ListsTheAxisRowsOfTheThreeMaps) {
  FieldMap fluence{}, kerma{}, hvl{};
  fluence[1][1] = kerma[1][1] = hvl[1][1] = 1.0;
  fluence[2][1] = 0.985;
  kerma[2][1] = 0.97;
  hvl[2][1] = 1.02;     // 1.02 * 0.48922 = 0.4990044
  fluence[2][2] = 7.0;  // off the axis: not in the profile
  const std::string text = profilesCsv(fluence, kerma, hvl, kStamp, kRun);
  EXPECT_TRUE(startsWith(text, std::string(kHeaderBlock) +
                                   "X (mm),Relative energy fluence (%),Relative air kerma (%),"
                                   "Relative Al HVL (%),Al HVL (mm)\r\n"
                                   "0,100,100,100,0.4892\r\n2,98.5,97,102,0.499\r\n4,0,0,,\r\n"))
      << text.substr(0, 900);
  EXPECT_EQ(lineCount(text), 14u + 1u + 76u);
}

SpectrumExportSettings pointSettings() {
  SpectrumExportSettings settings;
  settings.setup = kRun;
  settings.setup.tubeVoltage = 28.0;
  settings.setup.targetAngle = 16.0;
  settings.setup.tiltAngle = 6.0;
  settings.setup.beryllium = 1.0;
  settings.setup.airLayer = 50.0;
  settings.pointX = 2.0;
  settings.pointY = -1.0;
  return settings;
}

TEST(SpectrumCsv, StatesTheSettingsAndBeamQualityThenListsEveryBinInPercent) {
  BinArray spectrum{};
  spectrum[2] = 50.0;
  spectrum[3] = 200.0;
  SpectrumExportSettings settings = pointSettings();
  settings.quality = BeamQuality{17.854, 0.3124, 0.4, 0.781, 923.0};
  settings.axisAirKerma = 1000.0;
  ExportStamp stamp = kStamp;
  stamp.references.reset();  // a spectrum of the spectrum form has no engine run
  const std::string text = spectrumCsv(spectrum, 200.0, settings, stamp);
  const std::string head =
      "# Palvane 1.0\r\n"
      "# Saved: 2026-12-08 14:32\r\n"
      "# Target: molybdenum\r\n"
      "# Tube voltage (kV): 28\r\n"
      "# Target angle (deg): 16\r\n"
      "# Tilt angle (deg): 6\r\n"
      "# Beryllium (mm): 1\r\n"
      "# Aluminium (mm): 0\r\n"
      "# Molybdenum filter (mm): 0.03\r\n"
      "# Rhodium filter (mm): 0\r\n"
      "# Air layer (cm): 50\r\n"
      "# Point X (mm): 20\r\n"
      "# Point Y (mm): -10\r\n"
      "# Photons per bin at 100 %: 200\r\n"
      "# Mean energy (keV): 17.85\r\n"
      "# HVL1 (mm Al): 0.312\r\n"
      "# HVL2 (mm Al): 0.400\r\n"
      "# Homogeneity coefficient: 0.78\r\n"
      "# Relative air kerma (%): 92.3\r\n"
      "Energy (keV),Relative photon fluence (%)\r\n"
      "0.2,0\r\n0.4,25\r\n0.6,100\r\n0.8,0\r\n";
  EXPECT_TRUE(startsWith(text, head)) << text.substr(0, head.size());
  EXPECT_TRUE(endsWith(text, "\r\n49.8,0\r\n50,0\r\n"));
  EXPECT_EQ(lineCount(text), 19u + 1u + 250u);

  // A calibrated output adds the absolute air kerma; an undefined quality says so.
  settings.absoluteAirKerma = 61.23456;
  EXPECT_NE(
      spectrumCsv(spectrum, 200.0, settings, stamp)
          .find("# Relative air kerma (%): 92.3\r\n# Absolute air kerma (uGy/mAs): 61.23\r\n"),
      std::string::npos);
  EXPECT_NE(spectrumCsv(spectrum, 200.0, pointSettings(), stamp)
                .find("# Photons per bin at 100 %: 200\r\n# Beam quality: not defined\r\n"),
            std::string::npos);
}

TEST(SpectrumCsv, NeedsAPositivePeakAndFiniteValues) {
  BinArray spectrum{};
  spectrum[5] = 1.0;
  for (double normaliser : {0.0, -1.0, kNan}) {
    EXPECT_THROW(spectrumCsv(spectrum, normaliser, pointSettings(), kStamp), ExportError)
        << normaliser;
  }
  spectrum[7] = kNan;
  EXPECT_THROW(spectrumCsv(spectrum, 1.0, pointSettings(), kStamp), ExportError);
}

TEST(SummaryCsv, GivesOneRowPerSpectrumWithTheReadOutFigures) {
  SpectrumExportSettings axis = pointSettings();
  axis.pointX = axis.pointY = 0.0;
  axis.quality = BeamQuality{17.854, 0.3124, 0.4, 0.781, 1000.0};
  axis.axisAirKerma = 1000.0;
  SpectrumExportSettings point = pointSettings();
  point.quality = BeamQuality{18.0, 0.33349, 0.41, 0.8134, 923.0};  // no reference known
  const std::string text =
      summaryCsv({{"spectrum_axis.csv", axis}, {"spectrum_point_1.csv", point}}, kStamp, kRun);
  EXPECT_TRUE(endsWith(text, std::string(kHeaderBlock) +
                                 "File,Point X (mm),Point Y (mm),Mean energy (keV),HVL1 (mm Al),"
                                 "HVL2 (mm Al),Homogeneity coefficient,Relative air kerma (%),"
                                 "Absolute air kerma (uGy/mAs)\r\n"
                                 "spectrum_axis.csv,0,0,17.85,0.312,0.400,0.78,100.0,\r\n"
                                 "spectrum_point_1.csv,20,-10,18.00,0.333,0.410,0.81,,\r\n"))
      << text;
}

TEST(ReportSet, FolderNameAndReadme) {
  EXPECT_EQ(setFolderName("2026-12-08_1432", kRun), "2026-12-08_1432_Mo_30kV_th10_ph4");
  TubeSetup tungsten = kRun;
  tungsten.target = Target::kTungsten;
  tungsten.targetAngle = 12.5;
  EXPECT_EQ(setFolderName("2026-12-08_1432", tungsten), "2026-12-08_1432_W_30kV_th12.5_ph4");
  tungsten.tiltAngle = kNan;
  EXPECT_THROW(setFolderName("x", tungsten), ExportError);
  const std::string readme = setReadme(kStamp, {"spectrum_axis.csv", "spectrum_point_1.csv"});
  for (const char* named : {"map_hvl.csv", "profiles.csv", "summary.csv", "spectrum_axis.csv",
                            "spectrum_point_1.csv", "SVG"}) {
    EXPECT_NE(readme.find(named), std::string::npos) << named;
  }
}

// The set's text files come in the order a reader of the folder expects, and data a file
// cannot hold is reported with the name of that file.
TEST(ReportSet, TextFilesInOrderAndAFaultNamesItsFile) {
  ReportSetContents contents{kStamp, kRun};
  BinArray photons{};
  photons[100] = 2.0;
  contents.spectra = {{photons, 2.0, pointSettings()}, {photons, 2.0, pointSettings()}};
  const auto names = [](const std::vector<SetFile>& files) {
    std::vector<std::string> list;
    for (const SetFile& file : files) list.push_back(file.name);
    return list;
  };
  const std::vector<std::string> plain = {
      "map_energy_fluence.csv", "map_air_kerma.csv",    "map_hvl.csv", "profiles.csv",
      "spectrum_axis.csv",      "spectrum_point_1.csv", "summary.csv", "README.txt"};
  const std::vector<SetFile> files = reportSetTexts(contents);
  EXPECT_EQ(names(files), plain);
  EXPECT_EQ(files[7].bytes, setReadme(kStamp, {"spectrum_axis.csv", "spectrum_point_1.csv"}));

  contents.referenceKerma = 59.17;
  std::vector<std::string> withOutput = plain;
  withOutput.insert(withOutput.begin() + 4, "map_absolute_air_kerma.csv");
  EXPECT_EQ(names(reportSetTexts(contents)), withOutput);

  contents.kerma[3][2] = kNan;
  try {
    reportSetTexts(contents);
    FAIL() << "no error for a map that holds NaN";
  } catch (const SetFileError& error) {
    EXPECT_EQ(error.file, "map_air_kerma.csv");
  }
}

TEST(CsvExportFiles, ReplaceTheFileOrLeaveItAsItWas) {
  ScratchDirectory scratch;
  const auto file = scratch.write("profile.csv", "old contents");
  writeExportFile(file, [] { return std::string("new contents"); });
  EXPECT_EQ(scratch.read("profile.csv"), "new contents");

  // Data the export cannot hold: the message names the file, which keeps its contents.
  const auto kept = scratch.write("map.csv", "old contents");
  ExportStamp unknown = kStamp;
  unknown.references.reset();
  try {
    writeExportFile(kept, [&] { return mapCsv(FieldMap{}, MapQuantity::kHvl, unknown, kRun); });
    FAIL() << "no error for a map without a beam-axis HVL";
  } catch (const FileError& error) {
    EXPECT_NE(std::string(error.what()).find(kept.string()), std::string::npos) << error.what();
  }
  EXPECT_EQ(scratch.read("map.csv"), "old contents");

  const auto nowhere = scratch.path() / "missing" / "spectrum.csv";
  try {
    writeExportFile(nowhere, [] { return std::string("text"); });
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
  const std::string profile = mapCsv(map, MapQuantity::kEnergyFluence, kStamp, kRun);
  const std::string spectrum = spectrumCsv(BinArray{}, 1.5, pointSettings(), kStamp);
  const std::vector<std::string> lines =
      beamQualityLines(BeamQuality{17.854, 0.3124, 0.4, 0.781, 923.0}, 1000.0);
  std::setlocale(LC_ALL, previousC.c_str());
  std::locale::global(previousCpp);

  EXPECT_NE(profile.find("\r\n0,0,50\r\n2,0,0\r\n"), std::string::npos);
  EXPECT_NE(profile.find("# Reference Al HVL (mm): 0.48922\r\n"), std::string::npos);
  EXPECT_NE(spectrum.find("# Photons per bin at 100 %: 1.5\r\n"), std::string::npos);
  EXPECT_NE(spectrum.find("# Molybdenum filter (mm): 0.03\r\n"), std::string::npos);
  EXPECT_EQ(lines[0], "Mean energy  17.85 keV");
  EXPECT_EQ(lines[4], "Relative air kerma 92.3 %");
}

}  // namespace
}  // namespace palvane
