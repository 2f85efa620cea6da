// The tungsten engine's files for the form's defaults, byte for byte.

#include "dornic/expected_files.h"
#include "vessick/tungsten_model.h"

TEST(VessickExpectedFiles, FormDefaultsGiveTheCommittedBytes) {
  vessick::TungstenModel model;
  testrun::expectSameFilesAsCommitted(
      model,
      testrun::settingsText("30.0", "10.0", "04.0", "00.80", "00.00", "00.000", "00.025", "1"),
      "w_30kv");
}
