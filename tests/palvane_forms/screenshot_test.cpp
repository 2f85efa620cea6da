// Saves a picture of every form into screenshots/ beside the build's bin/ directory, so
// that the layout and the rendering of the Japanese captions can be looked at.

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPushButton>
#include <QTest>

#include "forms_test_support.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form3.h"
#include "palvane/forms/form4.h"
#include "palvane/forms/form5.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/program_start.h"
#include "test_paths.h"

class ScreenshotTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(directory_.ready());
    palvane::useJapaneseFont(*qApp);
    QVERIFY(QDir().mkpath(screenshotDirectory()));
  }

  // Every character of the captions has a glyph in the font the forms use, so none is
  // drawn as an empty box.
  void captionFontHoldsTheJapaneseText() {
    const QFontMetrics metrics(QApplication::font());
    const QString captions = QStringLiteral(
        "照射野内分布の計算スペクトル描画計算結果の表示リセット角度θ,φの関係図ターゲット"
        "モリブデンタングステン管球傾斜ベリリウムアルミ（当量）ロジウムＸ線管電圧固有ろ過付加"
        "フィルタ空気層一定とする圧迫板による減弱は考慮しない備考"
        "管球の校正実測計算差アルミ当量を求める出力値ビーム軸上焦点からの距離設定基準点読込保存");
    for (const QChar character : captions) {
      QVERIFY2(metrics.inFont(character), qPrintable(QString(character)));
    }
  }

  void saveEveryForm() {
    palvane::Form2& spectrumForm = *palvane::form2();
    QVERIFY(spectrumForm.tablesLoaded());
    spectrumForm.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    save(spectrumForm, "form2.png");
    save(*palvane::form3(), "form3.png");
    save(*palvane::form4(), "form4.png");
    save(*palvane::form5(), "form5.png");
  }

 private:
  static QString screenshotDirectory() {
    return QDir(QString::fromUtf8(testpaths::kBinaryDir)).absoluteFilePath("../screenshots");
  }

  static void save(QWidget& form, const char* name) {
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QString file = QDir(screenshotDirectory()).filePath(QString::fromUtf8(name));
    QVERIFY2(form.grab().save(file), qPrintable(file));
  }

  formstest::WorkingDirectory directory_;
};

QTEST_MAIN(ScreenshotTest)
#include "screenshot_test.moc"
