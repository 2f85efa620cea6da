#include <pybind11/pybind11.h>

#include "bindings.h"
#include "calibration/hvl_fit.h"
#include "palvane/physics/exports.h"
#include "text_files/file_error.h"
#include "tube_model/tables.h"

namespace palvane_python {

namespace {

// Kept alive by the module; set once while the module is imported.
PyObject* setupErrorType = nullptr;
PyObject* fitErrorType = nullptr;

[[noreturn]] void raise(PyObject* type, const std::string& message) {
  PyErr_SetString(type, message.c_str());
  throw py::error_already_set();
}

}  // namespace

void throwSetupError(const std::string& message) { raise(setupErrorType, message); }
void throwFitError(const std::string& message) { raise(fitErrorType, message); }

void bindErrors(py::module_& module) {
  static py::exception<tube_model::ModelError> modelError(module, "ModelError", PyExc_ValueError);
  modelError.doc() =
      "Settings the model cannot compute, a point where it has no value, or tables that "
      "cannot be used; the message names the setting, the point or the file and line.";
  static py::exception<palvane::FileError> fileError(module, "FileError", PyExc_OSError);
  fileError.doc() = "A file that cannot be read or written; the message names it.";
  static py::exception<calibration::FitImpossible> fitError(module, "FitError", PyExc_ValueError);
  fitErrorType = fitError.ptr();
  fitError.doc() =
      "No aluminium thickness fits the measured half-value layers; the message says why.";
  static py::exception<void> setupError(module, "SetupError", PyExc_ValueError);
  setupError.doc() =
      "A tube set-up that is refused: a value outside its range or not a number. The message "
      "names the setting with its unit, as sweep and the engines' front ends do.";
  setupErrorType = setupError.ptr();
  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) std::rethrow_exception(thrown);
    } catch (const tube_model::ModelError& error) {
      PyErr_SetString(modelError.ptr(), error.what());
    } catch (const palvane::FileError& error) {
      PyErr_SetString(fileError.ptr(), error.what());
    } catch (const palvane::ExportError& error) {
      // Data a CSV cannot hold: not a number where one is needed.
      PyErr_SetString(PyExc_ValueError, error.what());
    }
  });
}

}  // namespace palvane_python
