#pragma once

#include <pybind11/pybind11.h>

#include "tube_model/tables.h"

namespace palvane_python {

namespace py = pybind11;

// Each adds its part of the module palvane._core.
void bindErrors(py::module_& module);
void bindSetup(py::module_& module);
void bindField(py::module_& module);
void bindCalibration(py::module_& module);
void bindSweep(py::module_& module);
void bindReport(py::module_& module);

// Raised for a set-up outside what the forms and the engines accept (a ValueError).
[[noreturn]] void throwSetupError(const std::string& message);
// Raised for measured HVLs that no aluminium thickness fits (a ValueError).
[[noreturn]] void throwFitError(const std::string& message);

// A set-up from the keywords of a TubeSetup (target and the numbers with their units in
// their names); what is not given keeps the value of `base`. Raises SetupError for a
// refused set-up and TypeError for an unknown keyword.
palvane::TubeSetup setupFrom(const py::kwargs& keywords, palvane::TubeSetup base);

// The keyword of a setting: its name and its unit, "tube_voltage_kv".
std::string keywordOf(const palvane::SetupField& field);

}  // namespace palvane_python
