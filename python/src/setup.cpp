#include <pybind11/operators.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <sstream>

#include "bindings.h"
#include "sweep/sweep_settings.h"
#include "text_files/number_text.h"
#include "text_files/parameter_file.h"
#include "tube_model/engine_settings.h"

namespace palvane_python {

namespace {

using palvane::Target;
using palvane::TubeSetup;

Target targetOf(const py::handle& value) {
  const std::string name = py::str(value);
  if (name == "mo") return Target::kMolybdenum;
  if (name == "w") return Target::kTungsten;
  throwSetupError("target " + py::repr(value).cast<std::string>() +
                  ": must be \"mo\" (molybdenum) or \"w\" (tungsten)");
}

double numberOf(const std::string& keyword, const py::handle& value) {
  if (!py::isinstance<py::float_>(value) && !py::isinstance<py::int_>(value)) {
    throw py::type_error(keyword + " must be a number, not " +
                         py::str(py::type::of(value).attr("__name__")).cast<std::string>());
  }
  return value.cast<double>();
}

// A layer as a (material, thickness in mm) pair; `keyword` names the entry in errors.
palvane::AddedLayer layerOf(const std::string& keyword, const py::handle& value) {
  if (!py::isinstance<py::sequence>(value) || py::isinstance<py::str>(value) ||
      py::len(value) != 2 || !py::isinstance<py::str>(value[py::int_(0)])) {
    throw py::type_error(keyword +
                         " must be a (material, thickness_mm) pair such as (\"ag\", "
                         "0.05), not " +
                         py::repr(value).cast<std::string>());
  }
  return {value[py::int_(0)].cast<std::string>(), numberOf(keyword, value[py::int_(1)])};
}

py::tuple layerTuple(const palvane::AddedLayer& layer) {
  return py::make_tuple(layer.material, layer.thickness);
}

py::list filtersList(const TubeSetup& setup) {
  py::list filters;
  for (const palvane::AddedLayer& filter : setup.addedFilters) filters.append(layerTuple(filter));
  return filters;
}

py::object plateObject(const TubeSetup& setup) {
  return setup.plate ? py::object(layerTuple(*setup.plate)) : py::object(py::none());
}

std::string repr(const TubeSetup& setup) {
  std::ostringstream text;
  text << "TubeSetup(target='" << palvane::targetName(setup.target) << "'";
  for (const palvane::SetupField& field : palvane::kSetupFields) {
    text << ", " << keywordOf(field) << "=" << palvane::ShortestText(setup.*field.member);
  }
  if (!setup.addedFilters.empty())
    text << ", filters=" << py::repr(filtersList(setup)).cast<std::string>();
  if (setup.plate) text << ", plate=" << py::repr(plateObject(setup)).cast<std::string>();
  text << ")";
  return text.str();
}

}  // namespace

std::string keywordOf(const palvane::SetupField& field) {
  std::string keyword = std::string(field.name) + "_";
  for (const char letter : field.unit) {
    keyword += static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
  }
  return keyword;
}

TubeSetup setupFrom(const py::kwargs& keywords, TubeSetup base) {
  TubeSetup setup = base;
  bool filtersGiven = false;
  for (const auto& [key, value] : keywords) {
    const std::string keyword = py::str(key);
    if (keyword == "target") {
      setup.target = targetOf(value);
      continue;
    }
    if (keyword == "filters") {
      if (!py::isinstance<py::sequence>(value) || py::isinstance<py::str>(value)) {
        throw py::type_error("filters must be a list of (material, thickness_mm) pairs");
      }
      setup.addedFilters.clear();
      std::size_t n = 0;
      for (const py::handle& layer : value) {
        setup.addedFilters.push_back(layerOf("filters[" + std::to_string(n++) + "]", layer));
      }
      continue;
    }
    if (keyword == "plate") {
      setup.plate.reset();
      if (!value.is_none()) setup.plate = layerOf("plate", value);
      continue;
    }
    bool known = false;
    for (const palvane::SetupField& field : palvane::kSetupFields) {
      if (keywordOf(field) != keyword) continue;
      setup.*field.member = numberOf(keyword, value);
      known = true;
      filtersGiven = filtersGiven || field.member == &TubeSetup::molybdenum ||
                     field.member == &TubeSetup::rhodium;
    }
    if (!known) throw py::type_error("TubeSetup has no setting " + keyword);
  }
  // A new target brings its own added filters unless they are given, as on the form.
  if (setup.target != base.target && !keywords.contains("molybdenum_mm")) {
    setup.molybdenum = sweep::defaultMolybdenumFilter(setup.target);
  }
  if (setup.target != base.target && !keywords.contains("rhodium_mm")) {
    setup.rhodium = sweep::defaultRhodiumFilter(setup.target);
  }
  // The engines hold every number in single precision and refuse one beyond it; named here
  // by its setting rather than by its line of B2F.dat.
  for (const palvane::SetupField& field : palvane::kSetupFields) {
    const double value = setup.*field.member;
    if (std::isfinite(value) && std::abs(value) > std::numeric_limits<float>::max()) {
      throwSetupError(std::string(field.name) + " " + palvane::ShortestText(value) + " " +
                      std::string(field.unit) + ": beyond the engines' single precision");
    }
  }
  try {
    tube_model::engineParameters(setup);
  } catch (const tube_model::ModelError& error) {
    throwSetupError(error.what());
  }
  return setup;
}

void bindSetup(py::module_& module) {
  py::class_<TubeSetup> setupClass(
      module, "TubeSetup",
      R"(The settings of one run: target, tube voltage, angles, filters and air layer.

TubeSetup(target="mo", tube_voltage_kv=30, target_angle_deg=10, tilt_angle_deg=4,
          beryllium_mm=0.8, aluminium_mm=0, molybdenum_mm=0.03, rhodium_mm=0,
          air_layer_cm=60, filters=[], plate=None)

Every keyword is optional; the defaults are the spectrum form's. filters are added
filters, (material, thickness_mm) pairs of Materials.dat's materials in the order the
beam crosses them, placed as the molybdenum and rhodium filters (filters=[("ag", 0.05)]
for W/Ag); plate is the compression plate, ("pmma", 2.4) or ("pc", 3), crossed along
the whole oblique path. A layer of 0 mm is none. With target="w" the
added filters default to the tungsten target's (rhodium 0.025 mm, no molybdenum).
A set-up is immutable; replace(**changes) gives a changed copy. A value outside its
range (tube voltage 20 to 50 kV, angles -90 to 90 degrees, thicknesses 0 mm or more,
layers up to 10 mm, a plate of pmma or pc) or not a finite number raises SetupError
naming the setting; a material Materials.dat lacks raises ModelError when computed.)");
  setupClass
      .def(py::init([](const py::kwargs& keywords) { return setupFrom(keywords, TubeSetup{}); }))
      .def(
          "replace",
          [](const TubeSetup& setup, const py::kwargs& keywords) {
            return setupFrom(keywords, setup);
          },
          "A copy with the given settings changed (a new target brings its own added filters "
          "unless they are given).")
      .def_property_readonly(
          "target",
          [](const TubeSetup& setup) { return std::string(palvane::targetName(setup.target)); },
          "\"mo\" (molybdenum) or \"w\" (tungsten).")
      .def("b2f_text", &palvane::parameterFileText,
           "The B2F.dat that palvane writes for the set-up (CR LF line ends); the engines "
           "compute with these rounded numbers.")
      .def("__repr__", &repr)
      .def(py::self == py::self)
      .def("__hash__", [](const TubeSetup& setup) { return py::hash(py::str(repr(setup))); })
      // Pickled as its keywords, so that it can go to other processes.
      .def(py::pickle(
          [](const TubeSetup& setup) {
            py::dict keywords;
            keywords["target"] = std::string(palvane::targetName(setup.target));
            for (const palvane::SetupField& field : palvane::kSetupFields) {
              keywords[keywordOf(field).c_str()] = setup.*field.member;
            }
            keywords["filters"] = filtersList(setup);
            keywords["plate"] = plateObject(setup);
            return keywords;
          },
          [](const py::dict& keywords) { return setupFrom(py::kwargs(keywords), TubeSetup{}); }));
  setupClass.def_property_readonly("filters", &filtersList,
                                   "The added filters as (material, thickness_mm) pairs, in the "
                                   "order the beam crosses them.");
  setupClass.def_property_readonly("plate", &plateObject,
                                   "The compression plate as (material, thickness_mm), or None.");
  for (const palvane::SetupField& field : palvane::kSetupFields) {
    const auto member = field.member;
    setupClass.def_property_readonly(
        keywordOf(field).c_str(), [member](const TubeSetup& setup) { return setup.*member; },
        (std::string(field.name) + " in " + std::string(field.unit)).c_str());
  }
  module.attr("SETTING_KEYWORDS") = [] {
    py::list keywords;
    for (const palvane::SetupField& field : palvane::kSetupFields)
      keywords.append(keywordOf(field));
    return keywords;
  }();

  py::class_<tube_model::Tables>(module, "Tables", R"(The coefficient tables of the engines' model.

Tables(folder) reads MUs3.dat and Mo-STP.dat from the folder with the engines' own
readers; Tables() (from palvane) reads the installed ones. A table that is missing or
damaged raises ModelError naming the file and the line. A Tables never changes and may
be used by any number of threads at once.)")
      .def(py::init([](const std::filesystem::path& folder) {
             try {
               return tube_model::Tables::fromFolder(folder);
             } catch (const tube_model::ModelError& error) {
               throw tube_model::ModelError(folder.string() + ": " + error.what());
             }
           }),
           py::arg("folder"));
}

}  // namespace palvane_python
