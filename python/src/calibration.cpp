#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cmath>

#include "bindings.h"
#include "calibration/output_calibration.h"
#include "calibration/profile_file.h"
#include "sweep/aluminium_fit.h"
#include "sweep/combination_run.h"
#include "sweep/heel_fit.h"
#include "sweep/row_calibration.h"

namespace palvane_python {

namespace {

using calibration::HvlPair;

// sweep names its option in its fit messages; here the call is the context.
std::string withoutOptionName(std::string message) {
  for (const std::string option : {"--fit-hvl: ", "--fit-heel: "}) {
    if (message.rfind(option, 0) == 0) message.erase(0, option.size());
  }
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

// The set-up alone computed by the engines, as sweep computes a row.
sweep::SweepJob oneSetupJob(const sweep::EngineTables& tables, const palvane::TubeSetup& setup) {
  sweep::SweepJob job;
  job.combinations = {setup};
  job.parallelRuns = 1;
  job.run = [&tables](const palvane::TubeSetup& settings) {
    return sweep::runCombination(tables, settings);
  };
  return job;
}

// A date as a profile holds it: yyyy-mm-dd, or empty for none.
std::string checkedDate(const std::string& date) {
  const bool shaped = date.size() == 10 && date[4] == '-' && date[7] == '-' &&
                      date.find_first_not_of("0123456789-") == std::string::npos;
  if (!date.empty() && !shaped) throwSetupError("date \"" + date + "\": not a date yyyy-mm-dd");
  return date;
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
    const sweep::SweepJob job = oneSetupJob(engineTables, combinations.front());
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

palvane::Target targetOf(const py::handle& target) {
  if (py::isinstance<py::str>(target)) {
    const std::string name = target.cast<std::string>();
    if (name == "mo") return palvane::Target::kMolybdenum;
    if (name == "w") return palvane::Target::kTungsten;
  }
  throwSetupError("target " + py::repr(target).cast<std::string>() + ": must be \"mo\" or \"w\"");
}

// The fit of the set-up's filters (its added ones included), made for its beryllium, angles
// and filter thicknesses, through its plate.
calibration::FilterCalibration filterCalibration(
    const palvane::TubeSetup& setup, double aluminium,
    const std::vector<std::pair<double, double>>& measured, const std::string& date) {
  if (!std::isfinite(aluminium) || aluminium < 0) {
    throwSetupError("aluminium_mm: must be a number of 0 mm or more");
  }
  calibration::FilterCalibration fit = calibration::FilterCalibration::madeWith(setup);
  fit.aluminium = aluminium;
  fit.date = checkedDate(date);
  if (measured.size() > calibration::kMostHvlPairs) {
    throwSetupError("hvl_pairs: a fit holds at most " + std::to_string(calibration::kMostHvlPairs) +
                    " measured pairs");
  }
  if (!measured.empty()) {
    for (const HvlPair& pair : pairsOf(measured)) fit.pairs.push_back({pair, 0.0});
  }
  return fit;
}

calibration::OutputMeasurement outputMeasurement(double kermaPerLoad, double distance,
                                                 const palvane::TubeSetup& setup,
                                                 const std::string& date) {
  const calibration::OutputCalibration output{kermaPerLoad, distance};
  const std::optional<calibration::OutputProblem> problem = calibration::outputProblem(output);
  if (problem == calibration::OutputProblem::kKermaNotPositive) {
    throwSetupError("kerma_ugy_per_mas: must be a number above 0");
  }
  if (problem == calibration::OutputProblem::kDistanceOutOfRange) {
    throwSetupError("distance_cm: must lie from 10 to 200 cm");
  }
  if (problem) throwSetupError("kerma_ugy_per_mas, distance_cm: too large to scale");
  return {output, setup, checkedDate(date)};
}

// The set-up with the profile's aluminium for its target and added filter, as sweep
// --calibration runs a row; SetupError saying why when the profile cannot serve it.
palvane::TubeSetup applyProfile(const palvane::TubeSetup& setup,
                                const calibration::TubeProfile& profile) {
  if (profile.format < 2) throwSetupError(std::string(sweep::kFormatOneUnserved));
  std::vector<palvane::TubeSetup> rows{setup};
  const sweep::RowCalibrations applied = sweep::applyProfileAluminium(rows, profile);
  if (!applied.fits.front().fit) throwSetupError(applied.notes.front());
  return rows.front();
}

// The air kerma per tube load at the reference point for the set-up, in uGy/mAs: the
// profile's measured output carried to the set-up by the engines' model, as sweep
// --calibration scales a row.
double referenceKerma(const palvane::TubeSetup& setup, const calibration::TubeProfile& profile,
                      const tube_model::Tables& tables) {
  if (!profile.output) throwSetupError("the profile has no measured output");
  if (profile.format < 2) {
    throwSetupError(
        "a profile of format 1 does not state the settings its output was measured "
        "at; load it into palvane with those settings and save it again");
  }
  const std::vector<palvane::TubeSetup> rows{setup};
  sweep::RowCalibrations scaled;
  std::vector<sweep::CombinationOutcome> outcomes;
  {
    py::gil_scoped_release released;
    const sweep::EngineTables engineTables{tables};
    const sweep::SweepJob job = oneSetupJob(engineTables, rows.front());
    outcomes = sweep::runSweep(job);
    sweep::scaleOutput(scaled, rows, outcomes, job, profile.output->output,
                       sweep::measuredAtProfileOutput(*profile.output));
  }
  if (!outcomes.front().ok) throw tube_model::ModelError(outcomes.front().failure);
  if (!scaled.referenceKermas.front()) {
    throwSetupError(scaled.notes.front().empty() ? "no finite air kerma at these settings"
                                                 : scaled.notes.front());
  }
  return *scaled.referenceKermas.front();
}

std::vector<calibration::HeelPoint> heelPointsOf(
    const std::vector<std::pair<double, double>>& measured) {
  if (measured.empty()) throwFitError("heel_points: no measured point to fit");
  if (measured.size() > calibration::kMostHeelPoints) {
    throwFitError("heel_points: more than " + std::to_string(calibration::kMostHeelPoints) +
                  " points");
  }
  std::vector<calibration::HeelPoint> points;
  for (std::size_t n = 0; n < measured.size(); ++n) {
    const auto [position, kerma] = measured[n];
    const std::string name = "heel_points[" + std::to_string(n) + "]: ";
    if (!(position > 0 && position <= calibration::kFarthestHeelPoint)) {
      throwFitError(name + "X must lie above 0 and up to 150 mm");
    }
    if (!(kerma > 0 && kerma <= calibration::kHighestRelativeKerma)) {
      throwFitError(name + "the relative air kerma must lie above 0 and up to 1.5");
    }
    points.push_back({position, kerma, std::nullopt});
  }
  return points;
}

// The target angle fitted to a measured heel with the engines' maps, and with pairs the
// aluminium in turn, as sweep --fit-heel fits a row.
py::dict fitHeel(const palvane::TubeSetup& setup, const tube_model::Tables& tables,
                 const std::vector<std::pair<double, double>>& measuredPoints,
                 const std::vector<std::pair<double, double>>& measuredPairs) {
  const std::vector<calibration::HeelPoint> points = heelPointsOf(measuredPoints);
  const std::vector<HvlPair> pairs =
      measuredPairs.empty() ? std::vector<HvlPair>{} : pairsOf(measuredPairs);
  std::vector<palvane::TubeSetup> combinations{setup};
  std::vector<sweep::AluminiumFit> fits;
  sweep::HeelFitRow heel;
  {
    py::gil_scoped_release released;
    const sweep::EngineTables engineTables{tables};
    const sweep::SweepJob job = oneSetupJob(engineTables, combinations.front());
    heel = sweep::fitHeel(combinations, job, points, pairs, fits).front();
  }
  if (!heel.fit) throwFitError(withoutOptionName(heel.failure));
  py::list pointRecords;
  for (const calibration::HeelPoint& point : heel.fit->points) {
    py::dict record;
    record["x_mm"] = point.position;
    record["measured_relative_air_kerma"] = point.relativeKerma;
    record["model_relative_air_kerma"] = point.modelKerma;
    pointRecords.append(record);
  }
  py::dict result;
  result["target_angle_deg"] = heel.fit->targetAngle;
  result["aluminium_mm"] =
      !fits.empty() && fits.front().fit ? py::cast(fits.front().fit->aluminium) : py::none();
  result["setup"] = combinations.front();
  result["points"] = pointRecords;
  return result;
}

}  // namespace

void bindCalibration(py::module_& module) {
  module.def("fit_aluminium", &fitAluminium, py::arg("setup"), py::arg("tables"),
             py::arg("hvl_pairs"));
  module.def("fit_heel", &fitHeel, py::arg("setup"), py::arg("tables"), py::arg("heel_points"),
             py::arg("hvl_pairs"));

  using calibration::FilterCalibration;
  using calibration::OutputMeasurement;
  using calibration::TubeProfile;
  py::class_<FilterCalibration>(module, "FilterCalibration")
      .def(py::init(&filterCalibration), py::arg("setup"), py::arg("aluminium_mm"),
           py::arg("hvl_pairs") = std::vector<std::pair<double, double>>{}, py::arg("date") = "")
      .def_property_readonly(
          "filter",
          [](const FilterCalibration& fit) { return calibration::filterKey(fit.filters); })
      .def_property_readonly("filters",
                             [](const FilterCalibration& fit) {
                               std::vector<std::pair<std::string, double>> filters;
                               for (const palvane::AddedLayer& filter : fit.filters)
                                 filters.emplace_back(filter.material, filter.thickness);
                               return filters;
                             })
      .def_property_readonly("plate",
                             [](const FilterCalibration& fit) -> py::object {
                               if (!fit.plate) return py::none();
                               return py::make_tuple(fit.plate->material, fit.plate->thickness);
                             })
      .def_readonly("beryllium_mm", &FilterCalibration::beryllium)
      .def_readonly("target_angle_deg", &FilterCalibration::targetAngle)
      .def_readonly("tilt_angle_deg", &FilterCalibration::tiltAngle)
      .def_readonly("date", &FilterCalibration::date)
      .def_readonly("aluminium_mm", &FilterCalibration::aluminium)
      .def_property_readonly("hvl_pairs", [](const FilterCalibration& fit) {
        std::vector<std::pair<double, double>> pairs;
        for (const calibration::PairFit& pair : fit.pairs)
          pairs.emplace_back(pair.measured.tubeVoltage, pair.measured.hvl);
        return pairs;
      });
  py::class_<OutputMeasurement>(module, "OutputMeasurement")
      .def(py::init(&outputMeasurement), py::arg("kerma_ugy_per_mas"), py::arg("distance_cm"),
           py::arg("setup"), py::arg("date") = "")
      .def_property_readonly(
          "kerma_ugy_per_mas",
          [](const OutputMeasurement& output) { return output.output.kermaPerLoad; })
      .def_property_readonly("distance_cm",
                             [](const OutputMeasurement& output) { return output.output.distance; })
      .def_readonly("setup", &OutputMeasurement::setup)
      .def_readonly("date", &OutputMeasurement::date);
  py::class_<TubeProfile>(module, "TubeProfile")
      .def(py::init([](const std::string& name, const py::handle& target) {
             TubeProfile profile;
             profile.name = name;
             profile.target = targetOf(target);
             return profile;
           }),
           py::arg("name") = "", py::arg("target") = "mo")
      .def_readonly("format", &TubeProfile::format)
      .def_readwrite("name", &TubeProfile::name)
      .def_property_readonly(
          "target", [](const TubeProfile& profile) { return palvane::targetName(profile.target); })
      .def_readonly("filters", &TubeProfile::filters)
      .def_readwrite("output", &TubeProfile::output)
      .def("set_filter_calibration", &TubeProfile::setFilterCalibration, py::arg("fit"));
  module.def("read_profile_file", &calibration::readProfileFile, py::arg("file"));
  module.def("write_profile_file", &calibration::writeProfileFile, py::arg("file"),
             py::arg("profile"));
  module.def("apply_profile", &applyProfile, py::arg("setup"), py::arg("profile"));
  module.def("reference_kerma", &referenceKerma, py::arg("setup"), py::arg("profile"),
             py::arg("tables"));
}

}  // namespace palvane_python
