// The molybdenum engine's files for the form's defaults, byte for byte.

#include "dornic/expected_files.h"
#include "dornic/molybdenum_model.h"

TEST(DornicExpectedFiles, FormDefaultsGiveTheCommittedBytes) {
  dornic::MolybdenumModel model;
  testrun::expectSameFilesAsCommitted(
      model, testrun::settingsText("30.0", "10.0", "04.0", "00.80", "00.00", "00.030", "00.000"),
      "mo_30kv");
}
