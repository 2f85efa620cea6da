#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "forms_test_support.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/picture_box.h"
#include "palvane/physics/tube_settings.h"
#include "palvane/state/shared_state.h"
#include "test_paths.h"

using formstest::control;
using formstest::MessageBoxAnswerer;
using formstest::WorkingDirectory;
using palvane::Form2;

namespace {

QStringList listOf(const QComboBox& box) {
  QStringList items;
  for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
  return items;
}

// Light-red pixels of the step curve inside the plot frame (x 1000..6000, y 100..2100).
int curvePixels(const palvane::PictureBox& graph, double topY = 100.0) {
  const QImage& image = graph.image();
  const QPoint from = graph.toPixel(1000, topY);
  const QPoint to = graph.toPixel(6000, 2100);
  int count = 0;
  for (int y = from.y(); y < to.y(); ++y) {
    for (int x = from.x(); x <= to.x(); ++x) {
      if (image.pixelColor(x, y) == QColor(255, 0, 0)) ++count;
    }
  }
  return count;
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Deletes the windows opened since `before` (an engine console kills its engine).
void closeNewWindows(const QWidgetList& before) {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!before.contains(window) && window->isWindow()) delete window;
  }
}

}  // namespace

class Form2Test : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    directory_ = std::make_unique<WorkingDirectory>();
    QVERIFY(directory_->ready());
    form_ = std::make_unique<Form2>();
    QVERIFY(form_->Form_Load());
  }

  void cleanup() {
    form_.reset();
    directory_.reset();
  }

  void loadSetsTheDefaults() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("  X-ray spectrum"));
    // 16680 x 7665 twips, 3360 twips on the right for the beam quality and saving and
    // 2295 below for the tube calibration.
    QCOMPARE(form_->size(), QSize(1336, 664));
    QCOMPARE(control<QWidget>(*form_, "Picture3")->geometry(), QRect(16, 16, 729, 425));
    QCOMPARE(control<QLineEdit>(*form_, "Text1")->text(), QStringLiteral("30"));
    QCOMPARE(control<QLineEdit>(*form_, "Text8")->text(), QStringLiteral("0.8"));
    QCOMPARE(control<QLineEdit>(*form_, "Text2")->text(), QStringLiteral("0"));
    QCOMPARE(control<QLineEdit>(*form_, "Text5")->text(), QStringLiteral("10"));
    QCOMPARE(control<QLineEdit>(*form_, "Text3")->text(), QStringLiteral("4"));
    const auto* combo1 = control<QComboBox>(*form_, "Combo1");
    const auto* combo2 = control<QComboBox>(*form_, "Combo2");
    QCOMPARE(listOf(*combo1), (QStringList{"0", "0.03"}));
    QCOMPARE(combo1->currentText(), QStringLiteral("0.03"));
    QCOMPARE(listOf(*combo2), (QStringList{"0", "0.025", "0.05"}));
    QCOMPARE(combo2->currentText(), QStringLiteral("0"));
    QVERIFY(control<QRadioButton>(*form_, "Option1")->isChecked());
    QVERIFY(!control<QRadioButton>(*form_, "Option2")->isChecked());
    QCOMPARE(palvane::state().TargetType, 0);
    QVERIFY(!control<QPushButton>(*form_, "Command3")->isEnabled());
    QVERIFY(!control<QPushButton>(*form_, "Command7")->isEnabled());
    QVERIFY(control<QPushButton>(*form_, "Command1")->isEnabled());
    QCOMPARE(control<QPushButton>(*form_, "Command4")->toolTip(), QStringLiteral(" bye bye "));
    QCOMPARE(palvane::state().ports.parameters, static_cast<palvane::ParameterTexts*>(form_.get()));
    QCOMPARE(curvePixels(form_->spectrumGraph()), 0);
  }

  void choosingATargetResetsTheAddedFilters() {
    auto* combo1 = control<QComboBox>(*form_, "Combo1");
    auto* combo2 = control<QComboBox>(*form_, "Combo2");
    combo1->setCurrentText(QStringLiteral("0.05"));
    control<QRadioButton>(*form_, "Option2")->click();
    QCOMPARE(palvane::state().TargetType, 1);
    QCOMPARE(combo1->currentText(), QStringLiteral("0"));
    QCOMPARE(combo2->currentText(), QStringLiteral("0.025"));

    combo2->setCurrentText(QStringLiteral("0.05"));
    control<QRadioButton>(*form_, "Option1")->click();
    QCOMPARE(palvane::state().TargetType, 0);
    QCOMPARE(combo1->currentText(), QStringLiteral("0.03"));
    QCOMPARE(combo2->currentText(), QStringLiteral("0"));
    // The buttons keep their state.
    QVERIFY(!control<QPushButton>(*form_, "Command7")->isEnabled());
  }

  void voltageOutsideTheRangeIsRejected_data() {
    QTest::addColumn<QString>("voltage");
    QTest::newRow("19.9") << "19.9";
    QTest::newRow("50.1") << "50.1";
    QTest::newRow("empty") << "";
    QTest::newRow("no digits") << "abc";
  }

  void voltageOutsideTheRangeIsRejected() {
    QFETCH(QString, voltage);
    control<QLineEdit>(*form_, "Text1")->setText(voltage);
    MessageBoxAnswerer answerer;
    control<QPushButton>(*form_, "Command1")->click();
    QCOMPARE(answerer.boxesSeen(), 1);
    QCOMPARE(answerer.text(), QString::fromUtf8(palvane::kVoltageOutOfRangeMessage));
    QCOMPARE(answerer.title(), QStringLiteral("Palvane"));
    QCOMPARE(answerer.icon(), QMessageBox::Warning);
    QCOMPARE(answerer.buttonCount(), 1);
    QCOMPARE(curvePixels(form_->spectrumGraph()), 0);
    QVERIFY(!control<QPushButton>(*form_, "Command3")->isEnabled());
    QVERIFY(!control<QPushButton>(*form_, "Command7")->isEnabled());
    QVERIFY(!QFile::exists(directory_->filePath("B_SPCTL.dat")));
  }

  void voltageInTheRangeDrawsTheSpectrum_data() {
    QTest::addColumn<QString>("voltage");
    QTest::newRow("20") << "20";
    QTest::newRow("50") << "50";
    QTest::newRow("30kV") << "30kV";
  }

  void voltageInTheRangeDrawsTheSpectrum() {
    QFETCH(QString, voltage);
    control<QLineEdit>(*form_, "Text1")->setText(voltage);
    MessageBoxAnswerer answerer;
    control<QPushButton>(*form_, "Command1")->click();
    QCOMPARE(answerer.boxesSeen(), 0);
    QVERIFY(curvePixels(form_->spectrumGraph()) > 100);
    QVERIFY(control<QPushButton>(*form_, "Command3")->isEnabled());
    QVERIFY(control<QPushButton>(*form_, "Command7")->isEnabled());
    QCOMPARE(form_->focusWidget(), control<QWidget>(*form_, "Command7"));
    QVERIFY(QFile::exists(directory_->filePath("B_SPCTL.dat")));
  }

  // The bin written as 1.00000 is drawn on the top edge of the frame (y = 100) and
  // nothing rises above it; for molybdenum at 30 kV it is a K line near 17.5 keV.
  void peakBinReachesTheTopOfTheFrame() {
    control<QPushButton>(*form_, "Command1")->click();
    QFile spectrumFile(directory_->filePath("B_SPCTL.dat"));
    QVERIFY(spectrumFile.open(QIODevice::ReadOnly | QIODevice::Text));
    int peakBin = 0;
    for (int bin = 1; bin <= 250; ++bin) {
      const QString line = QString::fromLatin1(spectrumFile.readLine()).trimmed();
      if (line.endsWith(QStringLiteral("  1.00000"))) peakBin = bin;
    }
    QVERIFY(peakBin >= 86 && peakBin <= 89);

    const palvane::PictureBox& graph = form_->spectrumGraph();
    const QPoint peak = graph.toPixel(1000 + 20 * peakBin, 100);
    QCOMPARE(graph.image().pixelColor(peak), QColor(255, 0, 0));
    // Above the top edge (a pen 2 pixels wide reaches one row over it) nothing is red.
    const QImage& image = graph.image();
    for (int y = 0; y < peak.y() - 1; ++y) {
      for (int x = 0; x < image.width(); ++x) QVERIFY(image.pixelColor(x, y) != QColor(255, 0, 0));
    }
  }

  void rejectionAfterAnAcceptedSpectrumDisablesTheButtons() {
    control<QPushButton>(*form_, "Command1")->click();
    control<QLineEdit>(*form_, "Text1")->setText(QStringLiteral("55"));
    MessageBoxAnswerer answerer;
    control<QPushButton>(*form_, "Command1")->click();
    QCOMPARE(answerer.boxesSeen(), 1);
    QCOMPARE(curvePixels(form_->spectrumGraph()), 0);
    QVERIFY(!control<QPushButton>(*form_, "Command3")->isEnabled());
    QVERIFY(!control<QPushButton>(*form_, "Command7")->isEnabled());
  }

  // A setting that is not a number is named with its text by both buttons, which then
  // neither draw nor write the engine's parameter file.
  void settingThatIsNotANumberIsNamed_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString notANumber = QStringLiteral("は数値ではありません");
    QTest::newRow("theta abc") << "Text5"
                               << "abc"
                               << "ターゲット角度(θ)「abc」" + notANumber;
    QTest::newRow("voltage 30x") << "Text1"
                                 << "30x"
                                 << "Ｘ線管電圧「30x」" + notANumber;
    QTest::newRow("phi empty") << "Text3"
                               << ""
                               << "管球傾斜角度(φ)「」" + notANumber;
    QTest::newRow("Al negative") << "Text2"
                                 << "-1"
                                 << QStringLiteral(
                                        "アルミ (当量)「-1」は負の値です。厚さは 0 "
                                        "以上を入力してください");
  }

  void settingThatIsNotANumberIsNamed() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, message);
    for (const char* button : {"Command1", "Command7"}) {
      control<QLineEdit>(*form_, box.toUtf8().constData())->setText(QString());
      control<QLineEdit>(*form_, "Text1")->setText(QStringLiteral("30"));
      control<QLineEdit>(*form_, "Text2")->setText(QStringLiteral("0"));
      control<QLineEdit>(*form_, "Text3")->setText(QStringLiteral("4"));
      control<QLineEdit>(*form_, "Text5")->setText(QStringLiteral("10"));
      control<QPushButton>(*form_, "Command1")->click();
      QFile::remove(directory_->filePath("B_SPCTL.dat"));
      control<QLineEdit>(*form_, box.toUtf8().constData())->setText(text);
      MessageBoxAnswerer answerer;
      control<QPushButton>(*form_, button)->click();
      QCOMPARE(answerer.boxesSeen(), 1);
      QCOMPARE(answerer.text(), message);
      QCOMPARE(curvePixels(form_->spectrumGraph()), 0);
      QVERIFY(!QFile::exists(directory_->filePath("B_SPCTL.dat")));
      QVERIFY(!QFile::exists(directory_->filePath("B2F.dat")));
      QVERIFY(!control<QPushButton>(*form_, "Command7")->isEnabled());
    }
  }

  void decimalCommaIsReadAsAPoint() {
    control<QPushButton>(*form_, "Command1")->click();
    const QByteArray withPoint = contents(directory_->filePath("B_SPCTL.dat"));
    control<QLineEdit>(*form_, "Text8")->setText(QStringLiteral("0,8"));
    MessageBoxAnswerer answerer;
    control<QPushButton>(*form_, "Command1")->click();
    QCOMPARE(answerer.boxesSeen(), 0);
    QCOMPARE(contents(directory_->filePath("B_SPCTL.dat")), withPoint);
  }

  // The engine computes what the graph shows: settings changed after the drawing are
  // drawn and written to B_SPCTL.dat again before the engine starts.
  void engineButtonDrawsChangedSettingsFirst_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("parameterLine");
    QTest::newRow("voltage") << "Text1"
                             << "35" << QByteArray("35.0");
    QTest::newRow("aluminium") << "Text2"
                               << "0.5" << QByteArray("00.50");
  }

  void engineButtonDrawsChangedSettingsFirst() {
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QByteArray, parameterLine);
    auto* edit = control<QLineEdit>(*form_, box.toUtf8().constData());
    const QString loaded = edit->text();
    edit->setText(text);
    control<QPushButton>(*form_, "Command1")->click();
    const QByteArray changedSpectrum = contents(directory_->filePath("B_SPCTL.dat"));
    edit->setText(loaded);
    control<QPushButton>(*form_, "Command1")->click();
    QVERIFY(contents(directory_->filePath("B_SPCTL.dat")) != changedSpectrum);

    edit->setText(text);
    const QWidgetList before = QApplication::topLevelWidgets();
    MessageBoxAnswerer answerer;
    control<QPushButton>(*form_, "Command7")->click();
    closeNewWindows(before);
    QCOMPARE(answerer.boxesSeen(), 0);
    QCOMPARE(contents(directory_->filePath("B_SPCTL.dat")), changedSpectrum);
    QVERIFY(contents(directory_->filePath("B2F.dat")).split('\n').contains(parameterLine + '\r'));
  }

  // The added row starts at none, with the specified plate caption; an added filter and a
  // plate chosen there reach B2F.dat after its nine lines, change the caption and are
  // stated in the caption of the saved spectrum's figure.
  void addedRowReachesTheParameterFile() {
    auto* filter = control<QComboBox>(*form_, "AddedFilterMaterial");
    auto* plate = control<QComboBox>(*form_, "PlateMaterial");
    auto* caption = control<QLabel>(*form_, "PlateCaption");
    QCOMPARE(filter->currentData().toString(), QString());
    QCOMPARE(caption->text(), QString::fromUtf8("（圧迫板による減弱は考慮しない）"));
    filter->setCurrentIndex(filter->findData(QStringLiteral("ag")));
    control<QLineEdit>(*form_, "AddedFilter")->setText(QStringLiteral("0.05"));
    plate->setCurrentIndex(plate->findData(QStringLiteral("pmma")));
    control<QLineEdit>(*form_, "Plate")->setText(QStringLiteral("2.4"));
    QCOMPARE(caption->text(), QString::fromUtf8("（圧迫板 PMMA 2.4 mm を考慮）"));
    control<QPushButton>(*form_, "Command1")->click();
    const QWidgetList before = QApplication::topLevelWidgets();
    MessageBoxAnswerer answerer;
    control<QPushButton>(*form_, "Command7")->click();
    closeNewWindows(before);
    QCOMPARE(answerer.boxesSeen(), 0);
    QVERIFY(contents(directory_->filePath("B2F.dat"))
                .endsWith("60.000\r\nfilter ag 00.050\r\nplate pmma 02.400\r\n"));
    QTemporaryDir folder;
    const QDir set(form_->saveTo(folder.path()));
    const QByteArray figure = contents(set.filePath(QStringLiteral("spectrum_axis.svg")));
    QVERIFY2(figure.contains("Added filters"), figure.left(2000).constData());
  }

  void engineButtonStartsNothingWhenTheRedrawIsRefused() {
    control<QPushButton>(*form_, "Command1")->click();
    control<QLineEdit>(*form_, "Text1")->setText(QStringLiteral("55"));
    MessageBoxAnswerer answerer;
    control<QPushButton>(*form_, "Command7")->click();
    QCOMPARE(answerer.boxesSeen(), 1);
    QCOMPARE(answerer.text(), QString::fromUtf8(palvane::kVoltageOutOfRangeMessage));
    QVERIFY(!QFile::exists(directory_->filePath("B2F.dat")));
    QVERIFY(!control<QPushButton>(*form_, "Command7")->isEnabled());
  }

  void resetClearsTheGraphAndDisablesTheButtons() {
    control<QPushButton>(*form_, "Command1")->click();
    control<QPushButton>(*form_, "Command3")->click();
    QCOMPARE(curvePixels(form_->spectrumGraph()), 0);
    QVERIFY(!control<QPushButton>(*form_, "Command3")->isEnabled());
    QVERIFY(!control<QPushButton>(*form_, "Command7")->isEnabled());
    QCOMPARE(control<QLineEdit>(*form_, "Text1")->text(), QStringLiteral("30"));
  }

  void tungstenTargetDrawsWithTheSwitchedFilters() {
    control<QRadioButton>(*form_, "Option2")->click();
    control<QPushButton>(*form_, "Command1")->click();
    QVERIFY(curvePixels(form_->spectrumGraph()) > 100);
    QVERIFY(control<QPushButton>(*form_, "Command7")->isEnabled());
  }

  void missingTableIsReportedByName_data() {
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("named");
    QTest::newRow("no tables") << ""
                               << "MUs3.dat";
    QTest::newRow("no stopping powers") << "MUs3.dat"
                                        << "Mo-STP.dat";
  }

  void missingTableIsReportedByName() {
    QFETCH(QString, present);
    QFETCH(QString, named);
    WorkingDirectory empty(WorkingDirectory::Tables::kNone);
    if (!present.isEmpty()) {
      QVERIFY(QFile::copy(QString::fromUtf8(testpaths::kDataDir) + "/" + present,
                          empty.filePath(present)));
    }
    Form2 form;
    MessageBoxAnswerer answerer;
    QVERIFY(!form.Form_Load());
    QVERIFY(!form.tablesLoaded());
    QCOMPARE(answerer.boxesSeen(), 1);
    QVERIFY2(answerer.text().contains(named), qPrintable(answerer.text()));
  }

 private:
  std::unique_ptr<WorkingDirectory> directory_;
  std::unique_ptr<Form2> form_;
};

QTEST_MAIN(Form2Test)
#include "form2_test.moc"
