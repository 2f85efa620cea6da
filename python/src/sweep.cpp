#include <pybind11/stl.h>

#include "bindings.h"
#include "sweep/combination_run.h"
#include "sweep/sweep_run.h"
#include "sweep/sweep_settings.h"
#include "text_files/number_text.h"

namespace palvane_python {

namespace {

using palvane::TubeSetup;

// A column of the records: the position on the anode-cathode axis, "x50mm".
std::string positionTag(double positionCm) {
  return "x" + palvane::ShortestText(positionCm * 10) + "mm";
}

py::dict recordOf(const TubeSetup& setup, const sweep::CombinationOutcome& outcome) {
  py::dict record;
  record["target"] = std::string(palvane::targetName(setup.target));
  for (const palvane::SetupField& field : palvane::kSetupFields) {
    record[keywordOf(field).c_str()] = setup.*field.member;
  }
  const py::object none = py::none();
  const sweep::ResultSummary& summary = outcome.summary;
  record["energy_fluence_reference"] = outcome.ok ? py::float_(summary.energyFluence) : none;
  record["air_kerma_reference"] = outcome.ok ? py::float_(summary.airKerma) : none;
  record["hvl_reference_mm"] = outcome.ok ? py::float_(summary.halfValueLayer) : none;
  for (std::size_t i = 0; i < sweep::kReportedPositionsCm.size(); ++i) {
    const std::string tag = positionTag(sweep::kReportedPositionsCm[i]);
    record[("relative_air_kerma_" + tag).c_str()] =
        outcome.ok ? py::float_(summary.relativeAirKerma[i]) : none;
    record[("relative_hvl_" + tag).c_str()] =
        outcome.ok ? py::float_(summary.relativeHalfValueLayer[i]) : none;
  }
  record["status"] = outcome.ok ? std::string("ok") : outcome.failure;
  return record;
}

py::list runSweep(const std::vector<TubeSetup>& setups, const tube_model::Tables& tables,
                  int threads) {
  if (threads < 1) throw py::value_error("threads must be 1 or more");
  std::vector<sweep::CombinationOutcome> outcomes;
  {
    py::gil_scoped_release released;
    const sweep::EngineTables engineTables{tables};
    sweep::SweepJob job;
    job.combinations = setups;
    job.parallelRuns = threads;
    job.run = [&](const TubeSetup& setup) { return sweep::runCombination(engineTables, setup); };
    outcomes = sweep::runSweep(job);
  }
  py::list records;
  for (std::size_t n = 0; n < setups.size(); ++n) records.append(recordOf(setups[n], outcomes[n]));
  return records;
}

// The values of one setting's list, each checked as a set-up's value.
std::vector<double> numbersOf(const std::string& keyword, const py::handle& values) {
  std::vector<double> numbers;
  for (const py::handle value : py::iter(values)) {
    py::kwargs one;
    one[keyword.c_str()] = value;
    numbers.push_back(py::cast(setupFrom(one, TubeSetup{})).attr(keyword.c_str()).cast<double>());
  }
  if (numbers.empty()) throwSetupError(keyword + ": an empty list");
  return numbers;
}

// Every combination of the lists, in the order of sweep's rows.
std::vector<TubeSetup> combinations(const py::kwargs& lists) {
  sweep::SweepRequest request;
  for (const auto& [key, values] : lists) {
    const std::string keyword = py::str(key);
    if (py::isinstance<py::str>(values)) throw py::type_error(keyword + " must be a list");
    if (keyword == "target") {
      request.targets.clear();
      for (const py::handle value : py::iter(values)) {
        py::kwargs one;
        one["target"] = value;
        request.targets.push_back(setupFrom(one, TubeSetup{}).target);
      }
      if (request.targets.empty()) throwSetupError("target: an empty list");
      continue;
    }
    const palvane::SetupField* listed = nullptr;
    for (const palvane::SetupField& field : palvane::kSetupFields) {
      if (keywordOf(field) == keyword) listed = &field;
    }
    if (listed == nullptr) throw py::type_error("combinations() takes no list " + keyword);
    request.listOf(*listed) = numbersOf(keyword, values);
  }
  return sweep::expandCombinations(request);
}

}  // namespace

void bindSweep(py::module_& module) {
  module.def("run_sweep", &runSweep, py::arg("setups"), py::arg("tables"), py::arg("threads"));
  module.def("combinations", &combinations,
             "Every combination of lists of settings, in the order of sweep's rows (target "
             "slowest, rhodium fastest); a setting not given keeps the spectrum form's "
             "default, and the added filters not given follow each target.");
}

}  // namespace palvane_python
