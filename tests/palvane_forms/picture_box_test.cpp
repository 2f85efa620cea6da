#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "palvane/forms/picture_box.h"
#include "palvane/state/form_ports.h"

using palvane::PictureBox;
using palvane::Rgb;

namespace {

constexpr Rgb kMapCellColour{255, 102, 102};

Rgb pixelAt(const QImage& image, QPoint pixel) {
  const QColor colour = image.pixelColor(pixel);
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

// Counts the pixels of one colour inside a rectangle of the image.
int countColour(const QImage& image, const QRect& area, Rgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.rect().contains(x, y) && pixelAt(image, {x, y}) == colour) ++count;
    }
  }
  return count;
}

}  // namespace

class PictureBoxTest : public QObject {
  Q_OBJECT

 private slots:
  // The spectrum graph's scale: 6250 x 2500 units on 625 x 250 pixels, y downward.
  void downwardScaleMapsUnitsToPixels() {
    PictureBox box;
    box.resize(625, 250);
    box.setScale(0, 0, 6250, 2500);
    QCOMPARE(box.toPixel(0, 0), QPoint(0, 0));
    QCOMPARE(box.toPixel(1000, 100), QPoint(100, 10));
    QCOMPARE(box.toPixel(6000, 2100), QPoint(600, 210));
    QCOMPARE(box.toPixel(1009.9, 109.9), QPoint(100, 10));  // a pixel holds 10 units
    QCOMPARE(box.toUser(QPointF(100, 10)), QPointF(1000, 100));
  }

  // The display spectrum's scale: left -10, top 122, 62 across, 130 down with y upward.
  void upwardScaleMapsUnitsToPixels() {
    PictureBox box;
    box.resize(620, 260);
    box.setScale(-10, 122, 62, -130);
    QCOMPARE(box.toPixel(-10, 122), QPoint(0, 0));
    QCOMPARE(box.toPixel(0, 0), QPoint(100, 244));  // (122 - 0) * 2 pixels per unit
    QCOMPARE(box.toPixel(50, 120), QPoint(600, 4));
    QCOMPARE(box.toUser(QPointF(100, 244)), QPointF(0, 0));
    QCOMPARE(box.toUser(QPointF(620, 260)), QPointF(52, -8));
  }

  void filledRectangleKeepsItsExactColourUntilCleared() {
    PictureBox box;
    box.resize(300, 200);
    box.setScale(0, 0, 300, 200);
    box.rectangle(10, 20, 13, 23, kMapCellColour, true);
    const QImage& image = box.image();
    // Both corners belong to the box: 4 x 4 pixels, no blending at the edges.
    QCOMPARE(countColour(image, QRect(0, 0, 300, 200), kMapCellColour), 16);
    QCOMPARE(pixelAt(image, {10, 20}), kMapCellColour);
    QCOMPARE(pixelAt(image, {13, 23}), kMapCellColour);
    QCOMPARE(pixelAt(image, {14, 23}), palvane::colours::kWhite);

    // Repainting the widget does not lose the drawing.
    box.show();
    const QImage shown = box.grab().toImage();
    QCOMPARE(pixelAt(shown, {11, 21}), kMapCellColour);

    box.clear();
    QCOMPARE(countColour(box.image(), QRect(0, 0, 300, 200), kMapCellColour), 0);
    QCOMPARE(box.currentX(), 0.0);
  }

  void outlineLeavesTheInsideWhite() {
    PictureBox box;
    box.resize(100, 100);
    box.setScale(0, 0, 100, 100);
    box.rectangle(10, 10, 50, 40, palvane::colours::kBlack, false);
    const QImage& image = box.image();
    QCOMPARE(pixelAt(image, {10, 10}), palvane::colours::kBlack);
    QCOMPARE(pixelAt(image, {50, 40}), palvane::colours::kBlack);
    QCOMPARE(pixelAt(image, {30, 10}), palvane::colours::kBlack);
    QCOMPARE(pixelAt(image, {30, 25}), palvane::colours::kWhite);
  }

  // A point places the pen; lineTo continues from there and moves the pen on.
  void lineToContinuesFromTheCurrentPoint() {
    PictureBox box;
    box.resize(100, 100);
    box.setScale(0, 100, 100, -100);  // y upward
    box.point(10, 50, palvane::colours::kWhite);
    box.lineTo(60, 50, palvane::colours::kRed);
    box.lineTo(60, 80, palvane::colours::kRed);
    QCOMPARE(box.currentX(), 60.0);
    QCOMPARE(box.currentY(), 80.0);
    const QImage& image = box.image();
    QCOMPARE(pixelAt(image, box.toPixel(35, 50)), palvane::colours::kRed);
    QCOMPARE(pixelAt(image, box.toPixel(60, 65)), palvane::colours::kRed);
    QCOMPARE(pixelAt(image, box.toPixel(35, 65)), palvane::colours::kWhite);
  }

  void widePenCoversTheRowOfItsLine() {
    PictureBox box;
    box.resize(200, 100);
    box.setScale(0, 0, 2000, 1000);
    box.setPenWidth(2);
    box.line(100, 505, 1500, 505, palvane::colours::kLightRed);
    const QImage& image = box.image();
    QCOMPARE(pixelAt(image, box.toPixel(800, 505)), palvane::colours::kLightRed);
    // Two rows wide, no more.
    QCOMPARE(countColour(image, QRect(80, 40, 1, 20), palvane::colours::kLightRed), 2);
  }

  void textStartsAtItsTopLeftCornerInTheForeColour() {
    PictureBox box;
    box.resize(400, 100);
    box.setScale(0, 0, 400, 100);
    box.setForeColour(palvane::colours::kRed);
    box.text(100, 30, "Photon");
    const QImage& image = box.image();
    QVERIFY(countColour(image, QRect(100, 30, 200, 40), palvane::colours::kRed) > 20);
    QCOMPARE(countColour(image, QRect(0, 0, 400, 30), palvane::colours::kRed), 0);
    QCOMPARE(countColour(image, QRect(0, 0, 100, 100), palvane::colours::kRed), 0);
  }

  void mouseEventsReportUserUnits() {
    PictureBox box;
    box.resize(309, 405);
    box.setScale(-2, 203, 309, -405);  // the map's scale: one unit per pixel, y upward
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy pressed(&box, &PictureBox::mousePressed);
    QSignalSpy moved(&box, &PictureBox::mouseMoved);

    QTest::mousePress(&box, Qt::LeftButton, Qt::NoModifier, QPoint(102, 3));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.first().at(0).toDouble(), 100.0);
    QCOMPARE(pressed.first().at(1).toDouble(), 200.0);

    QMouseEvent move(QEvent::MouseMove, QPointF(2, 403), box.mapToGlobal(QPointF(2, 403)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &move);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(moved.first().at(0).toDouble(), 0.0);
    QCOMPARE(moved.first().at(1).toDouble(), -200.0);

    // A double click, a click and then a double-click event, is one press: the map computes
    // one point spectrum for it.
    pressed.clear();
    QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(102, 3));
    QTest::mouseDClick(&box, Qt::LeftButton, Qt::NoModifier, QPoint(102, 3));
    QCOMPARE(pressed.count(), 1);
  }
};

QTEST_MAIN(PictureBoxTest)
#include "picture_box_test.moc"
