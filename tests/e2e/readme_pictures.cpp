// Saves pictures of every form during a real molybdenum study, for the documentation.
// Not a test: scripts/readme_screenshot.sh builds it, provides an X display and names the
// directory to save the pictures in with PALVANE_SCREENSHOT_DIR. It drives the forms with
// Qt Test, which stops it with a message when a step of the study fails.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "palvane/forms/calibration_panel.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form3.h"
#include "palvane/forms/form4.h"
#include "palvane/forms/form5.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/heel_dialog.h"
#include "palvane/forms/language.h"
#include "palvane/forms/map_view.h"
#include "palvane/forms/picture_box.h"
#include "study_support.h"

using study::click;

namespace {

QDir screenshotDirectory() { return QDir(qEnvironmentVariable("PALVANE_SCREENSHOT_DIR")); }

void save(QWidget& window, const char* fileName) {
  window.show();
  window.raise();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTest::qWait(200);  // let fonts and pictures settle
  QVERIFY2(window.grab().save(screenshotDirectory().filePath(fileName)), fileName);
}

void saveConsole(QWidget& console) { save(console, "engine_console.png"); }

// The form once more, in English.
void saveInEnglish(QWidget& form, const char* fileName) {
  palvane::setLanguage(palvane::Language::kEnglish);
  save(form, fileName);
  palvane::setLanguage(palvane::Language::kJapanese);
}

// The window in both languages: <stem>.png and <stem>_en.png.
void saveInBoth(QWidget& window, const QString& stem) {
  save(window, qPrintable(stem + QStringLiteral(".png")));
  saveInEnglish(window, qPrintable(stem + QStringLiteral("_en.png")));
}

// Adds a typed point, saves a set for a report (it stays in the screenshot directory) and
// copies its map and spectrum figures to report_map.png and report_spectra.png.
void saveReportFigures(palvane::Form1& form1) {
  study::control<QLineEdit>(form1, "Text4")->setText(QStringLiteral("120"));
  study::control<QLineEdit>(form1, "Text5")->setText(QStringLiteral("-40"));
  QTest::keyClick(study::control<QLineEdit>(form1, "Text4"), Qt::Key_Return);
  const QString set = form1.saveTo(screenshotDirectory().path());
  QVERIFY(!set.isEmpty());
  const struct {
    const char* figure;
    const char* copy;
  } kept[] = {{"map_energy_fluence.png", "report_map.png"}, {"spectra.png", "report_spectra.png"}};
  for (const auto& file : kept) {
    const QString target = screenshotDirectory().filePath(QString::fromLatin1(file.copy));
    QFile::remove(target);
    QVERIFY(QFile::copy(QDir(set).filePath(QString::fromLatin1(file.figure)), target));
  }
}

// The heel dialog of the calibration strip after a fit, in English.
void saveHeelDialog(palvane::Form2& form2) {
  palvane::setLanguage(palvane::Language::kEnglish);
  palvane::CalibrationPanel& panel = form2.calibrationPanel();
  palvane::HeelDialog dialog(
      &form2,
      [&panel](const std::vector<calibration::HeelPoint>& points) { return panel.fitHeel(points); },
      [](double) { return false; });
  const char* const measured[][2] = {
      {"30", "0.97"}, {"60", "0.93"}, {"90", "0.87"}, {"120", "0.78"}};
  for (int n = 0; n < 4; ++n) {
    const QString number = QString::number(n + 1);
    study::control<QLineEdit>(dialog, ("HeelX" + number).toLatin1().constData())
        ->setText(QString::fromLatin1(measured[n][0]));
    study::control<QLineEdit>(dialog, ("HeelKerma" + number).toLatin1().constData())
        ->setText(QString::fromLatin1(measured[n][1]));
  }
  dialog.FitButton_Click();
  save(dialog, "heel_dialog_en.png");
  save(form2, "form2_heel_en.png");
  palvane::setLanguage(palvane::Language::kJapanese);
}

// The calibration strip of the spectrum form in its three states, in Japanese and English:
// uncalibrated, calibrated (a fit for Mo/Mo and an output), not for these settings (another
// target angle).
void saveCalibrationStrip(palvane::Form2& form2) {
  form2.show();
  QWidget* strip = study::control<QWidget>(form2, "CalibrationPanel");
  const auto saveStrip = [&](const char* name) {
    for (const auto language : {palvane::Language::kJapanese, palvane::Language::kEnglish}) {
      palvane::setLanguage(language);
      form2.raise();
      QVERIFY(QTest::qWaitForWindowExposed(&form2));
      QTest::qWait(200);
      const QString file = QString::fromLatin1(name) + (language == palvane::Language::kEnglish
                                                            ? QStringLiteral("_en.png")
                                                            : QStringLiteral(".png"));
      QVERIFY2(strip->grab().save(screenshotDirectory().filePath(file)), qPrintable(file));
    }
    palvane::setLanguage(palvane::Language::kJapanese);
  };
  saveStrip("strip_uncalibrated");
  study::control<QLineEdit>(form2, "ProfileNameText")->setText(QStringLiteral("Room 2 Mo"));
  study::control<QLineEdit>(form2, "CalibrationKv1")->setText(QStringLiteral("28"));
  study::control<QLineEdit>(form2, "CalibrationHvl1")->setText(QStringLiteral("0.34"));
  study::control<QLineEdit>(form2, "CalibrationKv2")->setText(QStringLiteral("32"));
  study::control<QLineEdit>(form2, "CalibrationHvl2")->setText(QStringLiteral("0.37"));
  click(form2, "FitButton");
  study::control<QLineEdit>(form2, "OutputKermaText")->setText(QStringLiteral("80"));
  study::control<QLineEdit>(form2, "OutputDistanceText")->setText(QStringLiteral("60"));
  click(form2, "OutputButton");
  saveStrip("strip_calibrated");
  // The display form of the run (its settings are those of the fit) says so too.
  palvane::Form1& form1 = *palvane::form1();
  form1.Picture2_MouseMove(200, 60);
  saveInEnglish(form1, "form1_calibrated_en.png");
  form1.hide();
  study::control<QLineEdit>(form2, "Text5")->setText(QStringLiteral("12"));
  saveStrip("strip_not_for_these_settings");
  study::control<QLineEdit>(form2, "Text5")->setText(QStringLiteral("10"));
  saveHeelDialog(form2);
}

}  // namespace

class ReadmePictures : public QObject {
  Q_OBJECT

 private slots:
  void molybdenumStudy() {
    QVERIFY2(!qEnvironmentVariableIsEmpty("PALVANE_SCREENSHOT_DIR"),
             "PALVANE_SCREENSHOT_DIR must name the directory for the pictures");
    QTemporaryDir directory;
    study::enterWorkingDirectory(directory);
    if (QTest::currentTestFailed()) return;

    palvane::Form2& form2 = *palvane::form2();
    form2.show();
    click(form2, "Command1");
    save(form2, "form2.png");
    saveInEnglish(form2, "form2_en.png");
    study::runEngine(QStringLiteral("dornic"), saveConsole);
    if (QTest::currentTestFailed()) return;
    // The form says when the field is computed.
    QTRY_VERIFY(form2.runStatus().contains(QStringLiteral("秒")));
    saveInBoth(form2, QStringLiteral("form2_run"));
    click(form2, "Command5");

    palvane::Form1& form1 = *palvane::form1();
    click(form1, "Option1");
    click(form1, "Command1");
    auto* map = study::control<palvane::PictureBox>(form1, "Picture2");
    form1.Picture2_MouseDown(200, 60);
    QTest::mouseMove(map, map->toPixel(200, 60) / map->devicePixelRatioF());
    save(form1, "form1.png");
    saveInEnglish(form1, "form1_en.png");
    saveReportFigures(form1);

    // Three numbered points and the quantitative view of the map.
    click(form1, "Command3");
    for (const QPointF point : {QPointF(20, 40), QPointF(120, -60), QPointF(200, 20)}) {
      form1.Picture2_MouseDown(point.x(), point.y());
    }
    saveInBoth(form1, QStringLiteral("form1_points"));
    click(form1, "MapViewButton");
    QVERIFY(form1.mapView() != nullptr);
    palvane::MapView& view = *form1.mapView();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    auto* canvas = study::control<QWidget>(view, "MapCanvas");
    QTest::mouseMove(canvas, QPoint(canvas->width() / 4, canvas->height() / 3));
    saveInBoth(view, QStringLiteral("map_view"));
    form1.mapView()->hide();

    click(form1, "Command4");
    save(*palvane::form5(), "form5.png");
    palvane::form5()->hide();
    click(form1, "Command2");
    click(form2, "Command2");
    save(*palvane::form3(), "form3.png");
    palvane::form3()->hide();
    save(*palvane::form4(), "form4.png");
    palvane::form4()->hide();
    palvane::form3()->hide();
    saveCalibrationStrip(form2);
  }

  // The spectrum form with the added row in use: a tungsten tube with 0.05 mm of silver
  // (W/Ag) and a 2.4 mm PMMA compression plate.
  void addedLayers() {
    QTemporaryDir directory;
    study::enterWorkingDirectory(directory);
    if (QTest::currentTestFailed()) return;
    palvane::Form2& form2 = *palvane::form2();
    palvane::form4()->hide();
    click(form2, "Option2");
    study::control<QComboBox>(form2, "Combo2")->setCurrentText(QStringLiteral("0"));
    auto* filter = study::control<QComboBox>(form2, "AddedFilterMaterial");
    filter->setCurrentIndex(filter->findData(QStringLiteral("ag")));
    study::control<QLineEdit>(form2, "AddedFilter")->setText(QStringLiteral("0.05"));
    auto* plate = study::control<QComboBox>(form2, "PlateMaterial");
    plate->setCurrentIndex(plate->findData(QStringLiteral("pmma")));
    study::control<QLineEdit>(form2, "Plate")->setText(QStringLiteral("2.4"));
    click(form2, "Command1");
    save(form2, "form2_layers.png");
    saveInEnglish(form2, "form2_layers_en.png");
  }
};

QTEST_MAIN(ReadmePictures)
#include "readme_pictures.moc"
