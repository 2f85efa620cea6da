#include "tube_model/tables.h"

#include <optional>
#include <utility>

#include "dornic/molybdenum_model.h"
#include "engine/input_error.h"
#include "engine/table_files.h"
#include "text_files/table_files.h"
#include "vessick/tungsten_model.h"

namespace tube_model {

struct Tables::Data {
  engine::CoefficientTable coefficients;
  std::optional<dornic::MolybdenumModel> molybdenum;
  vessick::TungstenModel tungsten;
  std::optional<engine::MaterialTable> materials;
  std::string materialsProblem;  // why there are none
};

namespace {

// Runs a reader of the engines and turns its InputError into a ModelError.
template <typename Read>
auto engineRead(Read read) {
  try {
    return read();
  } catch (const engine::InputError& error) {
    throw ModelError(error.what());
  }
}

// Materials.dat read by `read`, or the reason it cannot be used in `problem`.
template <typename Read>
std::optional<engine::MaterialTable> materialsOrProblem(Read read, std::string& problem) {
  try {
    return read();
  } catch (const engine::InputError& error) {
    problem = error.what();
    return std::nullopt;
  }
}

}  // namespace

Tables Tables::fromFolder(const std::filesystem::path& folder, bool withMolybdenum) {
  auto data = std::make_shared<Data>();
  data->coefficients = engineRead(
      [&] { return engine::readCoefficientTable(folder / palvane::kCoefficientTableFile); });
  if (withMolybdenum) {
    data->molybdenum.emplace();
    engineRead([&] {
      data->molybdenum->readTables(folder);
      return 0;
    });
  }
  data->materials = materialsOrProblem(
      [&] { return engine::readMaterialTable(folder / engine::kMaterialTableFile); },
      data->materialsProblem);
  return Tables(std::move(data));
}

Tables Tables::fromText(std::string coefficientText, std::string stoppingPowerText,
                        std::string materialText) {
  auto data = std::make_shared<Data>();
  data->coefficients = engineRead([&] {
    return engine::readCoefficientTableText(std::move(coefficientText),
                                            palvane::kCoefficientTableFile);
  });
  if (!stoppingPowerText.empty()) {
    data->molybdenum.emplace();
    engineRead([&] {
      data->molybdenum->useStoppingPowerTable(engine::readStoppingPowerTableText(
          std::move(stoppingPowerText), palvane::kStoppingPowerTableFile));
      return 0;
    });
  }
  if (materialText.empty()) {
    data->materialsProblem = std::string("no ") + engine::kMaterialTableFile + " was given";
  } else {
    data->materials = materialsOrProblem(
        [&] {
          return engine::readMaterialTableText(std::move(materialText), engine::kMaterialTableFile);
        },
        data->materialsProblem);
  }
  return Tables(std::move(data));
}

bool Tables::hasMolybdenum() const { return data_->molybdenum.has_value(); }

const engine::CoefficientTable& Tables::coefficients() const { return data_->coefficients; }

const engine::TargetModel& Tables::model(palvane::Target target) const {
  if (target == palvane::Target::kTungsten) return data_->tungsten;
  if (!data_->molybdenum) {
    throw ModelError(std::string("the molybdenum target needs ") +
                     palvane::kStoppingPowerTableFile + ", which these tables lack");
  }
  return *data_->molybdenum;
}

const engine::MaterialTable& Tables::materials() const {
  if (!data_->materials) {
    throw ModelError("added layers need " + std::string(engine::kMaterialTableFile) + ": " +
                     data_->materialsProblem);
  }
  return *data_->materials;
}

}  // namespace tube_model
