#include <QTest>

#include "palvane/forms/picture_box.h"
#include "palvane/physics/spectrum_graphs.h"
#include "palvane/state/shared_state.h"

using palvane::PictureBox;

namespace {

const QColor kGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

QColor colourAt(const PictureBox& graph, double x, double y) {
  return graph.image().pixelColor(graph.toPixel(x, y));
}

// Whether a pixel of the colour lies within `reach` pixels of the user point.
bool colourNear(const PictureBox& graph, double x, double y, const QColor& colour, int reach) {
  const QPoint centre = graph.toPixel(x, y);
  for (int dy = -reach; dy <= reach; ++dy) {
    for (int dx = -reach; dx <= reach; ++dx) {
      const QPoint pixel = centre + QPoint(dx, dy);
      if (graph.image().valid(pixel) && graph.image().pixelColor(pixel) == colour) return true;
    }
  }
  return false;
}

}  // namespace

class SpectrumGraphsTest : public QObject {
  Q_OBJECT

 private slots:
  // The spectrum form's graph at its size on the form, 729 x 425 pixels.
  void spectrumAxesDrawTheGridAndFrame() {
    PictureBox graph;
    graph.resize(729, 425);
    graph.setScale(0, 0, 6250, 2500);
    palvane::SpectrumAxes(graph);
    // Between the horizontal grid lines at 1300 and 1500:
    QCOMPARE(colourAt(graph, 1200, 1400), kGrey);  // minor line, every 2 keV
    QCOMPARE(colourAt(graph, 1100, 1400), kWhite);
    QCOMPARE(colourAt(graph, 2000, 1400), kBlack);  // major line, every 10 keV
    QCOMPARE(colourAt(graph, 4000, 1400), kBlack);
    QCOMPARE(colourAt(graph, 5800, 1400), kGrey);
    QCOMPARE(colourAt(graph, 6000, 1400), kBlack);  // frame
    QCOMPARE(colourAt(graph, 1000, 1400), kBlack);  // frame
    // Between the vertical grid lines at 1400 and 1600:
    QCOMPARE(colourAt(graph, 1500, 300), kGrey);
    QCOMPARE(colourAt(graph, 1500, 1100), kBlack);  // the 0.5 level
    QCOMPARE(colourAt(graph, 1500, 1200), kWhite);
    QCOMPARE(graph.penWidth(), 2);
  }

  void loadTimeCaptionWhitensOnlyItsBox() {
    PictureBox graph;
    graph.resize(729, 425);
    graph.setScale(0, 0, 6250, 2500);
    graph.rectangle(0, 0, 6250, 2500, palvane::colours::kGrey, true);
    palvane::drawLoadTimeCaption(graph);
    QCOMPARE(colourAt(graph, 100, 1050), kWhite);
    QCOMPARE(colourAt(graph, 970, 695), kWhite);
    QCOMPARE(colourAt(graph, 100, 600), kGrey);
    QCOMPARE(colourAt(graph, 1000, 800), kGrey);
  }

  // The display form's graph: 10 pixels per keV, 2 pixels per percent.
  void axisSpectrumPlotDrawsTheRelativeSpectrum() {
    palvane::BinArray& spectrum = palvane::state().AxisSpectrum;
    spectrum.fill(0.0);
    spectrum[100] = 0.5;  // 20 keV at half the peak
    PictureBox graph;
    graph.resize(620, 260);
    graph.setScale(-10, 122, 62, -130);
    palvane::AxisSpectrumPlot(graph);

    QCOMPARE(colourAt(graph, 10, 65), kGrey);  // the grid starts at 10 keV
    QCOMPARE(colourAt(graph, 25, 65), kGrey);
    QCOMPARE(colourAt(graph, 5, 65), kWhite);  // nothing at 5 keV
    QCOMPARE(colourAt(graph, 30, 60), kGrey);
    QCOMPARE(colourAt(graph, 30, 100), kBlack);   // the 100 % level
    QCOMPARE(colourAt(graph, 50, 60), kBlack);    // frame
    QVERIFY(colourNear(graph, 20, 49, kRed, 2));  // the peak of the curve
    QVERIFY(colourNear(graph, 19.9, 25, kRed, 2));
    QVERIFY(!colourNear(graph, 20, 53, kRed, 2));
    QVERIFY(colourNear(graph, 33, 106, kRed, 6));  // "at beam axis"
    QCOMPARE(graph.foreColour(), palvane::colours::kBlack);
  }
};

QTEST_MAIN(SpectrumGraphsTest)
#include "spectrum_graphs_test.moc"
