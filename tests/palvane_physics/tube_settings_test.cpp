#include "palvane/physics/tube_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "fake_ports.h"

namespace palvane {
namespace {

TEST(TubeSettings, DecimalCommaIsReadAsAPoint) {
  FixedParameterTexts texts;
  texts.be = "0,8";
  texts.voltage = "30kV";
  EXPECT_EQ(readTubeSettings(texts).beryllium, 0.8 * 0.1);  // mm to cm
  EXPECT_EQ(readTubeSettings(texts).tubeVoltage, 30.0);
}

TEST(SettingTextProblem, NamesTheFirstFieldThatCannotBeComputedWith) {
  const std::string notANumber = kSettingNotANumberMessage;
  const std::string negative = kNegativeThicknessMessage;
  const struct {
    std::string FixedParameterTexts::*field;
    const char* text;
    std::optional<std::string> message;
  } cases[] = {
      {&FixedParameterTexts::voltage, "30kV", std::nullopt},
      {&FixedParameterTexts::voltage, "30 kV ", std::nullopt},
      {&FixedParameterTexts::theta, "10°", std::nullopt},
      {&FixedParameterTexts::phi, "4 deg", std::nullopt},
      {&FixedParameterTexts::be, "0,8mm", std::nullopt},
      {&FixedParameterTexts::al, "0", std::nullopt},
      {&FixedParameterTexts::voltage, "30x", "Ｘ線管電圧「30x」" + notANumber},
      {&FixedParameterTexts::voltage, "30 mm", "Ｘ線管電圧「30 mm」" + notANumber},
      {&FixedParameterTexts::theta, "abc", "ターゲット角度(θ)「abc」" + notANumber},
      {&FixedParameterTexts::phi, "", "管球傾斜角度(φ)「」" + notANumber},
      {&FixedParameterTexts::phi, "4kV", "管球傾斜角度(φ)「4kV」" + notANumber},
      {&FixedParameterTexts::be, "0.8.1", "ベリリウム「0.8.1」" + notANumber},
      {&FixedParameterTexts::al, "-1", "アルミ (当量)「-1」" + negative},
      {&FixedParameterTexts::mo, "-0,03 mm", "モリブデン「-0,03 mm」" + negative},
      {&FixedParameterTexts::rh, "0.025deg", "ロジウム「0.025deg」" + notANumber},
      {&FixedParameterTexts::rh, "-5", "ロジウム「-5」" + negative},
  };
  for (const auto& c : cases) {
    FixedParameterTexts texts;
    texts.*c.field = c.text;
    EXPECT_EQ(settingTextProblem(texts), c.message) << '"' << c.text << '"';
  }
  // Angles may be negative; only thicknesses are refused below zero.
  FixedParameterTexts texts;
  texts.theta = "-10";
  EXPECT_EQ(settingTextProblem(texts), std::nullopt);
}

}  // namespace
}  // namespace palvane
