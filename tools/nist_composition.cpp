#include "tools/nist_composition.h"

#include <xraylib/xraylib.h>

#include <memory>
#include <string>

#include "tools/xraylib_call.h"

namespace tools {

std::vector<ElementShare> nistComposition(const char* compound) {
  const std::unique_ptr<compoundDataNIST, void (*)(compoundDataNIST*)> data(
      callXraylib(std::string("composition of ") + compound,
                  [&](xrl_error** e) { return GetCompoundDataNISTByName(compound, e); }),
      FreeCompoundDataNIST);
  std::vector<ElementShare> shares;
  for (int i = 0; i < data->nElements; ++i) {
    shares.push_back({data->Elements[i], data->massFractions[i]});
  }
  return shares;
}

}  // namespace tools
