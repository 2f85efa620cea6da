#include "palvane/forms/point_list.h"

#include <QHeaderView>

#include "palvane/figures/figure_caption.h"
#include "palvane/figures/figure_frame.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/translated_text.h"
#include "palvane/physics/absolute_kerma.h"
#include "palvane/physics/beam_quality.h"

namespace palvane {

namespace {

enum Column { kNumber, kX, kY, kMeanEnergy, kHvl1, kHvl2, kRelativeKerma, kAbsoluteKerma, kCount };

}  // namespace

PointList::PointList(QWidget* parent) : QTableWidget(0, kCount, parent) {
  setObjectName(QStringLiteral("PointList"));
  setHorizontalHeaderLabels({QStringLiteral("#"), QStringLiteral("X mm"), QStringLiteral("Y mm"),
                             QStringLiteral("E keV"), QStringLiteral("HVL1"),
                             QStringLiteral("HVL2"), QStringLiteral("K %"),
                             QString::fromUtf8("K µGy/mAs")});
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::NoSelection);
  setColumnHidden(kAbsoluteKerma, true);
  // Scroll bars that never come and go, so that the list's look does not change with
  // its rows or the language.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont small = font();
  small.setPointSizeF(0.85 * small.pointSizeF());
  setFont(small);
}

void PointList::addPoint(const KeptSpectrum& spectrum, bool beyondCutOff,
                         std::optional<double> absoluteKerma) {
  const int row = rowCount();
  insertRow(row);
  const auto put = [&](int column, const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setItem(row, column, item);
  };
  put(kNumber, QString::number(row + 1));
  item(row, kNumber)->setForeground(pointColour(row + 1));
  QFont bold = font();
  bold.setBold(true);
  item(row, kNumber)->setFont(bold);
  const SpectrumExportSettings& settings = spectrum.settings;
  put(kX, tenthsOfMillimetre(settings.pointX));
  put(kY, tenthsOfMillimetre(settings.pointY));
  if (!settings.quality) {
    put(kMeanEnergy, translated(beyondCutOff ? kBeyondCutOffText : kQualityUndefinedText));
    setSpan(row, kMeanEnergy, 1, kCount - kMeanEnergy);
    return;
  }
  const BeamQuality& quality = *settings.quality;
  put(kMeanEnergy, formatted(quality.meanEnergy, kMeanEnergyPattern));
  put(kHvl1, formatted(quality.firstHvl, kHvlPattern));
  put(kHvl2, formatted(quality.secondHvl, kHvlPattern));
  const std::optional<double> percent = relativeAirKermaPercent(quality, settings.axisAirKerma);
  put(kRelativeKerma, percent ? formatted(*percent, kRelativeKermaPattern) : QString());
  put(kAbsoluteKerma, absoluteKerma ? formatted(*absoluteKerma, kAbsoluteKermaPattern) : QString());
  if (absoluteKerma) setColumnHidden(kAbsoluteKerma, false);
}

void PointList::clearPoints() {
  clearSpans();
  setRowCount(0);
  setColumnHidden(kAbsoluteKerma, true);
}

}  // namespace palvane
