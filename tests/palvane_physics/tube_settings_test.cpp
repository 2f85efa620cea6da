#include "palvane/physics/tube_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fake_ports.h"
#include "palvane/state/parameter_file_writer.h"

namespace palvane {
namespace {

TEST(FormSetup, DecimalCommaIsReadAsAPoint) {
  FixedParameterTexts texts;
  texts.be = "0,8";
  texts.voltage = "30kV";
  EXPECT_EQ(tubeSetupOf(0, texts).beryllium, 0.8);
  EXPECT_EQ(tubeSetupOf(0, texts).tubeVoltage, 30.0);
}

TEST(SettingTextProblem, NamesTheFirstFieldThatCannotBeComputedWith) {
  using Field = SettingField;
  const struct {
    std::string FixedParameterTexts::*field;
    const char* text;
    std::optional<SettingTextProblem> problem;
  } cases[] = {
      {&FixedParameterTexts::voltage, "30kV", std::nullopt},
      {&FixedParameterTexts::voltage, "30 kV ", std::nullopt},
      {&FixedParameterTexts::theta, "10°", std::nullopt},
      {&FixedParameterTexts::phi, "4 deg", std::nullopt},
      {&FixedParameterTexts::be, "0,8mm", std::nullopt},
      {&FixedParameterTexts::al, "0", std::nullopt},
      {&FixedParameterTexts::voltage, "30x", SettingTextProblem{Field::kTubeVoltage, "30x"}},
      {&FixedParameterTexts::voltage, "30 mm", SettingTextProblem{Field::kTubeVoltage, "30 mm"}},
      {&FixedParameterTexts::theta, "abc", SettingTextProblem{Field::kTargetAngle, "abc"}},
      {&FixedParameterTexts::phi, "", SettingTextProblem{Field::kTiltAngle, ""}},
      {&FixedParameterTexts::phi, "4kV", SettingTextProblem{Field::kTiltAngle, "4kV"}},
      {&FixedParameterTexts::be, "0.8.1", SettingTextProblem{Field::kBeryllium, "0.8.1"}},
      {&FixedParameterTexts::al, "-1", SettingTextProblem{Field::kAluminium, "-1", true}},
      {&FixedParameterTexts::mo, "-0,03 mm",
       SettingTextProblem{Field::kMolybdenum, "-0,03 mm", true}},
      {&FixedParameterTexts::rh, "0.025deg", SettingTextProblem{Field::kRhodium, "0.025deg"}},
      {&FixedParameterTexts::rh, "-5", SettingTextProblem{Field::kRhodium, "-5", true}},
  };
  for (const auto& c : cases) {
    FixedParameterTexts texts;
    texts.*c.field = c.text;
    EXPECT_EQ(settingTextProblem(texts), c.problem) << '"' << c.text << '"';
  }
  // Angles may be negative; only thicknesses are refused below zero.
  FixedParameterTexts texts;
  texts.theta = "-10";
  EXPECT_EQ(settingTextProblem(texts), std::nullopt);
}

}  // namespace
}  // namespace palvane
