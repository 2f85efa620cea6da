// The beam-quality read-outs and the save buttons of the spectrum and display forms.

#include <memory>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "forms_test_support.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/saving.h"
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

QString readout(const QWidget& form) { return control<QLabel>(form, "BeamQualityLabel")->text(); }

// The added controls must leave every control of the form's design uncovered.
void expectAddedControlsCoverNothing(const QWidget& form) {
  const QStringList added = {QStringLiteral("BeamQualityCaption"),
                             QStringLiteral("BeamQualityLabel"), QStringLiteral("SaveButton")};
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
    expectAddedControlsCoverNothing(form);
    QCOMPARE(control<QPushButton>(form, "SaveButton")->text(), QStringLiteral("保存"));
    QVERIFY(readout(form).isEmpty());
    QTemporaryDir folder;
    {
      MessageBoxAnswerer answerer;
      QVERIFY(!form.saveTo(folder.path()));
      QCOMPARE(answerer.text(), QString::fromUtf8(palvane::kNoSpectrumToSaveMessage));
    }

    form.Command1_Click();
    const QString lines = readout(form);
    QVERIFY2(lines.contains(QStringLiteral("HVL1  0.")) && lines.contains(QStringLiteral("HVL2")) &&
                 lines.contains(QStringLiteral("Mean energy")) &&
                 lines.contains(QStringLiteral("Homogeneity")) &&
                 lines.contains(QStringLiteral("Relative air kerma 100.0 %")),
             qPrintable(lines));

    QVERIFY(form.saveTo(folder.path()));
    const QStringList table = csvTable(QDir(folder.path()), "spectrum_axis.csv");
    QCOMPARE(table.size(), 251);
    QCOMPARE(table[0], QStringLiteral("Energy (keV),Relative photon fluence"));
    QVERIFY(table[1].startsWith(QStringLiteral("0.2,")));
    QVERIFY(table[250].startsWith(QStringLiteral("50,")));
    QCOMPARE(png(QDir(folder.path()), "spectrum_axis.png").size(),
             form.spectrumGraph().image().size());

    form.Command3_Click();
    QVERIFY(readout(form).isEmpty());
  }

  void displayFormSavesWhatItShows() {
    palvane::Form2& form2 = *palvane::form2();
    form2.Command1_Click();  // the beam-axis spectrum and B_SPCTL.dat
    writeFile(QStringLiteral("B2F.dat"),
              "0\r\n30.0\r\n10.0\r\n04.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
    writeFile(QStringLiteral("Result.dat"), resultFile());
    form2.Command5_Click();
    palvane::Form1& form = *palvane::form1();
    QVERIFY(form.isVisible());
    expectAddedControlsCoverNothing(form);

    control<QRadioButton>(form, "Option1")->setChecked(true);
    form.Command1_Click();
    form.Picture2_MouseDown(40, 60);    // X = 20 mm, Y = 30 mm
    form.Picture2_MouseDown(100, -20);  // X = 50 mm, Y = 10 mm below the axis
    const QString lines = readout(form);
    // The display form's settings are those of the beam-axis spectrum, so the relative
    // air kerma is shown, below 100 % off the axis.
    QVERIFY2(lines.contains(QStringLiteral("HVL1")) &&
                 lines.contains(QStringLiteral("Relative air kerma 9")),
             qPrintable(lines));

    QTemporaryDir folder;
    const QDir saved(folder.path());
    QVERIFY(form.saveTo(folder.path()));

    const QStringList map = csvTable(saved, "map_energy_fluence.csv");
    QCOMPARE(map.size(), 1 + 3876);
    QCOMPARE(map[0], QStringLiteral("X (mm),Y (mm),Relative energy fluence (beam axis = 1)"));
    QCOMPARE(map[1], QStringLiteral("0,0,0.95"));
    QCOMPARE(map[2], QStringLiteral("2,0,0.95"));
    QCOMPARE(map[3876], QStringLiteral("150,100,0.95"));
    const QStringList profile = csvTable(saved, "profile_energy_fluence.csv");
    QCOMPARE(profile.size(), 1 + 76);
    QCOMPARE(profile[0], QStringLiteral("X (mm),Relative energy fluence (%)"));
    QCOMPARE(profile[76], QStringLiteral("150,95"));

    QCOMPARE(csvTable(saved, "spectrum_axis.csv").size(), 251);
    QVERIFY(csvLines(saved, "spectrum_point_1.csv").contains(QStringLiteral("# Point X (mm): 20")));
    QVERIFY(
        csvLines(saved, "spectrum_point_2.csv").contains(QStringLiteral("# Point Y (mm): -10")));
    QVERIFY(!QFile::exists(saved.filePath(QStringLiteral("spectrum_point_3.csv"))));

    const auto* mapPicture = control<PictureBox>(form, "Picture2");
    const QImage composed = png(saved, "map_energy_fluence.png");
    const QImage& mapImage = mapPicture->image();
    QVERIFY(composed.width() > mapImage.width() + control<PictureBox>(form, "Picture7")->width());
    QVERIFY(composed.height() >= mapImage.height());
    QCOMPARE(composed.copy(mapImage.rect()).convertToFormat(QImage::Format_RGB32),
             mapImage.convertToFormat(QImage::Format_RGB32));
    // A cell of 0.95: c = 612 - 510 * 0.95 = 127.5, drawn as 128.
    QCOMPARE(composed.pixelColor(mapPicture->toPixel(38, 22)), QColor(255, 128, 128));
    QCOMPARE(png(saved, "profile_energy_fluence.png").size(),
             control<PictureBox>(form, "Picture1")->image().size());
    QCOMPARE(png(saved, "spectra.png").size(),
             control<PictureBox>(form, "Picture3")->image().size());
  }

  void hvlMapCarriesMillimetresAndClearForgetsThePoints() {
    palvane::Form1& form = *palvane::form1();
    control<QRadioButton>(form, "Option3")->setChecked(true);
    form.Command1_Click();
    form.Command3_Click();
    QVERIFY(readout(form).isEmpty());
    QTemporaryDir folder;
    const QDir saved(folder.path());
    QVERIFY(form.saveTo(folder.path()));
    const QStringList map = csvTable(saved, "map_hvl.csv");
    QCOMPARE(map.size(), 1 + 3876);
    QCOMPARE(map[0], QStringLiteral("X (mm),Y (mm),Relative Al HVL (beam axis = 1),Al HVL (mm)"));
    QCOMPARE(map[1], QStringLiteral("0,0,1.1,0.275"));
    QVERIFY(QFile::exists(saved.filePath(QStringLiteral("spectrum_axis.csv"))));
    QVERIFY(!QFile::exists(saved.filePath(QStringLiteral("spectrum_point_1.csv"))));
  }

  void unwritableFolderIsReportedByFileName() {
    palvane::Form1& form = *palvane::form1();
    QTemporaryDir folder;
    const QString missing = QDir(folder.path()).filePath(QStringLiteral("missing"));
    MessageBoxAnswerer answerer;
    QVERIFY(!form.saveTo(missing));
    QCOMPARE(answerer.boxesSeen(), 1);
    QVERIFY2(answerer.text().contains(QStringLiteral("missing/map_hvl.csv")),
             qPrintable(answerer.text()));
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

 private:
  std::unique_ptr<WorkingDirectory> directory_;
};

QTEST_MAIN(SavingTest)
#include "saving_test.moc"
