// The molybdenum engine's files hold no negative number from 20 to 50 kV, also where the
// linear line yield would be negative (below 20.75 kV with a molybdenum filter).

#include "dornic/molybdenum_model.h"
#include "dornic/nonnegative_scan.h"

TEST(DornicFiles, NoNegativeNumberFrom20To50kVWithEachFilterSet) {
  dornic::MolybdenumModel model;
  testrun::expectNoNegativeFieldFrom20To50kV(model, "0");
}
