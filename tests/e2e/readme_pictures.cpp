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

#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form3.h"
#include "palvane/forms/form4.h"
#include "palvane/forms/form5.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/language.h"
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

    click(form1, "Command4");
    save(*palvane::form5(), "form5.png");
    palvane::form5()->hide();
    click(form1, "Command2");
    click(form2, "Command2");
    save(*palvane::form3(), "form3.png");
    palvane::form3()->hide();
    save(*palvane::form4(), "form4.png");
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
