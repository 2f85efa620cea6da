#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "forms_test_support.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form3.h"
#include "palvane/forms/form4.h"
#include "palvane/forms/form5.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/program_start.h"

using formstest::control;
using formstest::WorkingDirectory;

namespace {

int visibleFormsNamed(const char* name) {
  int count = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() == QLatin1String(name) && window->isVisible()) ++count;
  }
  return count;
}

void press(const QWidget& form, const char* button) {
  auto* control = formstest::control<QPushButton>(form, button);
  QVERIFY2(control != nullptr, button);
  control->click();
}

QString labelText(const QWidget& form, const char* name) {
  const auto* label = control<QLabel>(form, name);
  return label != nullptr ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

}  // namespace

// The forms exist once for the whole program, so these cases build on each other in order.
class NavigationTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(directory_.ready());
    palvane::useJapaneseFont(*qApp);  // as the program does
    palvane::form2()->show();
    QVERIFY(palvane::form2()->tablesLoaded());
  }

  void eachFormIsCreatedOnceWithItsCaption() {
    QCOMPARE(palvane::form2(), palvane::form2());
    QCOMPARE(palvane::form3(), palvane::form3());
    QCOMPARE(palvane::form2()->windowTitle(), QStringLiteral("  X-ray spectrum"));
    QCOMPARE(palvane::form3()->windowTitle(), QStringLiteral("Palvane"));
    QCOMPARE(palvane::form4()->windowTitle(), QStringLiteral("  Palvane"));
    QCOMPARE(palvane::form5()->windowTitle(), QStringLiteral("備考"));
    QCOMPARE(palvane::form4()->objectName(), QStringLiteral("Form4"));
  }

  void titleFormShowsItsTexts() {
    const palvane::Form4& form = *palvane::form4();
    QCOMPARE(labelText(form, "Label1"), QStringLiteral("Palvane"));
    QCOMPARE(labelText(form, "Label2"), QStringLiteral("Palvane"));
    // The shadow lies 30 twips (2 pixels) right of and 45 twips (3 pixels) below the title.
    QCOMPARE(control<QLabel>(form, "Label1")->pos() - control<QLabel>(form, "Label2")->pos(),
             QPoint(2, 3));
    QCOMPARE(labelText(form, "Label3"), QStringLiteral("マンモグラフィの照射野内における"));
    QCOMPARE(labelText(form, "Label10"), QStringLiteral("線量，線質の均一性の調査，"));
    QCOMPARE(labelText(form, "Label13"), QStringLiteral("および，ヒール効果を検証します．"));
    QCOMPARE(labelText(form, "Label4"), QStringLiteral("線量："));
    QCOMPARE(labelText(form, "Label5"), QStringLiteral("エネルギーフルエンス"));
    QCOMPARE(labelText(form, "Label6"), QStringLiteral("空気カーマ（照射線量）"));
    QCOMPARE(labelText(form, "Label7"), QStringLiteral("線質："));
    QCOMPARE(labelText(form, "Label8"), QStringLiteral("Ｘ線スペクトル"));
    QCOMPARE(labelText(form, "Label9"), QStringLiteral("アルミニウム半価層"));
    QCOMPARE(labelText(form, "Label11"), QStringLiteral("幾何学的配置は右模式図に"));
    QCOMPARE(labelText(form, "Label12"), QStringLiteral("示すとおりです．"));
    QCOMPARE(control<QPushButton>(form, "Command1")->text(), QStringLiteral("Let's  start"));
    QCOMPARE(control<QPushButton>(form, "Command4")->toolTip(), QStringLiteral(" bye bye "));
    for (const char* picture : {"Picture1", "Picture2", "Picture3"}) {
      QVERIFY2(control<QLabel>(form, picture) != nullptr, picture);
    }
  }

  void remarksFormShowsItsTexts() {
    const palvane::Form5& form = *palvane::form5();
    QCOMPARE(labelText(form, "Label5"), QStringLiteral("備 考"));
    QCOMPARE(labelText(form, "Label1"),
             QStringLiteral("ここに示されたＸ線照射野内の線量・線質分布は、あくまで"));
    QCOMPARE(labelText(form, "Label2"),
             QStringLiteral("近似Ｘ線スペクトルを用いた理論計算によるものです。"));
    QCOMPARE(labelText(form, "Label3"),
             QStringLiteral("実際には、絞り機構からの散乱線、光反射ミラーの材質・厚さ"));
    QCOMPARE(labelText(form, "Label4"), QStringLiteral("・方向などにより、分布は変わってきます。"));
    // The model's limits below the remark, the Close button below them.
    QCOMPARE(labelText(form, "Label6"),
             QStringLiteral("モデルの限界：Ｍｏ特性線の強さはフィルタにより変わり、"));
    QCOMPARE(labelText(form, "Label8"), QStringLiteral("詳しくは README を参照してください。"));
    QVERIFY(control<QLabel>(form, "Label8")->geometry().bottom() <
            control<QPushButton>(form, "Command1")->geometry().top());
    QCOMPARE(control<QPushButton>(form, "Command1")->text(), QStringLiteral("Close"));
  }

  void angleDiagramOpensOnceAndCloses() {
    press(*palvane::form2(), "Command2");
    press(*palvane::form2(), "Command2");
    QCOMPARE(visibleFormsNamed("Form3"), 1);
    QVERIFY(palvane::form2()->isVisible());
    press(*palvane::form3(), "Command1");
    QCOMPARE(visibleFormsNamed("Form3"), 0);
  }

  void remarksFormCloses() {
    palvane::form5()->show();
    press(*palvane::form5(), "Command1");
    QVERIFY(!palvane::form5()->isVisible());
  }

  // Leaving the spectrum form for the title form and coming back keeps its settings,
  // graph and buttons.
  void letsStartReturnsToTheSpectrumFormAsItWas() {
    palvane::Form2& spectrumForm = *palvane::form2();
    control<QLineEdit>(spectrumForm, "Text1")->setText(QStringLiteral("42"));
    press(spectrumForm, "Command1");
    const QImage drawn = spectrumForm.spectrumGraph().image();

    press(spectrumForm, "Command4");
    QVERIFY(!spectrumForm.isVisible());
    QVERIFY(palvane::form4()->isVisible());

    press(*palvane::form4(), "Command1");
    QVERIFY(spectrumForm.isVisible());
    QVERIFY(!palvane::form4()->isVisible());
    QCOMPARE(control<QLineEdit>(spectrumForm, "Text1")->text(), QStringLiteral("42"));
    QVERIFY(control<QPushButton>(spectrumForm, "Command7")->isEnabled());
    QCOMPARE(spectrumForm.spectrumGraph().image(), drawn);
  }

  // Runs last: " bye bye " on the title form leaves the event loop with status 0.
  void byeByeEndsTheProgram() {
    press(*palvane::form2(), "Command4");
    QTimer::singleShot(0, [] { press(*palvane::form4(), "Command4"); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
  }

 private:
  WorkingDirectory directory_;
};

QTEST_MAIN(NavigationTest)
#include "navigation_test.moc"
