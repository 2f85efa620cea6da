#include "engine/lane_arithmetic.h"

#include <algorithm>

namespace engine {

__attribute__((target_clones("avx512f", "avx2", "default"))) void multiplyArrays(
    const float* a, const float* b, float* out, std::size_t count) {
  for (std::size_t first = 0; first < count; first += kLanes) {
    const int lanes = static_cast<int>(std::min<std::size_t>(kLanes, count - first));
    storeLanes(roundedProduct(loadLanes(a + first, lanes), loadLanes(b + first, lanes)),
               out + first, lanes);
  }
}

__attribute__((target_clones("avx512f", "avx2", "default"))) void addProducts(
    const float* a, const float* b, float* sum, int count) {
  for (int first = 0; first < count; first += kLanes) {
    const int lanes = std::min(kLanes, count - first);
    const Lanes product = roundedProduct(loadLanes(a + first, lanes), loadLanes(b + first, lanes));
    storeLanes(loadLanes(sum + first, lanes) + product, sum + first, lanes);
  }
}

}  // namespace engine
