// The forms switched between Japanese and English while the program runs, the engine's
// messages in English, and the language asked for on the command line.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include "forms_test_support.h"
#include "palvane/forms/calibration_messages.h"
#include "palvane/forms/command_line.h"
#include "palvane/forms/engine_console.h"
#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form3.h"
#include "palvane/forms/form4.h"
#include "palvane/forms/form5.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/language.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/point_list.h"
#include "palvane/forms/program_start.h"
#include "palvane/forms/run_texts.h"
#include "palvane/forms/translated_text.h"

using formstest::control;
using palvane::Language;

namespace {

QList<QWidget*> allForms() {
  return {palvane::form1(), palvane::form2(), palvane::form3(), palvane::form4(), palvane::form5()};
}

// Every text a form shows, by where it is: its title, and the text, title, tool tip and
// list items of each control that is not hidden.
QMap<QString, QString> visibleTexts(const QWidget& form) {
  QMap<QString, QString> texts;
  const QString formName = form.objectName();
  texts[formName + QStringLiteral(" title")] = form.windowTitle();
  texts[formName + QStringLiteral(" tool tip")] = form.toolTip();
  const QList<QWidget*> controls = form.findChildren<QWidget*>();
  for (int n = 0; n < controls.size(); ++n) {
    const QWidget& widget = *controls[n];
    if (!widget.isVisibleTo(&form)) continue;
    const QString where = QStringLiteral("%1 %2#%3 (%4)")
                              .arg(formName, QString::fromLatin1(widget.metaObject()->className()))
                              .arg(n)
                              .arg(widget.objectName());
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) texts[where] = label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
      texts[where] = button->text();
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&widget)) texts[where] = box->title();
    if (const auto* combo = qobject_cast<const QComboBox*>(&widget)) {
      for (int item = 0; item < combo->count(); ++item) {
        texts[where + QStringLiteral(" item %1").arg(item)] = combo->itemText(item);
      }
    }
    texts[where + QStringLiteral(" tool tip")] = widget.toolTip();
  }
  return texts;
}

QMap<QString, QString> textsOfAllForms() {
  QMap<QString, QString> texts;
  for (const QWidget* form : allForms()) texts.insert(visibleTexts(*form));
  return texts;
}

bool holdsJapanese(const QString& text) {
  static const QRegularExpression japanese(
      QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
  return text.contains(japanese);
}

void choose(const QWidget& form, Language language) {
  auto* choice = control<QComboBox>(form, "LanguageChoice");
  QVERIFY(choice != nullptr);
  QVERIFY(choice->isVisibleTo(&form));
  choice->setCurrentIndex(choice->findText(
      language == Language::kEnglish ? QStringLiteral("English") : QStringLiteral("日本語")));
}

}  // namespace

// The cases build on each other in order: the forms exist once.
class LanguageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // The remembered choice goes to a settings folder of the tests, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(directory_.ready());
    palvane::useJapaneseFont(*qApp);
    QVERIFY(palvane::form2()->tablesLoaded());
    palvane::form2()->show();
    japanese_ = textsOfAllForms();
  }

  void englishAtRunTimeLeavesNoJapaneseAndKeepsWhatTheFormsHold() {
    palvane::Form2& spectrumForm = *palvane::form2();
    control<QLineEdit>(spectrumForm, "Text8")->setText(QStringLiteral("1.5"));
    control<QPushButton>(spectrumForm, "Command1")->click();
    const QImage graph = spectrumForm.spectrumGraph().image();

    choose(spectrumForm, Language::kEnglish);
    QCOMPARE(palvane::currentLanguage(), Language::kEnglish);
    const QMap<QString, QString> english = textsOfAllForms();
    QCOMPARE(english.keys(), japanese_.keys());
    for (auto text = english.cbegin(); text != english.cend(); ++text) {
      if (text.value() == QStringLiteral("日本語")) continue;  // the language control's own
      QVERIFY2(!holdsJapanese(text.value()), qPrintable(text.key() + ": " + text.value()));
      QVERIFY2(japanese_[text.key()].isEmpty() || !text.value().isEmpty(), qPrintable(text.key()));
    }
    QCOMPARE(control<QPushButton>(spectrumForm, "Command1")->text(),
             QStringLiteral("Draw spectrum"));
    QCOMPARE(control<QComboBox>(*palvane::form4(), "LanguageChoice")->currentText(),
             QStringLiteral("English"));
    QCOMPARE(palvane::rememberedLanguage(), Language::kEnglish);

    QCOMPARE(control<QLineEdit>(spectrumForm, "Text8")->text(), QStringLiteral("1.5"));
    QCOMPARE(spectrumForm.spectrumGraph().image(), graph);
    QVERIFY(control<QPushButton>(spectrumForm, "Command7")->isEnabled());
  }

  void messagesInEnglishAreEnglish() {
    palvane::Form2& spectrumForm = *palvane::form2();
    auto* voltage = control<QLineEdit>(spectrumForm, "Text1");
    voltage->setText(QStringLiteral("abc"));
    {
      formstest::MessageBoxAnswerer answerer;
      control<QPushButton>(spectrumForm, "Command1")->click();
      QCOMPARE(answerer.boxesSeen(), 1);
      QVERIFY(!answerer.text().isEmpty());
      QVERIFY2(!holdsJapanese(answerer.text()), qPrintable(answerer.text()));
    }
    voltage->setText(QStringLiteral("30"));
    auto* angle = control<QLineEdit>(spectrumForm, "Text5");
    angle->setText(QStringLiteral("ten"));
    {
      formstest::MessageBoxAnswerer answerer;
      control<QPushButton>(spectrumForm, "Command1")->click();
      QCOMPARE(answerer.boxesSeen(), 1);
      QVERIFY2(!holdsJapanese(answerer.text()) && answerer.text().contains("\"ten\""),
               qPrintable(answerer.text()));
    }
    angle->setText(QStringLiteral("10"));

    const QString started = QStringLiteral("         ---     計算を開始しました    ---");
    QCOMPARE(palvane::englishMeaningOf(started),
             QStringLiteral("         ---     Computation started    ---"));
    QCOMPARE(palvane::englishMeaningOf(QStringLiteral("Stop - Program terminated.")), QString());
  }

  void japaneseAgainShowsTheTextsAsBefore() {
    choose(*palvane::form4(), Language::kJapanese);
    QCOMPARE(palvane::currentLanguage(), Language::kJapanese);
    const QMap<QString, QString> again = textsOfAllForms();
    for (auto text = again.cbegin(); text != again.cend(); ++text) {
      QCOMPARE(text.value(), japanese_.value(text.key()));
    }
    QCOMPARE(again.size(), japanese_.size());
    // The texts whose blanks are easily lost.
    const palvane::Form1& display = *palvane::form1();
    QCOMPARE(control<QGroupBox>(display, "Frame1")->title(), QStringLiteral(" 分布表示項目を選択"));
    QCOMPARE(control<QPushButton>(display, "Command1")->text(), QStringLiteral("描 画"));
    QCOMPARE(palvane::form5()->windowTitle(), QStringLiteral("備考"));
    QCOMPARE(palvane::englishMeaningOf(QStringLiteral("計算を開始しました")), QString());
    QCOMPARE(palvane::rememberedLanguage(), Language::kJapanese);
  }

  void commandLineChoosesTheLanguageOrRefuses() {
    const auto read = [](const QStringList& options) {
      return palvane::readCommandLine(QStringList{QStringLiteral("palvane")} + options);
    };
    QCOMPARE(read({"--language", "en"}).language, Language::kEnglish);
    QCOMPARE(read({"--language=ja"}).language, Language::kJapanese);
    QVERIFY(!read({}).exitStatus && !read({}).language);
    QCOMPARE(read({"--help"}).exitStatus, 0);
    QVERIFY(read({"--help"}).text.contains("--language"));
    QCOMPARE(read({"--version"}).exitStatus, 0);
    // Qt's own options stay QApplication's, as they were before palvane read any option.
    QVERIFY(!read({"-platform", "offscreen", "-style", "fusion", "-reverse"}).exitStatus);
    for (const QStringList& wrong : {QStringList{"--language", "fr"}, QStringList{"--bogus"},
                                     QStringList{"--language"}, QStringList{"extra"}}) {
      const palvane::CommandLine line = read(wrong);
      QCOMPARE(line.exitStatus, 1);
      QVERIFY2(line.text.contains(QString(wrong.last()).remove(QLatin1Char('-'))),
               qPrintable(line.text));
    }
  }

  // Every message id has a Japanese text and an English one, each free of the other
  // language, so that neither interface shows a message in the other.
  void everyMessageHasItsTwoTexts() {
    QList<const char*> messages(std::begin(palvane::kSharedMessages),
                                std::end(palvane::kSharedMessages));
    messages << palvane::kSettingNotANumberMessage << palvane::kNegativeThicknessMessage
             << palvane::kVoltageOutOfRangeMessage << palvane::kResultsNotWrittenYetMessage
             << palvane::kNoResultsYetMessage << palvane::kResultsOlderThanSettingsMessage
             << palvane::kEngineEndedText << palvane::kEngineFailedText
             << palvane::kEngineCrashedText << palvane::kBeyondCutOffText
             << palvane::kQualityUndefinedText;
    for (const char* id : palvane::kCalibrationMessages) messages << id;
    QList<QString> japanese;
    palvane::setLanguage(Language::kJapanese);
    for (const char* id : messages) japanese << palvane::translated(id);
    palvane::setLanguage(Language::kEnglish);
    for (qsizetype n = 0; n < messages.size(); ++n) {
      const QString english = palvane::translated(messages[n]);
      QVERIFY2(holdsJapanese(japanese[n]), messages[n]);
      QVERIFY2(!english.isEmpty() && !holdsJapanese(english), messages[n]);
      QCOMPARE(english.count(QLatin1Char('%')), japanese[n].count(QLatin1Char('%')));
    }
    palvane::setLanguage(Language::kJapanese);
  }

 private:
  formstest::WorkingDirectory directory_;
  QMap<QString, QString> japanese_;
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
