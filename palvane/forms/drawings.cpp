#include "palvane/forms/drawings.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include "palvane/forms/translated_text.h"

namespace palvane {

namespace {

// Every picture is drawn in a design space of 240 x 180 units, scaled to its size.
constexpr int kDesignWidth = 240;
constexpr int kDesignHeight = 180;
constexpr double kDegree = 3.14159265358979 / 180.0;

// The angles are drawn larger than their usual values so that they can be seen.
constexpr double kDrawnTargetAngle = 20.0;
constexpr double kDrawnTiltAngle = 15.0;

const QColor kInk(0, 0, 0);
const QColor kBeam(0, 0, 255);
const QColor kTarget(190, 190, 190);
const QColor kFocalSpot(255, 0, 0);
const QColor kAngleMark(200, 0, 0);

QPixmap blankPicture(QSize size) {
  QPixmap picture(size);
  picture.fill(Qt::white);
  return picture;
}

// A painter on the picture whose window is the design space.
void prepare(QPainter& painter, const QPixmap& picture) {
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setViewport(picture.rect());
  painter.setWindow(0, 0, kDesignWidth, kDesignHeight);
  QFont font = QGuiApplication::font();
  font.setPixelSize(11);
  painter.setFont(font);
  painter.setPen(QPen(kInk, 1));
}

// The unit vector at an angle from straight down, positive toward the right (anode side).
QPointF downward(double degreesFromVertical) {
  return {std::sin(degreesFromVertical * kDegree), std::cos(degreesFromVertical * kDegree)};
}

void arrow(QPainter& painter, QPointF from, QPointF to, const QColor& colour) {
  painter.setPen(QPen(colour, 1.5));
  painter.drawLine(from, to);
  const QPointF along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
  const QPointF across(-along.y(), along.x());
  painter.setBrush(colour);
  painter.drawPolygon(QPolygonF{to, to - 6 * along + 3 * across, to - 6 * along - 3 * across});
  painter.setBrush(Qt::NoBrush);
}

void dashedLine(QPainter& painter, QPointF from, QPointF to) {
  painter.setPen(QPen(kInk, 1, Qt::DashLine));
  painter.drawLine(from, to);
  painter.setPen(QPen(kInk, 1));
}

// An arc of the given radius around centre from straight down, sweeping toward the right.
void angleArc(QPainter& painter, QPointF centre, double radius, double degrees,
              const QString& name) {
  painter.setPen(QPen(kAngleMark, 1.5));
  painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                  -90 * 16, static_cast<int>(degrees * 16));
  const QPointF labelAt = centre + (radius + 6) * downward(degrees / 2);
  painter.drawText(QRectF(labelAt.x() - 2, labelAt.y() - 6, 20, 14), name);
  painter.setPen(QPen(kInk, 1));
}

// Text from the point, moved left as far as needed to end inside the picture.
void textInside(QPainter& painter, QPointF at, const QString& text) {
  constexpr double kMargin = 2;
  const double width = painter.fontMetrics().horizontalAdvance(text);
  painter.drawText(QPointF(std::min(at.x(), kDesignWidth - kMargin - width), at.y()), text);
}

void focalSpot(QPainter& painter, QPointF at) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kFocalSpot);
  painter.drawEllipse(at, 3, 3);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kInk, 1));
}

}  // namespace

QIcon exitIcon() {
  QPixmap picture(64, 64);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  // Door frame, and the door swung open into the room.
  painter.setPen(QPen(QColor(80, 50, 20), 3));
  painter.setBrush(QColor(255, 255, 255));
  painter.drawRect(QRectF(8, 6, 30, 52));
  painter.setBrush(QColor(170, 110, 50));
  painter.drawPolygon(QPolygonF{{8, 6}, {24, 12}, {24, 62}, {8, 58}});
  // The way out.
  painter.setPen(QPen(QColor(0, 150, 0), 6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(30, 32), QPointF(54, 32));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 150, 0));
  painter.drawPolygon(QPolygonF{{62, 32}, {48, 20}, {48, 44}});
  return QIcon(picture);
}

QPixmap targetAnglePicture(QSize size) {
  QPixmap picture = blankPicture(size);
  QPainter painter(&picture);
  prepare(painter, picture);

  const QPointF focus(150, 72);
  const QPointF face = downward(kDrawnTargetAngle);

  // Target (anode) with its face at the target angle to the central ray.
  const QPointF faceTop = focus - 45 * face;
  const QPointF faceBottom = focus + 60 * face;
  painter.setBrush(kTarget);
  painter.drawPolygon(QPolygonF{faceTop, faceBottom, {228, faceBottom.y()}, {228, faceTop.y()}});
  painter.setBrush(Qt::NoBrush);
  painter.drawText(QPointF(168, 70), translated(QT_TRANSLATE_NOOP("palvane", "ターゲット")));
  painter.drawText(QPointF(176, 84), translated(QT_TRANSLATE_NOOP("palvane", "(陽極)")));

  // Cathode and the electron beam toward the focal spot.
  painter.setBrush(QColor(120, 120, 120));
  painter.drawRect(QRectF(18, 60, 14, 24));
  painter.setBrush(Qt::NoBrush);
  painter.drawText(QPointF(14, 100), translated(QT_TRANSLATE_NOOP("palvane", "陰極")));
  arrow(painter, {34, 72}, focus - QPointF(5, 0), kInk);
  painter.drawText(QPointF(66, 64), translated(QT_TRANSLATE_NOOP("palvane", "電子線")));

  // X-rays leave the focal spot downward; the central ray is perpendicular to the
  // electron beam.
  for (double angle : {-35.0, -18.0, 12.0})
    arrow(painter, focus, focus + 70 * downward(angle), kBeam);
  dashedLine(painter, focus, {focus.x(), 172});
  painter.drawText(QPointF(112, 166), translated(QT_TRANSLATE_NOOP("palvane", "中心線")));

  focalSpot(painter, focus);
  painter.drawText(QPointF(112, 90), translated(QT_TRANSLATE_NOOP("palvane", "焦点")));
  angleArc(painter, focus, 40, kDrawnTargetAngle, QStringLiteral("θ"));
  painter.drawText(QPointF(6, 16), translated(QT_TRANSLATE_NOOP("palvane", "θ : ターゲット角度")));
  return picture;
}

QPixmap tiltAnglePicture(QSize size) {
  QPixmap picture = blankPicture(size);
  QPainter painter(&picture);
  prepare(painter, picture);

  const QPointF focus(90, 58);
  const double planeY = 150;

  // Tube housing: its anode-cathode axis is perpendicular to its central ray.
  painter.save();
  painter.translate(focus);
  painter.rotate(-kDrawnTiltAngle);
  painter.setBrush(QColor(235, 235, 235));
  painter.drawRoundedRect(QRectF(-62, -24, 124, 26), 6, 6);
  painter.drawText(QRectF(-58, -22, 56, 20), Qt::AlignVCenter,
                   translated(QT_TRANSLATE_NOOP("palvane", "陰極")));
  painter.drawText(QRectF(6, -22, 56, 20), Qt::AlignVCenter | Qt::AlignRight,
                   translated(QT_TRANSLATE_NOOP("palvane", "陽極")));
  painter.restore();

  // Image plane and the X axis on it, toward the anode (heel) side.
  painter.setPen(QPen(kInk, 2));
  painter.drawLine(QPointF(14, planeY), QPointF(230, planeY));
  painter.setPen(QPen(kInk, 1));
  arrow(painter, {focus.x(), planeY + 14}, {210, planeY + 14}, kInk);
  painter.drawText(QPointF(150, planeY + 28),
                   translated(QT_TRANSLATE_NOOP("palvane", "X (陽極側)")));
  textInside(painter, QPointF(174, planeY - 6), translated(QT_TRANSLATE_NOOP("palvane", "受像面")));

  // The perpendicular from the focal spot: 65 cm to the reference point.
  dashedLine(painter, focus, {focus.x(), planeY});
  painter.drawText(QPointF(focus.x() - 40, 110), QStringLiteral("65 cm"));
  painter.setBrush(QColor(255, 255, 0));
  painter.drawEllipse(QPointF(focus.x(), planeY), 3.5, 3.5);
  painter.setBrush(Qt::NoBrush);
  painter.drawText(QPointF(14, planeY + 28), translated(QT_TRANSLATE_NOOP("palvane", "基準点")));

  // The tube's central ray, tilted by phi toward the anode side.
  const QPointF central = downward(kDrawnTiltAngle);
  arrow(painter, focus, focus + (planeY - focus.y()) / central.y() * central, kBeam);
  painter.drawText(QPointF(126, 124), translated(QT_TRANSLATE_NOOP("palvane", "中心線")));

  focalSpot(painter, focus);
  painter.drawText(QPointF(focus.x() - 40, focus.y() + 20),
                   translated(QT_TRANSLATE_NOOP("palvane", "焦点")));
  angleArc(painter, focus, 50, kDrawnTiltAngle, QStringLiteral("φ"));
  painter.drawText(QPointF(6, 16), translated(QT_TRANSLATE_NOOP("palvane", "φ : 管球傾斜角度")));
  return picture;
}

QPixmap fieldPlanPicture(QSize size) {
  QPixmap picture = blankPicture(size);
  QPainter painter(&picture);
  prepare(painter, picture);

  // 6.5 units per cm: X 0..15 cm, Y -10..10 cm around the reference point.
  constexpr double kUnitsPerCm = 6.5;
  const QPointF reference(44, 84);
  const QRectF field(reference.x(), reference.y() - 10 * kUnitsPerCm, 15 * kUnitsPerCm,
                     20 * kUnitsPerCm);
  painter.setBrush(QColor(255, 200, 200));
  painter.drawRect(field);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(128, 128, 128), 0.5));
  for (int cm = 5; cm < 15; cm += 5) {
    const double x = reference.x() + cm * kUnitsPerCm;
    painter.drawLine(QPointF(x, field.top()), QPointF(x, field.bottom()));
  }
  for (int cm = -5; cm <= 5; cm += 5) {
    const double y = reference.y() - cm * kUnitsPerCm;
    painter.drawLine(QPointF(field.left(), y), QPointF(field.right(), y));
  }
  painter.setPen(QPen(kInk, 1));

  arrow(painter, reference, {field.right() + 22, reference.y()}, kInk);
  painter.drawText(QPointF(field.right() + 10, reference.y() - 6), QStringLiteral("X"));
  arrow(painter, {reference.x(), field.bottom()}, {reference.x(), field.top() - 8}, kInk);
  painter.drawText(QPointF(reference.x() - 14, field.top() - 2), QStringLiteral("Y"));
  painter.setBrush(QColor(255, 255, 0));
  painter.drawEllipse(reference, 3.5, 3.5);
  painter.setBrush(Qt::NoBrush);

  painter.drawText(QPointF(2, reference.y() + 20),
                   translated(QT_TRANSLATE_NOOP("palvane", "基準点")));
  painter.drawText(QPointF(field.left() + 30, field.bottom() + 13), QStringLiteral("15 cm"));
  painter.drawText(QPointF(field.right() + 4, field.bottom() - 4), QStringLiteral("±10 cm"));
  painter.drawText(QPointF(2, 176), translated(QT_TRANSLATE_NOOP("palvane", "← 陰極側")));
  painter.drawText(QPointF(field.right() - 10, 176),
                   translated(QT_TRANSLATE_NOOP("palvane", "陽極側 →")));
  textInside(painter, QPointF(field.right() + 28, 36),
             translated(QT_TRANSLATE_NOOP("palvane", "受像面の")));
  textInside(painter, QPointF(field.right() + 28, 50),
             translated(QT_TRANSLATE_NOOP("palvane", "照射野")));
  textInside(painter, QPointF(field.right() + 28, 64),
             translated(QT_TRANSLATE_NOOP("palvane", "(2 mm 間隔)")));
  return picture;
}

QPixmap tubePicture(QSize size) {
  QPixmap picture = blankPicture(size);
  QPainter painter(&picture);
  prepare(painter, picture);

  // Glass envelope with cathode and anode, and the beam leaving downward.
  const QPointF focus(150, 70);
  QPainterPath beam;
  beam.moveTo(focus);
  beam.lineTo(focus + 110 * downward(-20));
  beam.lineTo(focus + 110 * downward(12));
  beam.closeSubpath();
  painter.fillPath(beam, QColor(200, 220, 255));
  painter.setBrush(QColor(235, 245, 255));
  painter.drawEllipse(QRectF(30, 40, 180, 60));
  painter.setBrush(QColor(120, 120, 120));
  painter.drawRect(QRectF(52, 60, 16, 20));
  painter.setBrush(kTarget);
  painter.drawPolygon(QPolygonF{focus - 16 * downward(20),
                                focus + 16 * downward(20),
                                {190, focus.y() + 15},
                                {190, focus.y() - 15}});
  painter.setBrush(Qt::NoBrush);
  arrow(painter, {70, 70}, focus - QPointF(6, 0), kInk);
  focalSpot(painter, focus);
  return picture;
}

}  // namespace palvane
