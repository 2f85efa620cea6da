// The calibration panel's heel: the dialog of measured points and the fit of the target
// angle (and, in turn, the aluminium) to them.

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/heel_dialog.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/model_spectrum.h"
#include "palvane/physics/tube_calibration.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"

namespace palvane {

void CalibrationPanel::HeelButton_Click() {
  const ParameterTexts& texts = parameterTexts();
  if (const std::optional<SettingTextProblem> problem = settingTextProblem(texts)) {
    warn(settingProblemMessage(*problem));
    return;
  }
  HeelDialog dialog(
      panel_.window(),
      [this](const std::vector<calibration::HeelPoint>& points) { return fitHeel(points); },
      [](double x) {
        const TubeSetup setup = tubeSetupOf(state().TargetType, parameterTexts());
        return beyondHeelCutOff(0.1 * x, setup.targetAngle, setup.tiltAngle, state().Pi);
      });
  dialog.exec();
}

std::optional<calibration::HeelFit> CalibrationPanel::fitHeel(
    const std::vector<calibration::HeelPoint>& points) {
  const SharedState& shared = state();
  const TubeSetup setup = tubeSetupOf(shared.TargetType, parameterTexts());
  const std::string filter = calibration::filterKey(calibration::filtersOf(setup));
  const ModelLayers layers = modelLayers(shared, setup);
  // The aluminium is refitted with the angle when the profile has pairs for this filter,
  // made for the form's other settings (the angle aside).
  const std::vector<calibration::HvlPair> pairs =
      profile_ ? calibration::heelRefitPairs(*profile_, setup)
               : std::vector<calibration::HvlPair>{};
  const auto heelModel = [&](double aluminium) -> calibration::HeelModel {
    return [&, aluminium](double angle) {
      TubeSetup at = setup;
      at.targetAngle = angle;
      if (!pairs.empty()) at.aluminium = aluminium;
      return HeelRelativeKerma(shared, at, points);
    };
  };
  const auto hvlModel = [&](double angle) -> calibration::HvlModel {
    return [&, angle](double tubeVoltage, double aluminium) {
      TubeSetup at = setup;
      at.targetAngle = angle;
      at.tubeVoltage = tubeVoltage;
      at.aluminium = aluminium;
      return BeamAxisHvl(shared, at, layers);
    };
  };
  calibration::HeelAndAluminium fit;
  try {
    fit = calibration::fitHeelAndAluminium(heelModel, hvlModel, points, pairs, setup.aluminium);
  } catch (const calibration::HeelUnreachable& error) {
    QStringList values;
    for (std::size_t n = 0; n < points.size() && n < error.nearestKerma.size(); ++n) {
      values << translated(kHeelNearestValue)
                    .arg(formatted(error.nearestKerma[n], "0.000"),
                         shortestText(points[n].position), shortestText(points[n].relativeKerma));
    }
    warn(translated(kHeelUnreachableMessage)
             .arg(shortestText(error.nearestAngle), values.join(QStringLiteral(", "))));
    return std::nullopt;
  } catch (const std::exception& error) {
    warn(translated(kCalibrationFitImpossibleMessage).arg(QString::fromStdString(error.what())));
    return std::nullopt;
  }

  calibration::TubeProfile& profile = profileForForm();
  const bool refitted = calibration::keepHeelFit(profile, setup, fit, todayText());
  applying_ = true;
  targetAngleBox_.setText(formatted(fit.heel.targetAngle, "00.0"));
  applying_ = false;
  if (refitted) showFilterCalibration(profile.filterCalibration(filter));
  showState();
  return fit.heel;
}

}  // namespace palvane
