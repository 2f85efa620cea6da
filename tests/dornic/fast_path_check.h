#pragma once

// The check both engines' fast-path tests end with: the model's maps equal the plain
// computation's, and a whole run writes the same Result.dat and Beam_Axis.dat bytes as
// the file texts hold for the plain values.

#include <gtest/gtest.h>

#include <sstream>

#include "dornic/plain_field.h"
#include "dornic/run_directory.h"
#include "engine/field_computation.h"
#include "engine/output_files.h"
#include "engine/target_model.h"

namespace plainref {

inline void expectRunMatchesPlain(engine::TargetModel& model,
                                  const testrun::RunDirectory& directory,
                                  const engine::BeamParameters& p,
                                  const engine::CoefficientTable& table, const PlainField& plain) {
  std::ostringstream warnings;
  const engine::RelativeMaps fast = engine::computeField(
      *model.beginRun(p, table), p, table, [](auto&, auto&) {}, warnings);
  expectSameMaps(plain.maps, fast);
  EXPECT_EQ(warnings.str(), "");

  ASSERT_EQ(directory.run(model).status, engine::kRunCompleted);
  EXPECT_EQ(directory.read("Result.dat"), engine::resultText(plain.maps));
  EXPECT_EQ(directory.read("Beam_Axis.dat"),
            engine::beamAxisText(p, plain.referenceSpectrum, plain.referenceQuantities));
}

}  // namespace plainref
