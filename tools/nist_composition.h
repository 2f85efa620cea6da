#pragma once

#include <vector>

namespace tools {

struct ElementShare {
  int atomicNumber;
  double massFraction;
};

// The elements of a compound of xraylib's NIST list with their mass fractions. Throws
// std::runtime_error when xraylib does not know the name.
std::vector<ElementShare> nistComposition(const char* compound);

}  // namespace tools
