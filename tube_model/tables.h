#pragma once

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "engine/added_layers.h"
#include "engine/coefficient_table.h"
#include "engine/target_model.h"
#include "text_files/tube_setup.h"

namespace tube_model {

// Tables that cannot be used, settings the model cannot compute, a point where the model
// has no value. The message names the file (and line) or the setting, as the engines do.
class ModelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The coefficient tables of the engines' model as a value: MUs3.dat and, for the
// molybdenum target, Mo-STP.dat, read and checked by the engines' own readers. Copies are
// cheap and share the tables; a Tables is never changed after it is made, so any number of
// threads may compute with one at once.
class Tables {
 public:
  // Reads MUs3.dat and, when withMolybdenum, Mo-STP.dat from the folder. Throws ModelError
  // with the engine's message ("MUs3.dat, line 12, field 4: ..."). Materials.dat is read
  // too; when it is missing or damaged, that is said only to a set-up with added layers.
  static Tables fromFolder(const std::filesystem::path& folder, bool withMolybdenum = true);

  // The same from the files' texts (the bytes of MUs3.dat and Mo-STP.dat); an empty
  // stoppingPowerText leaves the molybdenum target out, an empty materialText the added
  // layers.
  static Tables fromText(std::string coefficientText, std::string stoppingPowerText,
                         std::string materialText = {});

  // Whether the molybdenum target can be computed (Mo-STP.dat was read).
  bool hasMolybdenum() const;

  // For the code built on the engines: MUs3.dat's columns and the model of a target.
  // model() throws ModelError for the molybdenum target without Mo-STP.dat.
  const engine::CoefficientTable& coefficients() const;
  const engine::TargetModel& model(palvane::Target target) const;
  // Materials.dat's columns; throws ModelError saying why there are none.
  const engine::MaterialTable& materials() const;

 private:
  struct Data;
  explicit Tables(std::shared_ptr<const Data> data) : data_(std::move(data)) {}
  std::shared_ptr<const Data> data_;
};

}  // namespace tube_model
