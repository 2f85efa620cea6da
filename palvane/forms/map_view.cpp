#include "palvane/forms/map_view.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "palvane/figures/curve_figures.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/point_list.h"
#include "palvane/forms/translated_text.h"

namespace palvane {

FigureCanvas::FigureCanvas(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(240, 200);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void FigureCanvas::setFigure(QSize size, Painter paint) {
  size_ = size;
  paint_ = std::move(paint);
  update();
}

double FigureCanvas::scale() const {
  return std::min(width() / static_cast<double>(size_.width()),
                  height() / static_cast<double>(size_.height()));
}

QPointF FigureCanvas::offset() const {
  return {(width() - scale() * size_.width()) / 2, (height() - scale() * size_.height()) / 2};
}

QPointF FigureCanvas::toFigure(QPointF widgetPosition) const {
  return (widgetPosition - offset()) / scale();
}

void FigureCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!paint_) return;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.translate(offset());
  painter.scale(scale(), scale());
  paint_(painter);
}

void FigureCanvas::mouseMoveEvent(QMouseEvent* event) { emit hovered(toFigure(event->position())); }

void FigureCanvas::leaveEvent(QEvent*) { emit left(); }

MapView::MapView(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("MapView"));
  showTranslatedTitle(*this, QT_TRANSLATE_NOOP("palvane", "分布の数値表示"));
  mapCanvas_ = new FigureCanvas(this);
  mapCanvas_->setObjectName(QStringLiteral("MapCanvas"));
  profileCanvas_ = new FigureCanvas(this);
  profileCanvas_->setObjectName(QStringLiteral("ProfileCanvas"));
  hover_ = new QLabel(this);
  hover_->setObjectName(QStringLiteral("HoverValue"));
  auto* figures = new QHBoxLayout;
  figures->addWidget(mapCanvas_, 1);
  figures->addWidget(profileCanvas_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(figures, 1);
  layout->addWidget(hover_);

  connect(mapCanvas_, &FigureCanvas::hovered, this, [this](QPointF figurePoint) {
    const PlotArea area = mapPlotArea();
    if (!area.rect.contains(figurePoint)) {
      hover_->clear();
      return;
    }
    const double x = area.xLow + (figurePoint.x() - area.rect.left()) / area.rect.width() *
                                     (area.xHigh - area.xLow);
    const double y = area.yLow + (area.rect.bottom() - figurePoint.y()) / area.rect.height() *
                                     (area.yHigh - area.yLow);
    hover_->setText(valueAt(x, y));
  });
  connect(mapCanvas_, &FigureCanvas::left, hover_, &QLabel::clear);

  // Room for both figures side by side, within the screen.
  QSize wanted(1360, 720);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    wanted = wanted.boundedTo(screen->availableGeometry().size() - QSize(40, 60));
  }
  resize(wanted);
}

void MapView::showMap(const FieldMap& map, MapQuantity quantity, double axisHvl,
                      const FieldMap& fluence, const FieldMap& kerma, const FieldMap& hvl,
                      const QStringList& caption, const std::vector<QPointF>& pointsMm) {
  map_ = map;
  quantity_ = quantity;
  axisHvl_ = axisHvl;
  scale_ = mapScale(map, quantity, axisHvl);
  marks_ = MapMarks{true, pointsMm};
  mapCanvas_->setFigure(mapFigureSize(static_cast<int>(caption.size())),
                        [this, caption](QPainter& painter) {
                          paintMapFigure(painter, map_, quantity_, axisHvl_, caption, marks_);
                        });
  profileCanvas_->setFigure(curveFigureSize(static_cast<int>(caption.size())),
                            [fluence, kerma, hvl, caption](QPainter& painter) {
                              paintProfilesFigure(painter, fluence, kerma, hvl, caption);
                            });
  hover_->clear();
}

QString MapView::valueAt(double xMm, double yMm) const {
  const int column = std::clamp(static_cast<int>(std::lround(xMm / 2.0)) + 1, 1, kLastMapColumn);
  const int row =
      std::clamp(static_cast<int>(std::lround(std::fabs(yMm) / 2.0)) + 1, 1, kLastMapRow);
  const double relative = map_[column][row];
  QString value;
  if (!(relative > 0.0) || !std::isfinite(relative)) {
    value = translated(kBeyondCutOffText);
  } else if (quantity_ == MapQuantity::kHvl) {
    value = formatted(axisHvl_ * relative, "0.000") + QStringLiteral(" mm Al");
  } else {
    value = formatted(100.0 * relative, "0.0") + QStringLiteral(" %");
  }
  return QStringLiteral("X = %1 mm, Y = %2 mm:  %3")
      .arg(formatted(xMm, "0.0"), formatted(yMm, "0.0"), value);
}

QString MapView::hoverText() const { return hover_->text(); }

}  // namespace palvane
