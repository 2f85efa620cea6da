// The display form's answers to the mouse: cross-hairs and read-outs over the map and the
// profile, and the spectrum at a clicked point of the map.

#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "palvane/figures/figure_caption.h"
#include "palvane/figures/figure_frame.h"
#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/cross_hair_line.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/point_list.h"
#include "palvane/forms/point_overlays.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/beam_geometry.h"
#include "palvane/physics/distribution_map.h"
#include "palvane/physics/point_beam_quality.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

// The map answers within x = 0..300 and |y| < 300 (it shows |y| up to about 203).
constexpr double kMapRight = 300.0;
constexpr double kMapReach = 300.0;
constexpr double kProfileTop = 130.0;
// Map units per mm, and cm per map unit and per mm.
constexpr double kUnitsPerMm = 2.0;
constexpr double kCmPerUnit = 0.05;
constexpr double kCmPerMm = 0.1;
// The map covers X 0 to 150 mm and Y -100 to 100 mm.
constexpr double kMapLengthMm = 150.0;
constexpr double kMapHalfWidthMm = 100.0;

QString millimetres(double units) { return formatted(units / kUnitsPerMm, "###0"); }

}  // namespace

QString Form1::valueReadout(int column, int row, const char* hvlPattern) const {
  const SharedState& shared = state();
  const double relative = shared.DisplayMap[column][row];
  if (shownQuantity_ == MapQuantity::kEnergyFluence || shownQuantity_ == MapQuantity::kAirKerma) {
    return formatted(100.0 * relative, "##0.0");
  }
  return formatted(shared.AxisHvl * relative, hvlPattern);
}

AbsoluteScale Form1::runScale() const {
  const std::optional<calibration::OutputMeasurement> output =
      form2()->calibrationPanel().outputMeasurement();
  if (!runSettings_) return {};
  if (!runScale_ || runScale_->first != output) {
    runScale_.emplace(
        output, form2()->calibrationPanel().scaleAt(runSettings_->targetType, runSettings_->tube,
                                                    runSettings_->layers));
  }
  return runScale_->second;
}

void Form1::showCalibrationState() {
  const CalibrationPanel& panel = form2()->calibrationPanel();
  const bool shown = panel.profile().has_value() && runSettings_.has_value();
  CalibrationStateLabel_->setVisible(shown);
  if (!shown) return;
  const CalibrationStatus status =
      panel.statusAt(runSettings_->targetType, runSettings_->tube, runSettings_->layers);
  CalibrationStateLabel_->setText(panel.stateText(status));
  CalibrationStateLabel_->setStyleSheet(CalibrationPanel::stateStyle(status.state));
}

void Form1::showPointerKerma(std::optional<double> relativeKerma) {
  showCalibrationState();
  const bool withOutput = form2()->calibrationPanel().outputMeasurement().has_value();
  AbsoluteKermaRow_->setVisible(withOutput);
  if (!withOutput) return;
  const AbsoluteScale scale = runScale();
  const std::optional<double> kerma =
      scale.referenceKerma && relativeKerma
          ? calibration::absoluteKerma(*scale.referenceKerma, *relativeKerma)
          : std::nullopt;
  AbsoluteKermaText_->setText(kerma ? formatted(*kerma, kAbsoluteKermaPattern) : QString());
  // Without a value for these settings the box says why.
  AbsoluteKermaText_->setPlaceholderText(scale.referenceKerma ? QString() : QStringLiteral("n/a"));
  AbsoluteKermaText_->setToolTip(QString::fromStdString(scale.reason));
}

void Form1::placeCrossHairs(double mapY, double x) {
  setCrossHairsVisible(true);
  Line17_->moveToUser(mapY);
  Line18_->moveToUser(x);
  Line19_->moveToUser(x);
}

void Form1::Picture2_MouseMove(double x, double y) {
  if (!mapDrawn_) return;
  if (x < 0 || x > kMapRight || y <= -kMapReach || y >= kMapReach) {
    setCrossHairsVisible(false);
    Text1_->clear();
    Text2_->clear();
    Text3_->clear();
    showPointerKerma(std::nullopt);
    return;
  }
  placeCrossHairs(y, x);
  Text1_->setText(millimetres(x));
  Text2_->setText(millimetres(std::fabs(y)));
  Text3_->setText(valueReadout(mapColumnAt(x), mapRowAt(y), "0.000"));
  showPointerKerma(state().KermaMap[mapColumnAt(x)][mapRowAt(y)]);
}

void Form1::Picture1_MouseMove(double x, double y) {
  if (!mapDrawn_) return;
  if (x < 0 || x > kMapRight || y < 0 || y > kProfileTop) {
    setCrossHairsVisible(false);
    Text1_->clear();
    Text2_->clear();
    Text3_->clear();
    showPointerKerma(std::nullopt);
    return;
  }
  placeCrossHairs(0.0, x);
  Text1_->setText(millimetres(x));
  Text2_->setText(QStringLiteral("0"));
  Text3_->setText(valueReadout(mapColumnAt(x), 1, "##0.000"));
  showPointerKerma(state().KermaMap[mapColumnAt(x)][1]);
}

void Form1::Picture2_MouseDown(double x, double y) {
  if (!mapDrawn_ || x < 0 || x > kMapRight || y < -kMapReach || y > kMapReach) return;
  Text4_->setText(millimetres(x));
  Text5_->setText(millimetres(std::fabs(y)));
  SharedState& shared = state();
  shared.PointX = x * kCmPerUnit;
  shared.PointY = y * kCmPerUnit;  // its sign does not change the spectrum
  drawPointSpectrum();
}

void Form1::PointText_Enter() {
  if (!mapDrawn_) return;  // as a click, nothing before the first Draw
  const struct {
    QLineEdit* box;
    const char* name;
  } boxes[] = {{Text4_, "X"}, {Text5_, "Y"}};
  double millimetresAt[2] = {};
  for (int n = 0; n < 2; ++n) {
    const std::string text = boxes[n].box->text().trimmed().toStdString();
    if (!IsSettingNumber(text, {"mm"})) {
      showWarning(this, translated(kPointNotANumberMessage)
                            .arg(QLatin1String(boxes[n].name), boxes[n].box->text()));
      return;
    }
    millimetresAt[n] = SettingNumber(text);
  }
  const double x = millimetresAt[0];
  const double y = millimetresAt[1];
  const QString xText = shortestText(x);
  if (!(x >= 0.0 && x <= kMapLengthMm && std::fabs(y) <= kMapHalfWidthMm)) {
    showWarning(this, translated(kPointOutsideMapMessage).arg(xText, shortestText(y)));
    return;
  }
  SharedState& shared = state();
  const TubeSettings tube = readTubeSettings(parameterTexts());
  if (beyondHeelCutOff(x * kCmPerMm, tube.targetAngle, tube.tiltAngle, shared.Pi)) {
    showWarning(this, translated(kPointBeyondCutOffMessage).arg(xText));
    return;
  }
  shared.PointX = x * kCmPerMm;
  shared.PointY = y * kCmPerMm;
  drawPointSpectrum();
}

void Form1::drawPointSpectrum() {
  SharedState& shared = state();
  shared.PointMode = 1;
  // Each point's curve in the colour of its number (the first light blue).
  const QColor colour = pointColour(static_cast<int>(pointSpectra_.size()) + 1);
  shared.ports.pointSpectrumColour = {static_cast<std::uint8_t>(colour.red()),
                                      static_cast<std::uint8_t>(colour.green()),
                                      static_cast<std::uint8_t>(colour.blue())};
  const PointSpectrumOutcome outcome =
      shared.TargetType == 0 ? ComputePointSpectrumMo() : ComputePointSpectrumW();
  shared.ports.pointSpectrumColour = colours::kLightBlue;
  BeamQualityLabel_->clear();
  if (outcome == PointSpectrumOutcome::kDrawn) {
    std::vector<std::string> lines = PointBeamQualityReadout();
    KeptSpectrum kept = keepLastPointSpectrum();
    const AbsoluteScale scale = form2()->calibrationPanel().scaleAt(
        kept.settings.targetType, kept.settings.tube, kept.settings.layers);
    if (const std::optional<double> kerma = spectrumAbsoluteKerma(kept.settings, scale)) {
      lines.push_back(absoluteKermaLine(*kerma));
    } else if (!scale.reason.empty()) {
      lines.push_back(absoluteKermaLine(scale.reason));
    }
    showLines(*BeamQualityLabel_, lines);
    const TubeSettings& tube = kept.settings.tube;
    PointList_->addPoint(
        kept, beyondHeelCutOff(shared.PointX, tube.targetAngle, tube.tiltAngle, shared.Pi),
        spectrumAbsoluteKerma(kept.settings, scale));
    pointSpectra_.push_back(std::move(kept));
    showPoints();
  } else if (outcome == PointSpectrumOutcome::kNoNormaliser) {
    showWarning(this, translated(kNoNormaliserMessage));
  } else if (outcome == PointSpectrumOutcome::kOutsideModel) {
    showWarning(this, translated(kOutsideModelMessage));
  }
  Picture3_->rectangle(0, 0, 150, 120, Picture3_->foreColour(), false);
}

void Form1::showPoints() {
  std::vector<QPointF> markers;
  QStringList names;
  for (std::size_t n = 0; n < pointSpectra_.size(); ++n) {
    const SpectrumExportSettings& settings = pointSpectra_[n].settings;
    markers.emplace_back(settings.pointX / kCmPerUnit, settings.pointY / kCmPerUnit);
    names << spectrumName(static_cast<int>(n + 1), settings.pointX, settings.pointY);
  }
  PointMarkers_->setPoints(markers);
  PointLegend_->setEntries(names);
  if (pointSpectra_.empty()) PointList_->clearPoints();
}

}  // namespace palvane
