#include "measured_spectra/spectra_figure.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPolygonF>

#include "palvane/figures/figure_files.h"
#include "palvane/figures/figure_frame.h"

namespace measured {

namespace {

constexpr int kWidth = 760;
constexpr int kPanelHeight = 330;
constexpr QRectF kPlotInPanel(90, 40, 640, 240);
constexpr double kBinWidth = 0.2;  // keV

// The spectrum in % of its total photon number per keV, bin by bin.
std::vector<double> percentPerKeV(const palvane::BinArray& photons) {
  double total = 0.0;
  for (int i = 1; i <= palvane::kLastBin; ++i) total += photons[i];
  std::vector<double> values(palvane::kLastBin + 1, 0.0);
  if (!(total > 0.0)) return values;
  for (int i = 1; i <= palvane::kLastBin; ++i) values[i] = 100.0 * photons[i] / total / kBinWidth;
  return values;
}

// A step curve: each bin flat over its 0.2 keV, centred on its energy.
QPolygonF stepCurve(const palvane::PlotArea& area, const std::vector<double>& values) {
  QPolygonF points;
  points << area.at(0.1, 0.0);
  for (int i = 1; i <= palvane::kLastBin && (i - 0.5) * kBinWidth < area.xHigh; ++i) {
    const double low = std::max((i - 0.5) * kBinWidth, area.xLow);
    const double high = std::min((i + 0.5) * kBinWidth, area.xHigh);
    points << area.at(low, values[i]) << area.at(high, values[i]);
  }
  return points;
}

void paintPanel(QPainter& painter, const SpectrumPair& panel, double highestEnergy) {
  const std::vector<double> measured = percentPerKeV(*panel.measured);
  const std::vector<double> model = percentPerKeV(*panel.model);
  const double largest = std::max(*std::max_element(measured.begin(), measured.end()),
                                  *std::max_element(model.begin(), model.end()));
  const double step = palvane::niceStep(0.0, largest, 6);
  const double top = std::ceil(largest / step - 1e-9) * step;
  const palvane::PlotArea area{kPlotInPanel, 0.0, highestEnergy, 0.0, top};
  palvane::drawTitle(painter, QRectF(0, 4, kWidth, 28), panel.title);

  const QColor measuredColour(Qt::black);
  const QColor modelColour(0, 114, 178);
  painter.save();
  painter.setClipRect(area.rect.adjusted(-1, -1, 1, 1));
  painter.setPen(QPen(measuredColour, 1.6));
  painter.drawPolyline(stepCurve(area, measured));
  painter.setPen(QPen(modelColour, 1.4));
  painter.drawPolyline(stepCurve(area, model));
  painter.restore();
  palvane::drawAxes(painter, area,
                    {1.0, 5.0, step / 2, step, QStringLiteral("Photon energy (keV)"),
                     QStringLiteral("% of all photons per keV")});
  palvane::drawLegend(painter, area,
                      {{QStringLiteral("measured (catalogue, filtered)"), measuredColour, 1.6},
                       {QStringLiteral("model (engine, beam axis)"), modelColour, 1.4}});
}

}  // namespace

QByteArray spectraFigurePng(const std::vector<SpectrumPair>& panels, double highestEnergy) {
  const QSize size(kWidth, kPanelHeight * static_cast<int>(panels.size()));
  return palvane::figurePng(size, [&](QPainter& painter) {
    for (std::size_t k = 0; k < panels.size(); ++k) {
      painter.save();
      painter.translate(0, kPanelHeight * static_cast<double>(k));
      paintPanel(painter, panels[k], highestEnergy);
      painter.restore();
    }
  });
}

}  // namespace measured
