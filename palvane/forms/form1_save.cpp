// The display form's save action: the shown map, profile and spectra as CSV files and the
// pictures as PNG files, into a folder the user picks.

#include <QColor>
#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <algorithm>

#include "palvane/forms/form1.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/saving.h"
#include "palvane/physics/distribution_map.h"
#include "palvane/physics/exports.h"
#include "palvane/state/shared_state.h"

namespace palvane {

namespace {

QString fileName(const char* stem, const char* tag, const char* extension) {
  return QStringLiteral("%1_%2.%3")
      .arg(QLatin1String(stem), QLatin1String(tag), QLatin1String(extension));
}

}  // namespace

void Form1::SaveButton_Click() {
  const QString folder = askSaveFolder(this);
  if (!folder.isEmpty()) saveTo(folder);
}

bool Form1::saveTo(const QString& folder) {
  return saveReportingErrors(this, [&] {
    if (mapShown_) writeShownMap(folder);
    writeShownSpectra(folder);
  });
}

MapQuantity Form1::shownMapQuantity() const {
  switch (shownQuantity_) {
    case 1:
      return MapQuantity::kEnergyFluence;
    case 2:
      return MapQuantity::kAirKerma;
    default:
      return MapQuantity::kHvl;
  }
}

void Form1::writeShownMap(const QString& folder) const {
  const SharedState& shared = state();
  const MapQuantity quantity = shownMapQuantity();
  const char* tag = mapQuantityFileTag(quantity);
  const QDir directory(folder);
  writeMapCsv(exportPath(folder, fileName("map", tag, "csv")), shared.DisplayMap, quantity,
              shared.AxisHvl);
  writeProfileCsv(exportPath(folder, fileName("profile", tag, "csv")), shared.DisplayMap, quantity);
  savePng(mapWithColourBar(), directory.filePath(fileName("map", tag, "png")));
  savePng(Picture1_->image(), directory.filePath(fileName("profile", tag, "png")));
}

void Form1::writeShownSpectra(const QString& folder) const {
  if (axisSpectrum_) {
    writeSpectrumCsv(exportPath(folder, QStringLiteral("spectrum_axis.csv")), *axisSpectrum_);
  }
  for (std::size_t n = 1; n <= pointSpectra_.size(); ++n) {
    writeSpectrumCsv(exportPath(folder, QStringLiteral("spectrum_point_%1.csv").arg(n)),
                     pointSpectra_[n - 1]);
  }
  savePng(Picture3_->image(), QDir(folder).filePath(QStringLiteral("spectra.png")));
}

QImage Form1::mapWithColourBar() const {
  const QImage& map = Picture2_->image();
  const QImage& bar = Picture7_->image();
  // Images hold device pixels; the form places its controls in logical pixels.
  const double ratio = Picture2_->devicePixelRatioF();
  const QPoint barOffset =
      (Picture7_->geometry().topLeft() - Picture2_->geometry().topLeft()) * ratio;
  const QFontMetrics metrics(font());
  const int labelWidth =
      static_cast<int>(ratio * (metrics.horizontalAdvance(QStringLiteral("120")) + 8));
  const QSize size(std::max(map.width(), barOffset.x() + bar.width() + labelWidth),
                   std::max(map.height(), barOffset.y() + bar.height()));

  QImage picture(size, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.drawImage(0, 0, map);
  painter.drawImage(barOffset, bar);
  QFont labelFont = font();
  labelFont.setPixelSize(static_cast<int>(ratio * metrics.height() * 0.8));
  painter.setFont(labelFont);
  painter.setPen(Qt::black);
  for (int tick = 0; tick < kColourBarTicks; ++tick) {
    const int y = barOffset.y() + Picture7_->toPixel(0, colourBarTickHeight(tick)).y();
    const QRect labelBox(barOffset.x() + bar.width() + static_cast<int>(3 * ratio),
                         y - static_cast<int>(ratio * metrics.height() / 2), labelWidth,
                         static_cast<int>(ratio * metrics.height()));
    painter.drawText(labelBox, Qt::AlignLeft | Qt::AlignVCenter,
                     QString::number(colourBarTickPercent(tick)));
  }
  return picture;
}

}  // namespace palvane
