#include <pybind11/numpy.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cmath>

#include "bindings.h"
#include "text_files/atomic_file.h"
#include "text_files/number_text.h"
#include "text_files/parameter_file.h"
#include "tube_model/field.h"
#include "tube_model/point.h"

namespace palvane_python {

namespace {

using tube_model::FieldResult;
using tube_model::PointResult;

// The grid's extent in mm.
constexpr double kMapLengthMm = (tube_model::kColumns - 1) * tube_model::kGridStepMm;
constexpr double kMapWidthMm = (tube_model::kRows - 1) * tube_model::kGridStepMm;

// A read-only NumPy array holding a copy of the values.
template <typename Value>
py::array_t<Value> readOnlyArray(const Value* values, std::vector<py::ssize_t> shape) {
  py::array_t<Value> array(shape, values);
  array.attr("flags").attr("writeable") = false;
  return array;
}

// Rows are Y (0, 2, ... 100 mm), columns X (0, 2, ... 150 mm): the layout of Result.dat,
// X varying fastest.
py::array_t<float> mapArray(const tube_model::FieldMap& map) {
  return readOnlyArray(map.data(), {tube_model::kRows, tube_model::kColumns});
}

// Bins 1..250 (0.2 to 50 keV); the unused index 0 is left out.
py::array_t<float> binArray(const tube_model::BinValues& bins) {
  return readOnlyArray(bins.data() + 1, {tube_model::kBins});
}

py::array_t<double> energies() {
  std::vector<double> keV;
  for (int bin = 1; bin <= tube_model::kBins; ++bin) keV.push_back(tube_model::binEnergyKeV(bin));
  return readOnlyArray(keV.data(), {tube_model::kBins});
}

py::dict sumsDict(const tube_model::PointSums& sums) {
  py::dict values;
  values["peak"] = sums.peak;
  values["photon_fluence"] = sums.photonFluence;
  values["energy_fluence"] = sums.energyFluence;
  values["air_kerma"] = sums.airKerma;
  values["hvl_mm"] = sums.hvl;
  return values;
}

void checkCoordinate(const char* name, double value, double lowest, double highest) {
  if (std::isfinite(value) && value >= lowest && value <= highest) return;
  throw tube_model::ModelError(std::string(name) + " " + palvane::ShortestText(value) +
                               ": outside the map, " + palvane::ShortestText(lowest) + " to " +
                               palvane::ShortestText(highest) + " mm");
}

void writeEngineFiles(const FieldResult& field, const std::filesystem::path& folder) {
  // All three texts first, so that a failure leaves no file half written.
  const std::string parameters = palvane::parameterFileText(field.setup);
  const std::string beamAxis = tube_model::beamAxisText(field);
  const std::string result = tube_model::resultText(field);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  palvane::replaceFileContents(folder / palvane::kParameterFile, parameters);
  if (field.beamAxis) palvane::replaceFileContents(folder / "Beam_Axis.dat", beamAxis);
  palvane::replaceFileContents(folder / "Result.dat", result);
}

}  // namespace

void bindField(py::module_& module) {
  py::class_<FieldResult>(module, "Field", R"(The field of one set-up as the engines compute it.

The maps energy_fluence, air_kerma and hvl are float32 arrays of shape (51, 76), relative
to their value at the reference point (1 there): row r is Y = 2 r mm across the
anode-cathode axis (y_mm), column c is X = 2 c mm along it toward the heel (x_mm), the
layout of Result.dat. Beyond the heel cut-off the values are 0. full(name) gives the map
mirrored about the anode-cathode axis, shape (101, 76), rows y_full_mm = -100..100 mm.)")
      .def_property_readonly("setup", [](const FieldResult& field) { return field.setup; })
      .def_property_readonly("energy_fluence",
                             [](const FieldResult& field) { return mapArray(field.energyFluence); })
      .def_property_readonly("air_kerma",
                             [](const FieldResult& field) { return mapArray(field.airKerma); })
      .def_property_readonly("hvl", [](const FieldResult& field) { return mapArray(field.hvl); })
      .def_property_readonly(
          "energy_fluence_reference",
          [](const FieldResult& field) { return field.energyFluenceReference; },
          "Energy fluence at the reference point (table units: keV times photons).")
      .def_property_readonly(
          "air_kerma_reference", [](const FieldResult& field) { return field.airKermaReference; },
          "Air kerma at the reference point (table units).")
      .def_property_readonly(
          "hvl_reference_mm", [](const FieldResult& field) { return field.hvlReference; },
          "Aluminium half-value layer at the reference point, mm.")
      .def_property_readonly(
          "beam_axis_spectrum",
          [](const FieldResult& field) -> py::object {
            if (!field.beamAxis) return py::none();
            return binArray(field.beamAxis->spectrum);
          },
          "Photons per bin on the beam axis (float32, 250 bins at energy_kev), as "
          "Beam_Axis.dat; None when the beam axis lies beyond the heel cut-off.")
      .def_property_readonly(
          "beam_axis_summary",
          [](const FieldResult& field) -> py::object {
            if (!field.beamAxis) return py::none();
            return sumsDict(field.beamAxis->sums);
          },
          "The five values of Beam_Axis.dat: peak, photon_fluence, energy_fluence, "
          "air_kerma, hvl_mm; None without a beam axis.")
      .def_readonly("warnings", &FieldResult::warnings, "The engine's warnings, one line each.")
      .def(
          "beam_axis_text",
          [](const FieldResult& field) { return py::bytes(tube_model::beamAxisText(field)); },
          "The exact bytes of the engine's Beam_Axis.dat (b'' without a beam axis).")
      .def(
          "result_text",
          [](const FieldResult& field) { return py::bytes(tube_model::resultText(field)); },
          "The exact bytes of the engine's Result.dat.")
      .def("write_engine_files", &writeEngineFiles, py::arg("folder"),
           "Writes B2F.dat, Beam_Axis.dat (when there is a beam axis) and Result.dat into the "
           "folder (made when missing), byte for byte as palvane and the engine write them; each "
           "file is replaced "
           "whole or left as it was.");

  module.def(
      "compute_field",
      [](const palvane::TubeSetup& setup, const tube_model::Tables& tables) {
        py::gil_scoped_release released;
        return tube_model::computeField(setup, tables);
      },
      py::arg("setup"), py::arg("tables"));

  py::class_<PointResult>(module, "PointSpectrum",
                          R"(The spectrum and beam quality at one point of the image plane.)")
      .def_readonly("x_mm", &PointResult::x)
      .def_readonly("y_mm", &PointResult::y)
      .def_property_readonly(
          "spectrum", [](const PointResult& point) { return binArray(point.spectrum); },
          "Photons per bin (float32, 250 bins at energy_kev, table units).")
      .def_readonly("highest_bin", &PointResult::highestBin,
                    "N = trunc(5 kV): bins 2..N carry radiation (1-based).")
      .def_property_readonly(
          "summary", [](const PointResult& point) { return sumsDict(point.sums); },
          "peak, photon_fluence, energy_fluence, air_kerma, hvl_mm.")
      .def_property_readonly("mean_energy_kev",
                             [](const PointResult& point) { return point.quality.meanEnergy; })
      .def_property_readonly("hvl1_mm",
                             [](const PointResult& point) { return point.quality.firstHvl; })
      .def_property_readonly("hvl2_mm",
                             [](const PointResult& point) { return point.quality.secondHvl; })
      .def_property_readonly(
          "homogeneity", [](const PointResult& point) { return point.quality.homogeneity; },
          "HVL1 / HVL2.")
      .def_property_readonly(
          "relative_air_kerma",
          [](const PointResult& point) { return point.quality.relativeAirKerma; },
          "Air kerma relative to the beam axis of the same set-up.");

  module.def(
      "point_spectrum",
      [](const palvane::TubeSetup& setup, const tube_model::Tables& tables, double xMm,
         double yMm) {
        checkCoordinate("x_mm", xMm, 0, kMapLengthMm);
        checkCoordinate("y_mm", yMm, -kMapWidthMm, kMapWidthMm);
        py::gil_scoped_release released;
        return tube_model::pointSpectrum(setup, tables, xMm, yMm);
      },
      py::arg("setup"), py::arg("tables"), py::arg("x_mm"), py::arg("y_mm"));

  module.attr("ENERGY_KEV") = energies();
  module.attr("MAP_LENGTH_MM") = kMapLengthMm;
  module.attr("MAP_WIDTH_MM") = kMapWidthMm;
  module.attr("GRID_STEP_MM") = tube_model::kGridStepMm;
}

}  // namespace palvane_python
