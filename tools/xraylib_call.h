#pragma once

#include <xraylib/xraylib.h>

#include <stdexcept>
#include <string>

namespace tools {

// Calls an xraylib function that reports failures through its last argument and turns a
// reported failure into std::runtime_error naming the quantity asked for.
// Usage: callXraylib("total cross section of Mo at 20 keV",
//                    [&](xrl_error** e) { return CS_Total(42, 20.0, e); });
template <typename Call>
auto callXraylib(const std::string& quantity, Call call) {
  xrl_error* error = nullptr;
  const auto value = call(&error);
  if (error != nullptr) {
    const std::string message = quantity + ": xraylib reports: " + error->message;
    xrl_error_free(error);
    throw std::runtime_error(message);
  }
  return value;
}

// "<what> at <energy> keV", the quantity text of a call at one photon energy.
inline std::string atEnergy(const std::string& what, double energyKeV) {
  return what + " at " + std::to_string(energyKeV) + " keV";
}

}  // namespace tools
