// The tungsten engine's files hold no negative number from 20 to 50 kV.

#include "dornic/nonnegative_scan.h"
#include "vessick/tungsten_model.h"

TEST(VessickFiles, NoNegativeNumberFrom20To50kVWithEachFilterSet) {
  vessick::TungstenModel model;
  testrun::expectNoNegativeFieldFrom20To50kV(model, "1");
}
