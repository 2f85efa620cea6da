#pragma once

#include <stdexcept>

namespace palvane {

// A data file that cannot be read or written; what() names the file and the fault, ready
// for a message box.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace palvane
