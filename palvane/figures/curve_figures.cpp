#include "palvane/figures/curve_figures.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QPainter>
#include <QPainterPath>

#include "palvane/figures/figure_frame.h"

namespace palvane {

namespace {

constexpr int kFigureWidth = 720;
constexpr QRectF kPlot(90, 50, 600, 340);
constexpr double kCaptionTop = 470;

// Colours that stay apart for readers with a red-green deficiency.
QColor curveColour(std::size_t index) {
  static const std::array<QColor, 7> kColours = {
      QColor(0, 114, 178), QColor(213, 94, 0),   QColor(0, 158, 115),  QColor(204, 121, 167),
      QColor(230, 159, 0), QColor(86, 180, 233), QColor(120, 120, 120)};
  return kColours[index % kColours.size()];
}

// The y range from 0 to a round number above the largest value, at least `least`.
double roundTop(double largest, double least) {
  const double top = std::max(largest, least);
  const double step = niceStep(0, top, 6);
  return std::ceil(top / step - 1e-9) * step;
}

void drawPolyline(QPainter& painter, const QPolygonF& points, const QColor& colour, qreal width) {
  painter.save();
  painter.setClipRect(kPlot.adjusted(-1, -1, 1, 1));
  painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(points);
  painter.restore();
}

}  // namespace

QSize curveFigureSize(int captionLines) {
  return QSize(kFigureWidth, static_cast<int>(kCaptionTop + captionHeight(captionLines) + 12));
}

void paintProfilesFigure(QPainter& painter, const FieldMap& fluence, const FieldMap& kerma,
                         const FieldMap& hvl, const QStringList& caption) {
  const struct {
    const FieldMap* map;
    QString name;
  } profiles[] = {{&fluence, FigureTexts::tr("Relative energy fluence")},
                  {&kerma, FigureTexts::tr("Relative air kerma")},
                  {&hvl, FigureTexts::tr("Relative Al HVL")}};
  double largest = 0.0;
  for (const auto& profile : profiles) {
    for (int i = 1; i <= kLastMapColumn; ++i) {
      const double percent = 100.0 * (*profile.map)[i][1];
      if (std::isfinite(percent)) largest = std::max(largest, percent);
    }
  }
  const double top = roundTop(largest, 100.0);
  const PlotArea area{kPlot, 0.0, 150.0, 0.0, top};
  const double yStep = niceStep(0, top, 12);
  drawTitle(painter, QRectF(0, 8, kFigureWidth, 30),
            FigureTexts::tr("Profiles along the anode-cathode axis (Y = 0)"));
  painter.save();
  painter.setPen(QPen(QColor(220, 220, 220), 0.8));
  for (const double y : ticksEvery(0, top, 2 * yStep)) {
    painter.drawLine(area.at(0, y), area.at(150, y));
  }
  painter.setPen(QPen(QColor(150, 150, 150), 1.0, Qt::DashLine));
  painter.drawLine(area.at(0, 100), area.at(150, 100));
  painter.restore();

  // Beyond the heel cut-off nothing is computed (the maps hold 0 there): hatched, and the
  // curves end at the last computed point.
  for (int i = 2; i <= kLastMapColumn; ++i) {
    if (fluence[i][1] > 0.0) continue;
    fillCutOff(painter, QRectF(area.at(2.0 * (i - 1) - 1.0, top), area.at(150.0, 0.0)));
    break;
  }
  std::vector<LegendEntry> legend;
  for (std::size_t n = 0; n < std::size(profiles); ++n) {
    QPolygonF points;
    for (int i = 1; i <= kLastMapColumn; ++i) {
      const double percent = 100.0 * (*profiles[n].map)[i][1];
      if (!(percent > 0.0) || !std::isfinite(percent)) break;
      points << area.at(2.0 * (i - 1), percent);
    }
    drawPolyline(painter, points, curveColour(n), 2.0);
    legend.push_back({profiles[n].name, curveColour(n), 2.0});
  }
  drawAxes(painter, area,
           {10.0, 25.0, yStep, 2 * yStep, FigureTexts::tr("X (mm), toward the anode side"),
            FigureTexts::tr("Percent of the beam axis (%)")});
  drawLegend(painter, area, legend);
  drawCaption(painter, 24, kCaptionTop, caption);
}

void paintSpectraFigure(QPainter& painter, const std::vector<SpectrumCurve>& curves,
                        const QStringList& caption) {
  double largest = 0.0;
  int lastBin = 1;
  int drawn = 0;
  for (const SpectrumCurve& curve : curves) {
    if (!(curve.normaliser > 0.0)) continue;
    ++drawn;
    for (int i = 1; i <= kLastBin; ++i) {
      const double percent = 100.0 * (*curve.photons)[i] / curve.normaliser;
      if (std::isfinite(percent)) largest = std::max(largest, percent);
      if (percent > 0.0) lastBin = std::max(lastBin, i);
    }
  }
  // The energy axis ends at the tube voltage (the last bin that carries photons), rounded
  // up to 5 keV; the legend sits in head room above the highest curve.
  const double right = std::min(50.0, std::max(10.0, 5.0 * std::ceil(0.2 * lastBin / 5.0 - 1e-9)));
  const double legendRoom = legendHeight(drawn) + 12.0;
  const double top = roundTop(largest * kPlot.height() / (kPlot.height() - legendRoom), 100.0);
  const PlotArea area{kPlot, 0.0, right, 0.0, top};
  const double yStep = niceStep(0, top, 12);
  drawTitle(painter, QRectF(0, 8, kFigureWidth, 30), FigureTexts::tr("Photon spectra"));

  std::vector<LegendEntry> legend;
  std::size_t coloured = 0;
  for (const SpectrumCurve& curve : curves) {
    if (!(curve.normaliser > 0.0)) continue;
    const bool axis = curve.beamAxis;
    const QColor colour = axis                     ? QColor(Qt::black)
                          : curve.colour.isValid() ? curve.colour
                                                   : pointColour(static_cast<int>(++coloured));
    const qreal width = axis ? 2.0 : 1.5;
    QPolygonF points;
    points << area.at(0, 0);
    for (int i = 1; i <= kLastBin; ++i) {
      const double percent = 100.0 * (*curve.photons)[i] / curve.normaliser;
      points << area.at(0.2 * i, std::isfinite(percent) ? percent : 0.0);
    }
    drawPolyline(painter, points, colour, width);
    legend.push_back({curve.name, colour, width});
  }
  drawAxes(painter, area,
           {1.0, 5.0, yStep, 2 * yStep, FigureTexts::tr("Photon energy (keV)"),
            FigureTexts::tr("Photon fluence (% of the beam-axis peak)")});
  drawLegend(painter, area, legend);
  drawCaption(painter, 24, kCaptionTop, caption);
}

}  // namespace palvane
