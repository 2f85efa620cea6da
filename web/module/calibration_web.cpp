// The module's tube calibration: a tube profile held by the page as the text of its file
// (the calibration library reads and writes it), the fit of its aluminium-equivalent
// filtration to measured HVLs and of its target angle to a measured heel with the model
// core, and the absolute air kerma its measured output gives at a set-up.
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
#include "text_files/file_error.h"
#include "text_files/number_text.h"
#include "tube_model/field.h"
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

// The model core's reference air kerma of a set-up as the engines write it.
double coreReferenceKerma(const palvane::TubeSetup& setup) {
  return tube_model::writtenValue(tube_model::computeField(setup, tables()).airKermaReference,
                                  tube_model::kReferenceDigits);
}

// What the profile says about the set-up: {name, target, fit: {aluminium,
// pairs, madeFor}?, state: "calibrated" | "notForThese", why, setupName, output:
// {kermaPerLoad, distance, tubeVoltage, referenceKerma, setupName}?, referenceKerma (at the
// set-up)?, outputNote, heel: {targetAngle}?}.
val profileState(const std::string& text, const val& setupObject) {
  return reported([&] {
    const calibration::TubeProfile profile = calibration::readProfileText(text, "profile");
    const palvane::TubeSetup setup = setupOf(setupObject);
    val out = val::object();
    out.set("name", profile.name);
    out.set("target", std::string(palvane::targetName(profile.target)));
    const calibration::FilterFitFor found = calibration::filterFitFor(profile, setup);
    std::string why = found.refusal;
    if (why.empty()) {
      const std::string setupName = calibration::setupName(profile.target, found.filters);
      out.set("setupName", setupName);
      if (found.fit != nullptr && found.fit->aluminium) {
        val fit = val::object();
        fit.set("aluminium", *found.fit->aluminium);
        fit.set("pairs", pairFitsOf(found.fit->pairs));
        fit.set("madeFor", found.fit->madeFor(setup));
        out.set("fit", fit);
        if (!found.fit->madeFor(setup)) {
          why =
              "the profile's " + setupName + " fit was made for other angles, beryllium or filter";
        } else if (writtenAluminium(*found.fit->aluminium) != writtenAluminium(setup.aluminium)) {
          why = "the aluminium differs from the fit's " +
                fixed(writtenAluminium(*found.fit->aluminium), 2) + " mm";
        }
      } else {
        why = setupName + " is not calibrated in the profile";
      }
    }
    out.set("state", std::string(why.empty() ? "calibrated" : "notForThese"));
    out.set("why", why);
    if (profile.output) {
      val output = val::object();
      output.set("kermaPerLoad", profile.output->output.kermaPerLoad);
      output.set("distance", profile.output->output.distance);
      output.set("tubeVoltage", profile.output->setup.tubeVoltage);
      // At the reference point for the settings it was measured at, as the desktop states it.
      output.set("referenceKerma", calibration::referenceKerma(profile.output->output));
      const palvane::TubeSetup& measured = profile.output->setup;
      output.set("setupName",
                 calibration::setupName(measured.target, calibration::filtersOf(measured)));
      out.set("output", output);
      if (measured.target != setup.target) {
        out.set("outputNote",
                "no output measured for " + std::string(calibration::targetMetal(setup.target)));
      } else {
        try {
          const std::optional<double> reference = calibration::scaledReferenceKerma(
              profile.output->output, coreReferenceKerma(setup), coreReferenceKerma(measured));
          if (reference) out.set("referenceKerma", *reference);
        } catch (const std::exception& error) {
          out.set("outputNote", std::string(error.what()));
        }
      }
    }
    if (profile.heel && profile.heel->targetAngle) {
      val heel = val::object();
      heel.set("targetAngle", *profile.heel->targetAngle);
      out.set("heel", heel);
    }
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
}
