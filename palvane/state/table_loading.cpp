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

CoefficientColumns readCoefficients(const std::filesystem::path& file) {
  checkEnergyColumn(file, readInputFile(file), kLastBin);
  FieldReader reader(file);
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

StoppingPowerArray readStoppingPowers(const std::filesystem::path& file) {
  FieldReader reader(file);
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
  const CoefficientColumns columns = readCoefficients(directory / kCoefficientTableFile);
  ModelTables tables;
  tables.MuMo = columns.molybdenum;
  tables.MuRh = columns.rhodium;
  tables.MuAl = columns.aluminium;
  tables.MuBe = columns.beryllium;
  tables.MuAir = columns.air;
  tables.MuW = columns.tungsten;
  tables.MuEnAir = columns.airEnergyAbsorption;
  tables.MoStp = readStoppingPowers(directory / kStoppingPowerTableFile);
  try {
    tables.Materials = readMaterialColumns(directory / kMaterialTableFile);
  } catch (const FileError& error) {
    tables.MaterialsProblem = error.what();
  }
  tables.Pi = 3.14159;  // the five-decimal value the whole product uses, not full pi
  return tables;
}

}  // namespace palvane
