#include "engine/layer_attenuation.h"

#include <bit>

#include "engine/lane_arithmetic.h"
#include "engine/single_exp.h"

namespace engine {

BinColumn perpendicularTransmission(const BinColumn& mu, float thickness, int highestBin) {
  BinColumn exponents{};
  BinColumn transmission{};
  for (int bin = 2; bin <= highestBin; ++bin) exponents[bin] = -mu[bin] * thickness;
  if (highestBin >= 2) expSingleArray(&exponents[2], &transmission[2], highestBin - 1);
  return transmission;
}

LayerStack::LayerStack(int highestBin) : highestBin_(highestBin) {}

void LayerStack::add(const BinColumn& mu, float thickness, Order order) {
  if (thickness == 0.0f) return;
  transmissionByScale_.clear();
  Layer layer{{}, order == Order::kThicknessFirst ? 1.0f : thickness};
  for (int bin = 2; bin <= highestBin_; ++bin) {
    layer.coefficient[bin] = order == Order::kThicknessFirst ? -mu[bin] * thickness : -mu[bin];
  }
  layers_.push_back(layer);
}

const BinColumn& LayerStack::transmission(float pathScale) {
  const auto [entry, added] =
      transmissionByScale_.try_emplace(std::bit_cast<std::uint32_t>(pathScale));
  BinColumn& out = entry->second;
  if (!added || highestBin_ < 2) return out;
  const int count = highestBin_ - 1;
  float* product = &out[2];
  for (int n = 0; n < count; ++n) product[n] = 1.0f;
  for (const Layer& layer : layers_) {
    const float* coefficient = &layer.coefficient[2];
    float* x = &exponents_[2];
    for (int n = 0; n < count; ++n) x[n] = coefficient[n] * pathScale * layer.trailingFactor;
    expSingleArray(x, &factors_[2], count);
    multiplyArrays(product, &factors_[2], product, count);
  }
  return out;
}

}  // namespace engine
