#pragma once

#include <stdexcept>
#include <string>

namespace engine {

// Bad input or settings the model cannot compute. The message names the file, and the
// line and field where there is one; the engine prints it, writes nothing and exits 2.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "B2F.dat, line 3: <what>" or "MUs3.dat, line 12, field 4: <what>".
std::string describeInputError(const std::string& file, int line, int field,
                               const std::string& what);

}  // namespace engine
