// Compares the engines' own float functions (engine/single_functions.h) with this
// system's C library: on every float of each function's domain, and on the arguments the
// engine programs pass when B2F.dat holds values of palvane's patterns. Where the two
// differ, the long double function shows which is the correctly rounded one. Run it
// after changing those functions:
//   cmake --build build/release --target check_single_functions
//   build/release/bin/check_single_functions [tan|atan|log|log2|cube|fourth|engine]
// The whole run takes a few minutes on one core.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "engine/bins.h"
#include "engine/single_functions.h"

namespace {

// Which of two floats lies nearer the long double value (the reference).
const char* nearer(float ours, float system, long double exact) {
  const long double a = std::fabs(static_cast<long double>(ours) - exact);
  const long double b = std::fabs(static_cast<long double>(system) - exact);
  return a < b ? "ours" : (b < a ? "system" : "tie");
}

struct Tally {
  std::uint64_t checked = 0;
  std::uint64_t differing = 0;
  std::uint64_t oursNearer = 0;
  std::uint64_t systemNearer = 0;
};

template <typename Ours, typename System, typename Exact>
void compare(const char* name, float x, Ours ours, System system, Exact exact, Tally& tally,
             bool list) {
  const float a = ours(x);
  const float b = system(x);
  ++tally.checked;
  if (std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b)) return;
  if (std::isnan(a) && std::isnan(b)) return;
  ++tally.differing;
  const char* which = nearer(a, b, exact(x));
  if (which[0] == 'o') ++tally.oursNearer;
  if (which[0] == 's') ++tally.systemNearer;
  if (list || tally.differing <= 5) {
    std::printf("  %s(%a = %.9g): ours %a, system %a, nearer: %s\n", name, x, x, a, b, which);
  }
}

void report(const char* what, const Tally& t) {
  std::printf("%s: %llu arguments, %llu differ (ours nearer %llu, system nearer %llu)\n", what,
              static_cast<unsigned long long>(t.checked),
              static_cast<unsigned long long>(t.differing),
              static_cast<unsigned long long>(t.oursNearer),
              static_cast<unsigned long long>(t.systemNearer));
}

// Every float x with lowest <= x <= highest (both of the same sign or zero), in order.
template <typename Each>
void everyFloat(float lowest, float highest, Each each) {
  for (float x = lowest;; x = std::nextafter(x, highest)) {
    each(x);
    if (x == highest) break;
  }
}

template <typename Ours, typename System, typename Exact>
void exhaustive(const char* name, float lowest, float highest, Ours ours, System system,
                Exact exact) {
  Tally tally;
  everyFloat(lowest, highest,
             [&](float x) { compare(name, x, ours, system, exact, tally, false); });
  report((std::string(name) + " on every float in [" + std::to_string(lowest) + ", " +
          std::to_string(highest) + "]")
             .c_str(),
         tally);
}

// The value of a B2F.dat field as the engine reads it from palvane's text of it.
float patternValue(int tenths) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", tenths / 10.0);
  return std::strtof(text, nullptr);
}

// The tan and atan arguments of the engine programs for target and tilt angles of
// -90.0 ... 90.0 (pattern 00.0) and the 76 grid columns; the powers' arguments for tube
// voltages 20.0 ... 50.0 and every bin's electron energies.
void engineArguments() {
  using engine::kPi;
  std::set<float> tangents, arcTangents, cubes;
  std::set<float> alphas;
  for (int column = 1; column <= engine::kColumnCount; ++column) {
    const float ratio = engine::gridX(column) / engine::kFocusToPlane;
    arcTangents.insert(ratio);
    alphas.insert(engine::atanSingle(ratio) * 180.0f / kPi);
  }
  for (int theta = -900; theta <= 900; ++theta) {
    const float t = patternValue(theta);
    tangents.insert(t * kPi / 180.0f);
    for (int phi = -900; phi <= 900; ++phi) {
      const float p = patternValue(phi);
      tangents.insert((t + p) / 180.0f * kPi);
    }
    for (float alpha : alphas) tangents.insert((alpha - t) * kPi / 180.0f);
  }
  for (int tenths = 200; tenths <= 500; ++tenths) cubes.insert(patternValue(tenths));
  for (int bin = 1; bin <= engine::kBinCount; ++bin) {
    const float e = engine::binEnergy(bin);
    for (float t = e; t <= 50.0f; t = t + engine::kEnergyStep) cubes.insert(e / t);
  }
  Tally tan, atan, cube, fourth;
  for (float x : tangents) {
    compare(
        "tan", x, engine::tanSingle, tanf, [](float v) { return tanl(v); }, tan, true);
  }
  for (float x : arcTangents) {
    compare(
        "atan", x, engine::atanSingle, atanf, [](float v) { return atanl(v); }, atan, true);
  }
  for (float x : cubes) {
    compare(
        "cube", x, engine::cubeSingle, [](float v) { return powf(v, 3.0f); },
        [](float v) { return powl(v, 3); }, cube, true);
    compare(
        "fourth", x, engine::fourthPowerSingle, [](float v) { return powf(v, 4.0f); },
        [](float v) { return powl(v, 4); }, fourth, true);
  }
  report("tan, engine arguments", tan);
  report("atan, engine arguments", atan);
  report("cube, engine arguments", cube);
  report("fourth power, engine arguments", fourth);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string only = argc > 1 ? argv[1] : "";
  const auto wanted = [&only](const char* name) { return only.empty() || only == name; };
  constexpr float kLargest = 3.40282347e38f;
  const auto tanRef = [](float v) { return tanl(v); };
  const auto atanRef = [](float v) { return atanl(v); };
  const auto logRef = [](float v) { return logl(v); };
  const auto log2Ref = [](float v) { return log2l(v); };
  if (wanted("engine")) engineArguments();
  if (wanted("tan")) {
    exhaustive("tan", 0.0f, 0x1p20f, engine::tanSingle, tanf, tanRef);
    exhaustive("tan", -0x1p20f, -0.0f, engine::tanSingle, tanf, tanRef);
  }
  if (wanted("atan")) {
    exhaustive("atan", 0.0f, kLargest, engine::atanSingle, atanf, atanRef);
    exhaustive("atan", -kLargest, -0.0f, engine::atanSingle, atanf, atanRef);
  }
  if (wanted("log")) exhaustive("log", 0.0f, kLargest, engine::logSingle, logf, logRef);
  if (wanted("log2")) exhaustive("log2", 0.0f, kLargest, engine::log2Single, log2f, log2Ref);
  const auto cubeSystem = [](float v) { return powf(v, 3.0f); };
  const auto cubeRef = [](float v) { return powl(v, 3); };
  const auto fourthSystem = [](float v) { return powf(v, 4.0f); };
  const auto fourthRef = [](float v) { return powl(v, 4); };
  if (wanted("cube")) {
    exhaustive("cube", 0.0f, kLargest, engine::cubeSingle, cubeSystem, cubeRef);
    exhaustive("cube", -kLargest, -0.0f, engine::cubeSingle, cubeSystem, cubeRef);
  }
  if (wanted("fourth")) {
    exhaustive("fourth", 0.0f, kLargest, engine::fourthPowerSingle, fourthSystem, fourthRef);
  }
  return 0;
}
