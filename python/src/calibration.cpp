#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cmath>

#include "bindings.h"
#include "calibration/output_calibration.h"
#include "palvane/physics/calibration_file.h"
#include "sweep/aluminium_fit.h"
#include "sweep/combination_run.h"

namespace palvane_python {

namespace {

using calibration::HvlPair;

// sweep names its option in its fit messages; here the call is the context.
std::string withoutOptionName(std::string message) {
  const std::string option = "--fit-hvl: ";
  if (message.rfind(option, 0) == 0) message.erase(0, option.size());
  return message;
}

std::vector<HvlPair> pairsOf(const std::vector<std::pair<double, double>>& measured) {
  if (measured.empty()) throwFitError("hvl_pairs: no measured HVL to fit");
  std::vector<HvlPair> pairs;
  for (std::size_t n = 0; n < measured.size(); ++n) {
    const HvlPair pair{measured[n].first, measured[n].second};
    const std::optional<calibration::PairProblem> problem = calibration::pairProblem(pair);
    const std::string name = "hvl_pairs[" + std::to_string(n) + "]: ";
    if (problem == calibration::PairProblem::kTubeVoltageOutOfRange) {
      throwFitError(name + "the tube voltage must lie from 20 to 50 kV");
    }
    if (problem == calibration::PairProblem::kHvlNotPositive || !std::isfinite(pair.hvl)) {
      throwFitError(name + "the HVL must be a number above 0 mm");
    }
    pairs.push_back(pair);
  }
  return pairs;
}

// The aluminium fitted with the engines' beam-axis HVLs, as sweep --fit-hvl fits it.
py::dict fitAluminium(const palvane::TubeSetup& setup, const tube_model::Tables& tables,
                      const std::vector<std::pair<double, double>>& measured) {
  const std::vector<HvlPair> pairs = pairsOf(measured);
  std::vector<palvane::TubeSetup> combinations{setup};
  sweep::AluminiumFit fit;
  {
    py::gil_scoped_release released;
    const sweep::EngineTables engineTables{tables};
    sweep::SweepJob job;
    job.combinations = combinations;
    job.parallelRuns = 1;
    job.run = [&](const palvane::TubeSetup& settings) {
      return sweep::runCombination(engineTables, settings);
    };
    fit = sweep::fitAluminium(combinations, job, pairs).front();
  }
  if (!fit.fit) throwFitError(withoutOptionName(fit.failure));
  py::list pairRecords;
  for (const calibration::PairFit& pair : fit.fit->pairs) {
    py::dict record;
    record["tube_voltage_kv"] = pair.measured.tubeVoltage;
    record["measured_hvl_mm"] = pair.measured.hvl;
    record["model_hvl_mm"] = pair.modelHvl;
    record["relative_difference"] = pair.relativeDifference();
    pairRecords.append(record);
  }
  py::dict result;
  result["aluminium_mm"] = fit.fit->aluminium;
  result["setup"] = combinations.front();
  result["pairs"] = pairRecords;
  return result;
}

}  // namespace

void bindCalibration(py::module_& module) {
  module.def("fit_aluminium", &fitAluminium, py::arg("setup"), py::arg("tables"),
             py::arg("hvl_pairs"));

  using palvane::TubeCalibrationRecord;
  py::class_<TubeCalibrationRecord>(module, "CalibrationRecord")
      .def(py::init<>())
      .def_property(
          "target",
          [](const TubeCalibrationRecord& record) { return record.targetType == 0 ? "mo" : "w"; },
          [](TubeCalibrationRecord& record, const std::string& target) {
            if (target != "mo" && target != "w") throwSetupError("target: must be \"mo\" or \"w\"");
            record.targetType = target == "mo" ? 0 : 1;
          })
      .def_readwrite("aluminium_mm", &TubeCalibrationRecord::aluminium)
      .def_property(
          "hvl_pairs",
          [](const TubeCalibrationRecord& record) {
            std::vector<std::pair<double, double>> pairs;
            for (const HvlPair& pair : record.pairs) pairs.emplace_back(pair.tubeVoltage, pair.hvl);
            return pairs;
          },
          [](TubeCalibrationRecord& record, const std::vector<std::pair<double, double>>& pairs) {
            record.pairs.clear();
            for (const auto& [voltage, hvl] : pairs) record.pairs.push_back({voltage, hvl});
          })
      .def_property(
          "output",
          [](const TubeCalibrationRecord& record) -> std::optional<std::pair<double, double>> {
            if (!record.output) return std::nullopt;
            return std::pair(record.output->kermaPerLoad, record.output->distance);
          },
          [](TubeCalibrationRecord& record, std::optional<std::pair<double, double>> output) {
            record.output.reset();
            if (output)
              record.output = calibration::OutputCalibration{output->first, output->second};
          });
  module.def("read_calibration_file", &palvane::readCalibrationFile, py::arg("file"));
  module.def("write_calibration_file", &palvane::writeCalibrationFile, py::arg("file"),
             py::arg("record"));
  module.def(
      "reference_kerma",
      [](double kermaPerLoad, double distance) -> std::optional<double> {
        const calibration::OutputCalibration output{kermaPerLoad, distance};
        if (!calibration::isUsable(output)) return std::nullopt;
        return calibration::referenceKerma(output);
      },
      py::arg("kerma_per_load"), py::arg("distance_cm"));
}

}  // namespace palvane_python
