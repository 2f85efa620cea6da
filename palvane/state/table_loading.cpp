#include "palvane/state/table_loading.h"

#include "palvane/state/energy_column.h"
#include "palvane/state/material_table.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"
#include "text_files/input_file.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

// Ten columns per row of MUs3.dat; the ones without a place here are not used by the
// interactive program (photon energy, plastic, water).
struct CoefficientColumns {
  BinArray molybdenum{}, rhodium{}, aluminium{}, beryllium{}, air{}, airEnergyAbsorption{},
      tungsten{};
};

CoefficientColumns readCoefficients(const std::filesystem::path& file, const std::string& text) {
  checkEnergyColumn(file, text, kLastBin);
  FieldReader reader(file.string(), text);
  CoefficientColumns columns;
  for (int bin = 1; bin <= kLastBin; ++bin) {
    reader.next();  // photon energy of the row
    columns.molybdenum[bin] = reader.next();
    columns.rhodium[bin] = reader.next();
    columns.aluminium[bin] = reader.next();
    columns.beryllium[bin] = reader.next();
    reader.next();
    columns.air[bin] = reader.next();
    columns.airEnergyAbsorption[bin] = reader.next();
    reader.next();
    columns.tungsten[bin] = reader.next();
  }
  return columns;
}

StoppingPowerArray readStoppingPowers(const std::filesystem::path& file, const std::string& text) {
  FieldReader reader(file.string(), text);
  StoppingPowerArray rows{};
  for (int row = 1; row <= kStoppingPowerRows; ++row) {
    rows[0][row] = reader.next();
    rows[1][row] = reader.next();
  }
  return rows;
}

}  // namespace

void LoadTables() { LoadTables(std::filesystem::path()); }

void LoadTables(const std::filesystem::path& directory) {
  // Both files are read completely before anything is stored.
  static_cast<ModelTables&>(state()) = readModelTables(directory);
}

ModelTables readModelTables(const std::filesystem::path& directory) {
  const std::filesystem::path materials = directory / kMaterialTableFile;
  std::optional<std::string> materialText;
  std::string materialsProblem;
  try {
    materialText = readInputFile(materials);
  } catch (const FileError& error) {
    materialsProblem = error.what();
  }
  const std::filesystem::path coefficients = directory / kCoefficientTableFile;
  const std::filesystem::path stoppingPowers = directory / kStoppingPowerTableFile;
  ModelTables tables = modelTablesOfTexts(
      {readInputFile(coefficients), readInputFile(stoppingPowers), materialText}, directory);
  if (!materialText) tables.MaterialsProblem = materialsProblem;
  return tables;
}

ModelTables modelTablesOfTexts(const ModelTableTexts& texts,
                               const std::filesystem::path& directory) {
  const CoefficientColumns columns =
      readCoefficients(directory / kCoefficientTableFile, texts.coefficients);
  ModelTables tables;
  tables.MuMo = columns.molybdenum;
  tables.MuRh = columns.rhodium;
  tables.MuAl = columns.aluminium;
  tables.MuBe = columns.beryllium;
  tables.MuAir = columns.air;
  tables.MuW = columns.tungsten;
  tables.MuEnAir = columns.airEnergyAbsorption;
  tables.MoStp = readStoppingPowers(directory / kStoppingPowerTableFile, texts.stoppingPowers);
  const std::filesystem::path materials = directory / kMaterialTableFile;
  if (!texts.materials) {
    tables.MaterialsProblem = materials.string() + ": no such table";
  } else {
    try {
      tables.Materials = readMaterialColumns(materials, *texts.materials);
    } catch (const FileError& error) {
      tables.MaterialsProblem = error.what();
    }
  }
  tables.Pi = 3.14159;  // the five-decimal value the whole product uses, not full pi
  return tables;
}

}  // namespace palvane
