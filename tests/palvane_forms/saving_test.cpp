// The beam-quality read-outs and the save buttons of the spectrum and display forms.

#include <sys/mount.h>
#include <sys/resource.h>

#include <csignal>
#include <functional>
#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "forms_test_support.h"
#include "palvane/figures/curve_figures.h"
#include "palvane/figures/figure_files.h"
#include "palvane/figures/map_figure.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/saving.h"
#include "palvane/forms/translated_text.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"

using formstest::control;
using formstest::MessageBoxAnswerer;
using formstest::WorkingDirectory;
using palvane::PictureBox;

namespace {

// The lines of a CSV file (CR LF line ends), without the last empty one.
QStringList csvLines(const QDir& folder, const char* name) {
  QFile file(folder.filePath(QString::fromLatin1(name)));
  if (!file.open(QIODevice::ReadOnly)) return {};
  QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// The header and data lines of a CSV file, without its '#' comment lines.
QStringList csvTable(const QDir& folder, const char* name) {
  QStringList lines = csvLines(folder, name);
  while (!lines.isEmpty() && lines.first().startsWith(QLatin1Char('#'))) lines.removeFirst();
  return lines;
}

QImage png(const QDir& folder, const char* name) {
  QImage image;
  image.load(folder.filePath(QString::fromLatin1(name)), "PNG");
  return image;
}

// A folder where writes fail for want of room once fill() is called: a 64 KiB tmpfs
// filled up where the test may mount one (as root), otherwise a file-size limit of 0
// (RLIMIT_FSIZE), which fails every write into a regular file the same way.
class NearlyFullFolder {
 public:
  NearlyFullFolder()
      : mounted_(::mount("tmpfs", QFile::encodeName(directory_.path()).constData(), "tmpfs", 0,
                         "size=64k") == 0) {}
  ~NearlyFullFolder() {
    if (mounted_) ::umount2(QFile::encodeName(directory_.path()).constData(), MNT_DETACH);
    if (limited_) ::setrlimit(RLIMIT_FSIZE, &savedLimit_);
  }
  NearlyFullFolder(const NearlyFullFolder&) = delete;
  NearlyFullFolder& operator=(const NearlyFullFolder&) = delete;

  QString filePath(const char* name) const {
    return QDir(directory_.path()).filePath(QString::fromLatin1(name));
  }
  void fill() {
    if (mounted_) {
      QFile filler(filePath("filler"));
      QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
      const QByteArray block(1024, 'x');
      while (filler.write(block) == block.size()) {
      }
      return;
    }
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &savedLimit_);
    rlimit none = savedLimit_;
    none.rlim_cur = 0;
    limited_ = ::setrlimit(RLIMIT_FSIZE, &none) == 0;
    QVERIFY(limited_);
  }
  QString reason() const {
    return mounted_ ? QStringLiteral("No space left on device") : QStringLiteral("File too large");
  }

 private:
  QTemporaryDir directory_;
  bool mounted_;
  bool limited_ = false;
  rlimit savedLimit_{};
};

QString readout(const QWidget& form) { return control<QLabel>(form, "BeamQualityLabel")->text(); }

// The added controls, the common ones and the form's own `formAddition`, must leave every
// control of the form's design uncovered.
void expectAddedControlsCoverNothing(const QWidget& form, const QString& formAddition) {
  const QStringList added = {QStringLiteral("BeamQualityCaption"),
                             QStringLiteral("BeamQualityLabel"), QStringLiteral("SaveButton"),
                             formAddition};
  for (const QString& name : added) {
    const auto* addition = form.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    QVERIFY2(addition != nullptr, qPrintable(name));
    QVERIFY2(form.rect().contains(addition->geometry()), qPrintable(name));
    for (const QWidget* other : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other == addition || added.contains(other->objectName())) continue;
      QVERIFY2(!other->geometry().intersects(addition->geometry()),
               qPrintable(name + QStringLiteral(" covers ") + other->objectName()));
    }
  }
}

void writeFile(const QString& name, const QByteArray& contents) {
  QFile file(name);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(contents);
}

// Result.dat with the energy fluence map 0.95 everywhere, air kerma 1 and HVL 1.1, and
// the reference HVL 0.25 mm.
QByteArray resultFile() {
  QByteArray text;
  const struct { double reference, value; } maps[] = {{2.0, 0.95}, {3.0, 1.0}, {0.25, 1.1}};
  for (const auto& map : maps) {
    text += QByteArray::number(map.reference, 'E', 5) + "\r\n";
    for (int j = 1; j <= 51; ++j) {
      for (int i = 1; i <= 76; ++i) text += ' ' + QByteArray::number(map.value, 'E', 4);
      text += "\r\n";
    }
  }
  return text;
}

}  // namespace

class SavingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    directory_ = std::make_unique<WorkingDirectory>();
    QVERIFY(directory_->ready());
    QVERIFY(palvane::form2()->tablesLoaded());
  }

  void cleanupTestCase() { directory_.reset(); }

  void spectrumFormShowsTheBeamQualityAndSavesTheSpectrum() {
    palvane::Form2& form = *palvane::form2();
    expectAddedControlsCoverNothing(form, QStringLiteral("CalibrationPanel"));
    QCOMPARE(control<QPushButton>(form, "SaveButton")->text(), QStringLiteral("保存"));
    QVERIFY(readout(form).isEmpty());
    QTemporaryDir folder;
    {
      MessageBoxAnswerer answerer;
      QVERIFY(form.saveTo(folder.path()).isEmpty());
      QCOMPARE(answerer.text(), palvane::translated(palvane::kNoSpectrumToSaveMessage));
    }

    form.Command1_Click();
    const QString lines = readout(form);
    QVERIFY2(lines.contains(QStringLiteral("HVL1  0.")) && lines.contains(QStringLiteral("HVL2")) &&
                 lines.contains(QStringLiteral("Mean energy")) &&
                 lines.contains(QStringLiteral("Homogeneity")) &&
                 lines.contains(QStringLiteral("Relative air kerma 100.0 %")),
             qPrintable(lines));

    const QDir set(form.saveTo(folder.path()));
    QVERIFY(set.dirName().endsWith(QStringLiteral("_Mo_30kV_th10_ph4_spectrum")));
    const QStringList table = csvTable(set, "spectrum_axis.csv");
    QCOMPARE(table.size(), 251);
    QCOMPARE(table[0], QStringLiteral("Energy (keV),Relative photon fluence (%)"));
    QVERIFY(table[1].startsWith(QStringLiteral("0.2,")));
    QVERIFY(table[250].startsWith(QStringLiteral("50,")));
    QVERIFY(!png(set, "spectrum_axis.png").isNull());

    form.Command3_Click();
    QVERIFY(readout(form).isEmpty());
  }

  void displayFormSavesANewSetForAReport() {
    palvane::Form2& form2 = *palvane::form2();
    form2.Command1_Click();  // the beam-axis spectrum and B_SPCTL.dat
    writeFile(QStringLiteral("B2F.dat"),
              "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
    writeFile(QStringLiteral("Result.dat"), resultFile());
    form2.Command5_Click();
    palvane::Form1& form = *palvane::form1();
    QVERIFY(form.isVisible());
    expectAddedControlsCoverNothing(form, QStringLiteral("AbsoluteKermaRow"));
    expectAddedControlsCoverNothing(form, QStringLiteral("CalibrationStateLabel"));
    // Without a tube profile the display form is as it was: no calibration line.
    QVERIFY(control<QLabel>(form, "CalibrationStateLabel")->isHidden());

    control<QRadioButton>(form, "Option1")->setChecked(true);
    form.Command1_Click();
    form.Picture2_MouseDown(40, 60);  // X = 20 mm, Y = 30 mm
    // A typed point: X = 50.5 mm, Y = 10 mm below the axis.
    control<QLineEdit>(form, "Text4")->setText(QStringLiteral("50.5"));
    control<QLineEdit>(form, "Text5")->setText(QStringLiteral("-10"));
    QTest::keyClick(control<QLineEdit>(form, "Text5"), Qt::Key_Return);
    const QString lines = readout(form);
    // The display form's settings are those of the beam-axis spectrum, so the relative
    // air kerma is shown, below 100 % off the axis.
    QVERIFY2(lines.contains(QStringLiteral("Relative air kerma 9")), qPrintable(lines));
    const QString shownHvl1 =
        QRegularExpression(QStringLiteral("HVL1  (\\S+) mm Al")).match(lines).captured(1);
    QVERIFY2(!shownHvl1.isEmpty(), qPrintable(lines));

    QTemporaryDir parent;
    const QString first = form.saveTo(parent.path());
    QVERIFY(!first.isEmpty());
    const QDir set(first);
    QCOMPARE(set.absolutePath(), QDir(parent.path()).absoluteFilePath(set.dirName()));
    QVERIFY2(set.dirName().endsWith(QStringLiteral("_Mo_30kV_th10_ph4")), qPrintable(first));

    // Every figure as PNG at twice its size and as SVG that parses.
    // Caption: settings, filters, plane, two lines of reference values, the calibration,
    // program and date.
    const QSize mapSize = palvane::mapFigureSize(7) * 2;
    const QSize curveSize = palvane::curveFigureSize(7) * 2;
    const struct {
      const char* stem;
      QSize size;
    } figures[] = {{"map_energy_fluence", mapSize},
                   {"map_air_kerma", mapSize},
                   {"map_hvl", mapSize},
                   {"profiles", curveSize},
                   {"spectra", curveSize}};
    for (const auto& figure : figures) {
      const QString stem = QString::fromLatin1(figure.stem);
      QCOMPARE(QImage(set.filePath(stem + QStringLiteral(".png"))).size(), figure.size);
      QFile svg(set.filePath(stem + QStringLiteral(".svg")));
      QVERIFY2(svg.open(QIODevice::ReadOnly), figure.stem);
      QXmlStreamReader xml(&svg);
      int elements = 0;
      while (!xml.atEnd()) elements += xml.readNext() == QXmlStreamReader::StartElement;
      QVERIFY2(!xml.hasError() && elements > 100, qPrintable(stem + xml.errorString()));
    }
    // The map figure shows the map in colour: viridis at 95 % of a 95 % maximum is yellow.
    const QImage mapFigure(set.filePath(QStringLiteral("map_energy_fluence.png")));
    QCOMPARE(mapFigure.pixelColor(2 * 200, 2 * 300), QColor(253, 231, 37));

    const QStringList map = csvLines(set, "map_hvl.csv");
    QVERIFY(map.contains(QStringLiteral("# Tube voltage (kV): 30")));
    QVERIFY(map.contains(QStringLiteral("# Air layer (cm): 60")));
    QVERIFY(map.contains(QStringLiteral("# Reference Al HVL (mm): 0.25")));
    QVERIFY(map[0].startsWith(QStringLiteral("# Palvane ")));
    const QStringList mapTable = csvTable(set, "map_hvl.csv");
    QCOMPARE(mapTable.size(), 1 + 3876);
    QCOMPARE(mapTable[0], QStringLiteral("X (mm),Y (mm),Relative Al HVL (%),Al HVL (mm)"));
    QCOMPARE(mapTable[1], QStringLiteral("0,0,110,0.275"));
    QCOMPARE(csvTable(set, "map_energy_fluence.csv")[3876], QStringLiteral("150,100,95"));
    const QStringList profiles = csvTable(set, "profiles.csv");
    QCOMPARE(profiles.size(), 1 + 76);
    QCOMPARE(profiles[76], QStringLiteral("150,95,100,110,0.275"));

    const QStringList point = csvLines(set, "spectrum_point_2.csv");
    QVERIFY(point.contains(QStringLiteral("# Point X (mm): 50.5")));
    QVERIFY(point.contains(QStringLiteral("# Point Y (mm): -10")));
    QVERIFY(point.contains(QStringLiteral("# HVL1 (mm Al): ") + shownHvl1));
    QVERIFY(csvTable(set, "spectrum_axis.csv")
                .contains(QStringLiteral("Energy (keV),Relative photon fluence (%)")));
    const QStringList summary = csvTable(set, "summary.csv");
    QCOMPARE(summary.size(), 1 + 3);
    QVERIFY(
        summary[0].startsWith(QStringLiteral("File,Point X (mm),Point Y (mm),Mean energy (keV),"
                                             "HVL1 (mm Al),")));
    QVERIFY(summary[1].startsWith(QStringLiteral("spectrum_axis.csv,0,0,")));
    QCOMPARE(summary[3].split(QLatin1Char(','))[4], shownHvl1);
    QVERIFY(!QFile::exists(set.filePath(QStringLiteral("spectrum_point_3.csv"))));
    QVERIFY(!QFile::exists(set.filePath(QStringLiteral("map_absolute_air_kerma.csv"))));
    // Every file of the set names the calibration, here none.
    const auto everyFileNames = [](const QDir& folder, const QString& text) {
      for (const QString& name : folder.entryList(
               {QStringLiteral("*.csv"), QStringLiteral("*.svg"), QStringLiteral("README.txt")})) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly) || !QString::fromUtf8(file.readAll()).contains(text)) {
          qWarning("%s does not name the calibration", qPrintable(name));
          return false;
        }
      }
      return true;
    };
    QVERIFY(everyFileNames(set, QStringLiteral("uncalibrated model")));

    // A second save in the same minute makes a folder of its own.
    const QString second = form.saveTo(parent.path());
    QVERIFY(!second.isEmpty() && second != first);
    QCOMPARE(QDir(parent.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 2);

    // With a measured output of 100 uGy/mAs at 50 cm the beam axis has 59.17 uGy/mAs, and
    // every spectrum of the set states its absolute air kerma.
    const QStringList uncalibrated = summary;
    control<QLineEdit>(form2, "OutputKermaText")->setText(QStringLiteral("100"));
    control<QLineEdit>(form2, "OutputDistanceText")->setText(QStringLiteral("50"));
    control<QPushButton>(form2, "OutputButton")->click();
    // With a profile (here an output but no fit) the display form says what the run is.
    form.Picture2_MouseMove(40, 8);
    const QLabel* line = control<QLabel>(form, "CalibrationStateLabel");
    QVERIFY(!line->isHidden());
    QVERIFY2(line->text().contains(QStringLiteral("Mo/Mo は未校正")), qPrintable(line->text()));
    const QDir calibrated(form.saveTo(parent.path()));
    const QStringList withKerma = csvTable(calibrated, "summary.csv");
    QCOMPARE(withKerma.size(), uncalibrated.size());
    QCOMPARE(uncalibrated[1].split(QLatin1Char(',')).last(), QString());
    QCOMPARE(withKerma[1].split(QLatin1Char(',')).last(), QStringLiteral("59.17"));
    QVERIFY(csvLines(calibrated, "spectrum_point_2.csv")
                .filter(QStringLiteral("# Absolute air kerma (uGy/mAs): "))
                .size() == 1);
    // The output measured at the run's own settings scales by 1; the set has the absolute
    // map, and every file states the output and the scaling.
    QCOMPARE(csvTable(calibrated, "map_absolute_air_kerma.csv")[0],
             QStringLiteral("X (mm),Y (mm),Air kerma (uGy/mAs)"));
    QVERIFY(QFile::exists(calibrated.filePath(QStringLiteral("map_absolute_air_kerma.png"))));
    QVERIFY(everyFileNames(calibrated, QStringLiteral("(50 / 65)² × K_model(s) / K_model(s_meas) = "
                                                      "59.17 × 1.0000 = 59.17")));
    control<QLineEdit>(form2, "OutputKermaText")->clear();
    control<QLineEdit>(form2, "OutputDistanceText")->clear();
    control<QPushButton>(form2, "OutputButton")->click();
  }

  void typedPointsOutsideTheMapOrBeyondTheCutOffAreNamed() {
    palvane::Form1& form = *palvane::form1();
    auto* x = control<QLineEdit>(form, "Text4");
    auto* y = control<QLineEdit>(form, "Text5");
    const auto enter = [&](const char* xText, const char* yText) {
      x->setText(QString::fromLatin1(xText));
      y->setText(QString::fromLatin1(yText));
      MessageBoxAnswerer answerer;
      QTest::keyClick(x, Qt::Key_Return);
      return answerer.text();
    };
    QCOMPARE(enter("160", "0"), palvane::translated(palvane::kPointOutsideMapMessage)
                                    .arg(QStringLiteral("160"), QStringLiteral("0")));
    QCOMPARE(enter("20", "abc"), palvane::translated(palvane::kPointNotANumberMessage)
                                     .arg(QStringLiteral("Y"), QStringLiteral("abc")));
    // Target angle 6 degrees, no tilt: the cut-off lies at 65 cm * tan 6 deg = 68.3 mm.
    palvane::Form2& form2 = *palvane::form2();
    control<QLineEdit>(form2, "Text5")->setText(QStringLiteral("6"));
    control<QLineEdit>(form2, "Text3")->setText(QStringLiteral("0"));
    QCOMPARE(enter("70", "0"),
             palvane::translated(palvane::kPointBeyondCutOffMessage).arg(QStringLiteral("70")));
    QVERIFY(enter("66", "0").isEmpty());  // inside: drawn, no message
  }

  void saveIntoAMissingFolderIsReported() {
    palvane::Form1& form = *palvane::form1();
    QTemporaryDir folder;
    const QString missing = QDir(folder.path()).filePath(QStringLiteral("missing"));
    MessageBoxAnswerer answerer;
    QVERIFY(form.saveTo(missing).isEmpty());
    QCOMPARE(answerer.boxesSeen(), 1);
    QVERIFY2(answerer.text().contains(QStringLiteral("missing/")), qPrintable(answerer.text()));
    QVERIFY(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
  }

  // A picture that cannot be written leaves the file of an earlier save as it was.
  void failedPictureKeepsTheOldFile() {
    QTemporaryDir folder;
    const QString file = QDir(folder.path()).filePath(QStringLiteral("spectra.png"));
    QImage old(4, 3, QImage::Format_RGB32);
    old.fill(Qt::green);
    palvane::savePng(old, file);
    bool thrown = false;
    try {
      palvane::savePng(QImage(), file);  // an empty image cannot be encoded
    } catch (const palvane::FileError& error) {
      thrown = QString::fromStdString(error.what()).contains(QStringLiteral("spectra.png"));
    }
    QVERIFY(thrown);
    QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB32), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 1);
  }

  // On a full disk a small picture or figure is refused with the system's reason, and the
  // file of an earlier save stays.
  void fullDiskKeepsTheOldPictureAndGivesTheReason() {
    NearlyFullFolder folder;
    const QString file = folder.filePath("spectrum_axis.png");
    QImage old(4, 3, QImage::Format_RGB32);
    old.fill(Qt::green);
    palvane::savePng(old, file);
    folder.fill();
    QImage image(40, 30, QImage::Format_RGB32);  // a PNG of a few hundred bytes
    image.fill(Qt::red);
    const std::function<void()> saves[] = {
        [&] { palvane::savePng(image, file); },
        [&] {
          palvane::saveFigure(QFileInfo(file).path(), QStringLiteral("map_energy_fluence"),
                              QSize(60, 40), QStringLiteral("map"), [](QPainter&) {});
        }};
    for (const auto& save : saves) {
      QString message;
      try {
        save();
      } catch (const palvane::FileError& error) {
        message = QString::fromStdString(error.what());
      }
      QVERIFY2(message.contains(QStringLiteral(": cannot be written (") + folder.reason()),
               qPrintable(message));
    }
    QCOMPARE(QImage(file).convertToFormat(QImage::Format_RGB32), old);
    QVERIFY(!QFile::exists(folder.filePath("map_energy_fluence.png")));
  }

 private:
  std::unique_ptr<WorkingDirectory> directory_;
};

QTEST_MAIN(SavingTest)
#include "saving_test.moc"
