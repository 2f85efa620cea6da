#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "palvane/state/shared_state.h"
#include "palvane_physics/fake_ports.h"
#include "text_files/scratch_directory.h"

namespace palvane {

// Stopping-power rows that fall as 1000 / E, a straight line in log-log: interpolation
// between any two rows gives 1000 / T. Row 1 is 0.5 keV, 2000.
inline StoppingPowerArray inverseEnergyTable() {
  const double energies[] = {0.5, 1,  2,  4,  6,  8,  10, 12.5, 15, 17.5,
                             20,  25, 30, 35, 40, 42, 44, 46,   48, 50};
  StoppingPowerArray table{};
  for (int row = 1; row <= 20; ++row) {
    table[0][row] = energies[row - 1];
    table[1][row] = 1000.0 / energies[row - 1];
  }
  return table;
}

// A fresh shared state with every attenuation coefficient 0, the 1000 / E stopping
// powers, fake form ports and a scratch working directory for B_SPCTL.dat.
class SpectrumTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state() = SharedState{};
    state().Pi = 3.14159;
    state().MoStp = inverseEnergyTable();
    state().ports = FormPorts{&texts_, &spectrumGraph_, &displayGraph_};
  }
  void TearDown() override { state() = SharedState{}; }

  SharedState& s() { return state(); }

  FixedParameterTexts texts_;
  RecordingSurface spectrumGraph_;
  RecordingSurface displayGraph_;
  ScratchDirectory scratch_;
  WorkingDirectory inScratch_{scratch_.path()};
};

}  // namespace palvane
