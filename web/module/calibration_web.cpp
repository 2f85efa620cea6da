// The module's tube calibration: a tube profile held by the page as the text of its file
// (the calibration library reads and writes it), the fit of its aluminium-equivalent
// filtration to measured HVLs and of its target angle to a measured heel with the model
// core, its measured output, and what the calibration strip states about a set-up.
//
// A failure the desktop reports in one of its messages comes back as {ok: false, message:
// "<the message's name>", args: [...]}, so that the page words it as the desktop does.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "calibration/heel_fit.h"
#include "calibration/hvl_fit.h"
#include "calibration/output_calibration.h"
#include "calibration/profile_file.h"
#include "calibration/tube_profile.h"
#include "palvane/physics/calibration_state.h"
#include "text_files/file_error.h"
#include "text_files/number_text.h"
#include "web/module/core_fit_models.h"
#include "web/module/module_setup.h"

namespace {

using emscripten::val;
using web::coreHeel;
using web::CoreHvl;
using web::guarded;
using web::setupOf;
using web::tables;
using web::writtenAluminium;

// A failure worded by one of the desktop's messages.
struct DesktopMessage {
  std::string name;
  std::vector<std::string> args;
};

val failureOf(const DesktopMessage& message) {
  val out = val::object();
  out.set("ok", false);
  out.set("message", message.name);
  val args = val::array();
  for (const std::string& arg : message.args) args.call<void>("push", arg);
  out.set("args", args);
  return out;
}

template <typename Compute>
val reported(Compute compute) {
  try {
    return guarded(compute);
  } catch (const DesktopMessage& message) {
    return failureOf(message);
  }
}

std::string shortest(double value) { return palvane::ShortestText(value); }

std::string fixed(double value, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// The profile of the text ("" for none), made anew for the set-up's target when there is
// none or it is for the other target, named `name`.
calibration::TubeProfile profileFor(const std::string& text, const std::string& name,
                                    const palvane::TubeSetup& setup) {
  calibration::TubeProfile profile;
  if (!text.empty()) profile = calibration::readProfileText(text, "profile");
  if (text.empty() || profile.target != setup.target) {
    profile = calibration::TubeProfile{};
    profile.target = setup.target;
  }
  profile.name = name;
  return profile;
}

std::vector<calibration::HvlPair> pairsOf(const val& array) {
  std::vector<calibration::HvlPair> pairs;
  const auto count = array["length"].as<unsigned>();
  for (unsigned n = 0; n < count; ++n) {
    pairs.push_back({array[n]["tubeVoltage"].as<double>(), array[n]["hvl"].as<double>()});
  }
  return pairs;
}

val pairFitsOf(const std::vector<calibration::PairFit>& pairs) {
  val out = val::array();
  for (const calibration::PairFit& pair : pairs) {
    val entry = val::object();
    entry.set("tubeVoltage", pair.measured.tubeVoltage);
    entry.set("hvl", pair.measured.hvl);
    if (pair.modelHvl > 0) entry.set("modelHvl", pair.modelHvl);
    out.call<void>("push", entry);
  }
  return out;
}

DesktopMessage unreachableMessage(const calibration::UnreachableHvl& error) {
  return {
      error.belowModel() ? "kCalibrationHvlBelowModelMessage" : "kCalibrationHvlAboveModelMessage",
      {shortest(error.pair.hvl), shortest(error.pair.tubeVoltage), fixed(error.boundHvl, 3)}};
}

// The HVL fit for the set-up (its layers included), as the desktop's fit button makes it.
calibration::HvlFit fitFor(const palvane::TubeSetup& setup,
                           const std::vector<calibration::HvlPair>& pairs) {
  if (pairs.empty()) throw DesktopMessage{"kCalibrationNoPairMessage", {}};
  CoreHvl model(setup);
  try {
    return calibration::fitAluminium(
        [&model](double tubeVoltage, double aluminium) { return model(tubeVoltage, aluminium); },
        pairs);
  } catch (const calibration::UnreachableHvl& error) {
    throw unreachableMessage(error);
  } catch (const calibration::FitImpossible& error) {
    throw DesktopMessage{"kCalibrationFitImpossibleMessage",
                         {model.failure().empty() ? error.what() : model.failure()}};
  }
}

// Fits the aluminium to the pairs for the set-up; the fit is kept in the profile for the
// set-up's filters, added ones included (a plate is noted with it). {text, aluminium, pairs}.
val fitProfileAluminium(const std::string& text, const std::string& name, const val& setupObject,
                        const val& pairObjects, const std::string& date) {
  return reported([&] {
    const palvane::TubeSetup setup = setupOf(setupObject);
    const calibration::HvlFit fit = fitFor(setup, pairsOf(pairObjects));
    calibration::TubeProfile profile = profileFor(text, name, setup);
    calibration::FilterCalibration kept = calibration::FilterCalibration::madeWith(setup);
    kept.pairs = fit.pairs;
    kept.aluminium = fit.aluminium;
    kept.date = date;
    profile.setFilterCalibration(kept);
    val out = val::object();
    out.set("text", calibration::profileFileText(profile));
    out.set("aluminium", fit.aluminium);
    out.set("pairs", pairFitsOf(fit.pairs));
    return out;
  });
}

// Keeps the measured output with the set-up it was measured at. {text}.
val setProfileOutput(const std::string& text, const std::string& name, const val& setupObject,
                     double kermaPerLoad, double distance, const std::string& date) {
  return reported([&] {
    const palvane::TubeSetup setup = setupOf(setupObject);
    if (setup.tubeVoltage < palvane::kLowestTubeVoltage ||
        setup.tubeVoltage > palvane::kHighestTubeVoltage) {
      throw DesktopMessage{"kCalibrationFormVoltageMessage", {shortest(setup.tubeVoltage)}};
    }
    const calibration::OutputCalibration output{kermaPerLoad, distance};
    if (calibration::outputProblem(output) == calibration::OutputProblem::kTooLarge) {
      throw DesktopMessage{"kCalibrationOutputTooLargeMessage",
                           {shortest(kermaPerLoad), shortest(distance)}};
    }
    calibration::TubeProfile profile = profileFor(text, name, setup);
    profile.output = calibration::OutputMeasurement{output, setup, date};
    val out = val::object();
    out.set("text", calibration::profileFileText(profile));
    return out;
  });
}

// Fits the target angle to the heel points for the set-up and, when the profile has pairs
// for the set-up's filter made for its other settings, the aluminium with it in turn; keeps
// the heel (and the refitted aluminium) in the profile. {text, targetAngle, points,
// aluminium?}.
val fitProfileHeel(const std::string& text, const std::string& name, const val& setupObject,
                   const val& pointObjects, const std::string& date) {
  return reported([&] {
    const palvane::TubeSetup setup = setupOf(setupObject);
    std::vector<calibration::HeelPoint> points;
    const auto count = pointObjects["length"].as<unsigned>();
    for (unsigned n = 0; n < count; ++n) {
      calibration::HeelPoint point;
      point.position = pointObjects[n]["position"].as<double>();
      point.relativeKerma = pointObjects[n]["relativeKerma"].as<double>();
      points.push_back(point);
    }
    if (points.empty()) throw DesktopMessage{"kHeelNoPointMessage", {}};
    calibration::TubeProfile profile = profileFor(text, name, setup);
    const std::vector<calibration::HvlPair> pairs = calibration::heelRefitPairs(profile, setup);
    const auto heelModel = [&](double aluminium) -> calibration::HeelModel {
      return [&, aluminium](double angle) {
        palvane::TubeSetup at = setup;
        at.targetAngle = angle;
        if (!pairs.empty()) at.aluminium = writtenAluminium(aluminium);
        return coreHeel(at, points);
      };
    };
    const auto hvlModel = [&](double angle) -> calibration::HvlModel {
      palvane::TubeSetup at = setup;
      at.targetAngle = angle;
      auto model = std::make_shared<CoreHvl>(at);
      return [model](double tubeVoltage, double aluminium) {
        return (*model)(tubeVoltage, aluminium);
      };
    };
    calibration::HeelAndAluminium fit;
    try {
      fit = calibration::fitHeelAndAluminium(heelModel, hvlModel, points, pairs, setup.aluminium);
    } catch (const calibration::HeelUnreachable& error) {
      std::string values;
      for (std::size_t n = 0; n < points.size() && n < error.nearestKerma.size(); ++n) {
        values += (n == 0 ? "" : ", ") + fixed(error.nearestKerma[n], 3) +
                  " at X = " + shortest(points[n].position) + " mm (measured " +
                  shortest(points[n].relativeKerma) + ")";
      }
      throw DesktopMessage{"kHeelUnreachableMessage", {shortest(error.nearestAngle), values}};
    } catch (const calibration::UnreachableHvl& error) {
      throw unreachableMessage(error);
    } catch (const calibration::FitImpossible& error) {
      throw DesktopMessage{"kCalibrationFitImpossibleMessage", {error.what()}};
    }
    val out = val::object();
    if (calibration::keepHeelFit(profile, setup, fit, date)) {
      out.set("aluminium", fit.aluminium->aluminium);
      out.set("pairs", pairFitsOf(fit.aluminium->pairs));
    }
    out.set("text", calibration::profileFileText(profile));
    out.set("targetAngle", fit.heel.targetAngle);
    val shown = val::array();
    for (const calibration::HeelPoint& point : fit.heel.points) {
      val entry = val::object();
      entry.set("position", point.position);
      entry.set("relativeKerma", point.relativeKerma);
      if (point.modelKerma) entry.set("modelKerma", *point.modelKerma);
      shown.call<void>("push", entry);
    }
    out.set("points", shown);
    return out;
  });
}

// The profile as it is saved: named `name`, for the set-up's target (a new one when there
// is none or it is for the other target). {text, fileName: the name proposed for it}.
val savedProfile(const std::string& text, const std::string& name, const val& setupObject) {
  return reported([&] {
    const calibration::TubeProfile profile = profileFor(text, name, setupOf(setupObject));
    val out = val::object();
    out.set("text", calibration::profileFileText(profile));
    out.set("fileName", calibration::proposedFileName(profile));
    return out;
  });
}

// A loaded file as the profile in force for the set-up: read (its line named when it is
// bad), refused for the other target, and a file of the first format taken as made for
// the set-up, as that format meant. {text: the profile as this program writes it}.
val loadProfile(const std::string& text, const std::string& fileName, const val& setupObject) {
  return reported([&] {
    calibration::TubeProfile profile;
    try {
      profile = calibration::readProfileText(text, fileName);
    } catch (const palvane::FileError& error) {
      throw DesktopMessage{"kCalibrationFileProblemMessage", {error.what()}};
    }
    const palvane::TubeSetup setup = setupOf(setupObject);
    if (profile.target != setup.target) {
      throw DesktopMessage{"kCalibrationOtherTargetMessage",
                           {fileName, std::string(calibration::targetMetal(profile.target)),
                            std::string(calibration::targetMetal(setup.target))}};
    }
    calibration::adoptFirstFormatSettings(profile, setup);
    val out = val::object();
    out.set("text", calibration::profileFileText(profile));
    return out;
  });
}

// Why a profile does not serve a set-up, by the name the page words it with.
std::string unservedName(palvane::Unserved unserved) {
  switch (unserved) {
    case palvane::Unserved::kOtherTarget:
      return "otherTarget";
    case palvane::Unserved::kNoFit:
      return "noFit";
    case palvane::Unserved::kOtherSettings:
      return "otherSettings";
    case palvane::Unserved::kOtherAluminium:
      return "otherAluminium";
    case palvane::Unserved::kSettingNotANumber:
      return "settingNotANumber";
    case palvane::Unserved::kServed:
      break;
  }
  return "served";
}

std::string fitSettingName(palvane::FitSetting setting) {
  switch (setting) {
    case palvane::FitSetting::kTargetAngle:
      return "targetAngle";
    case palvane::FitSetting::kTiltAngle:
      return "tiltAngle";
    case palvane::FitSetting::kBeryllium:
      return "beryllium";
    case palvane::FitSetting::kFilterThickness:
      break;
  }
  return "filterThickness";
}

val stringsOf(const std::vector<std::string>& texts) {
  val out = val::array();
  for (const std::string& text : texts) out.call<void>("push", text);
  return out;
}

// What the calibration strip shows for a set-up: {filter: the key of its filters ("mo",
// "mo+ag"), profile?: {name, target, state: "calibrated" | "notForThese", unserved, values,
// differing: [{setting, value}], why (in English), setupName, fit: {aluminium?, pairs,
// madeFor}? (the profile's fit for those filters), output: {kermaPerLoad, distance,
// tubeVoltage, referenceKerma (at the settings it was measured at), setupName}?, heel:
// {targetAngle}?}}; no profile for "".
val profileState(const std::string& text, const val& setupObject) {
  return reported([&] {
    const palvane::TubeSetup setup = setupOf(setupObject);
    val out = val::object();
    out.set("filter", calibration::filterKey(calibration::filtersOf(setup)));
    if (text.empty()) return out;
    // Held as the status takes it: the status points into it.
    const std::optional<calibration::TubeProfile> held =
        calibration::readProfileText(text, "profile");
    const calibration::TubeProfile& profile = *held;
    const palvane::CalibrationStatus status = palvane::calibrationStatus(held, setup);
    val state = val::object();
    state.set("name", profile.name);
    state.set("target", std::string(palvane::targetName(profile.target)));
    state.set("state",
              std::string(status.state == palvane::CalibrationState::kCalibrated ? "calibrated"
                                                                                 : "notForThese"));
    state.set("unserved", unservedName(status.unserved));
    state.set("values", stringsOf(status.values));
    val differing = val::array();
    for (const auto& [setting, value] : status.differing) {
      val entry = val::object();
      entry.set("setting", fitSettingName(setting));
      entry.set("value", value);
      differing.call<void>("push", entry);
    }
    state.set("differing", differing);
    state.set("why", status.why);
    if (const calibration::FilterCalibration* fit = status.fit) {
      state.set("setupName", calibration::setupName(profile.target, fit->filters));
      val shown = val::object();
      if (fit->aluminium) shown.set("aluminium", *fit->aluminium);
      shown.set("pairs", pairFitsOf(fit->pairs));
      shown.set("madeFor", fit->madeFor(setup));
      state.set("fit", shown);
    }
    if (profile.output) {
      const calibration::OutputMeasurement& measured = *profile.output;
      val output = val::object();
      output.set("kermaPerLoad", measured.output.kermaPerLoad);
      output.set("distance", measured.output.distance);
      output.set("tubeVoltage", measured.setup.tubeVoltage);
      output.set("referenceKerma", calibration::referenceKerma(measured.output));
      output.set("setupName", calibration::setupName(measured.setup.target,
                                                     calibration::filtersOf(measured.setup)));
      state.set("output", output);
    }
    if (profile.heel && profile.heel->targetAngle) {
      val heel = val::object();
      heel.set("targetAngle", *profile.heel->targetAngle);
      state.set("heel", heel);
    }
    out.set("profile", state);
    return out;
  });
}

// The profile without its measured output, as the desktop's output button leaves it when
// both entries are empty. {text}.
val clearProfileOutput(const std::string& text) {
  return reported([&] {
    calibration::TubeProfile profile = calibration::readProfileText(text, "profile");
    profile.output.reset();
    val out = val::object();
    out.set("text", calibration::profileFileText(profile));
    return out;
  });
}

}  // namespace

EMSCRIPTEN_BINDINGS(palvane_calibration) {
  emscripten::function("fitProfileAluminium", &fitProfileAluminium);
  emscripten::function("setProfileOutput", &setProfileOutput);
  emscripten::function("fitProfileHeel", &fitProfileHeel);
  emscripten::function("loadProfile", &loadProfile);
  emscripten::function("savedProfile", &savedProfile);
  emscripten::function("profileState", &profileState);
  emscripten::function("clearProfileOutput", &clearProfileOutput);
}
