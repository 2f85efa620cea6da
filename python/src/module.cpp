#include "bindings.h"

PYBIND11_MODULE(_core, module) {
  module.doc() =
      "The engines' model of a mammography tube as typed values (the extension under the "
      "palvane package; use palvane itself).";
  module.attr("__version__") = PALVANE_VERSION;
  palvane_python::bindErrors(module);
  palvane_python::bindSetup(module);
  palvane_python::bindField(module);
  palvane_python::bindCalibration(module);
  palvane_python::bindSweep(module);
  palvane_python::bindReport(module);
}
