#pragma once

// Whole runs compared byte for byte with committed engine files. The files under
// tests/data/expected are the release engines' output for the form's defaults of each
// target; an independent single-precision program, written from the model description
// alone with plain loops and glibc's float functions, produced the same bytes, except three
// values of w_30kv/Result.dat (energy fluence X 14.2 cm Y 4.0 cm, air kerma X 14.2 cm
// Y 0.6 cm and X 7.8 cm Y 1.6 cm), each one unit lower in the last digit: there glibc's
// atanf and powf are not correctly rounded and the engines' own functions are. The test
// runs in every build preset, so that no optimisation level may change a written value.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dornic/run_directory.h"
#include "engine/target_model.h"
#include "test_paths.h"

namespace testrun {

inline void expectSameFilesAsCommitted(engine::TargetModel& model, const std::string& settings,
                                       const std::string& expectedFolder) {
  RunDirectory directory;
  directory.write("B2F.dat", settings);
  ASSERT_EQ(directory.run(model).status, 0);
  const std::filesystem::path expected =
      std::filesystem::path(testpaths::kTestDataDir) / "expected" / expectedFolder;
  for (const char* name : {"Beam_Axis.dat", "Result.dat"}) {
    std::ifstream file(expected / name, std::ios::binary);
    const std::string wanted{std::istreambuf_iterator<char>(file),
                             std::istreambuf_iterator<char>()};
    ASSERT_FALSE(wanted.empty()) << expected / name;
    EXPECT_TRUE(directory.read(name) == wanted) << name << " differs from " << expected / name;
  }
}

}  // namespace testrun
