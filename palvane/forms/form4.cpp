#include "palvane/forms/form4.h"

#include <QCoreApplication>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "palvane/forms/drawings.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/language_choice.h"
#include "palvane/forms/picture_box.h"
#include "palvane/forms/screen_fit.h"
#include "palvane/forms/twips.h"

namespace palvane {

namespace {

// One of the two copies of the title; the shadow lies 30 twips right and 45 below.
void addTitle(QWidget& form, const char* name, QColor colour, int left, int top) {
  QLabel* title =
      addLabel(form, QString::fromUtf8(name), QStringLiteral("Palvane"), left, top, 5400, 1080);
  QFont font = graphFont();
  font.setPointSize(40);
  font.setBold(true);
  font.setItalic(true);
  title->setFont(font);
  QPalette palette = title->palette();
  palette.setColor(QPalette::WindowText, colour);
  title->setPalette(palette);
}

}  // namespace

Form4::Form4(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("  Palvane"));
  setClientSize(*this, 14160, 6600);

  // The shadow first, so that the title lies above it.
  addTitle(*this, "Label1", QColor(128, 128, 128), 510, 285);
  addTitle(*this, "Label2", QColor(0, 0, 160), 480, 240);

  struct Line {
    const char* name;
    const char* text;
    int left;
    int top;
  };
  const Line lines[] = {
      {"Label3", QT_TRANSLATE_NOOP("palvane", "マンモグラフィの照射野内における"), 480, 1560},
      {"Label10", QT_TRANSLATE_NOOP("palvane", "線量，線質の均一性の調査，"), 480, 1920},
      {"Label13", QT_TRANSLATE_NOOP("palvane", "および，ヒール効果を検証します．"), 480, 2280},
      {"Label4", QT_TRANSLATE_NOOP("palvane", "線量："), 720, 2880},
      {"Label5", QT_TRANSLATE_NOOP("palvane", "エネルギーフルエンス"), 1680, 2880},
      {"Label6", QT_TRANSLATE_NOOP("palvane", "空気カーマ（照射線量）"), 1680, 3240},
      {"Label7", QT_TRANSLATE_NOOP("palvane", "線質："), 720, 3720},
      {"Label8", QT_TRANSLATE_NOOP("palvane", "Ｘ線スペクトル"), 1680, 3720},
      {"Label9", QT_TRANSLATE_NOOP("palvane", "アルミニウム半価層"), 1680, 4080},
      {"Label11", QT_TRANSLATE_NOOP("palvane", "幾何学的配置は右模式図に"), 480, 4680},
      {"Label12", QT_TRANSLATE_NOOP("palvane", "示すとおりです．"), 480, 5040},
  };
  for (const Line& line : lines) {
    addTranslatedLabel(*this, QString::fromUtf8(line.name), line.text, line.left, line.top, 4800,
                       360);
  }

  addPicture(*this, QStringLiteral("Picture1"), tiltAnglePicture, 6240, 240, 3600, 2700);
  addPicture(*this, QStringLiteral("Picture2"), targetAnglePicture, 10200, 240, 3600, 2700);
  addPicture(*this, QStringLiteral("Picture3"), fieldPlanPicture, 8220, 3120, 3600, 2700);

  QPushButton* start = addButton(*this, QStringLiteral("Command1"), QStringLiteral("Let's  start"),
                                 480, 5760, 2175, 555);
  QPushButton* bye =
      addByeByeButton(*this, QStringLiteral("Command4"), kByeByeQuits, 2880, 5790, 495, 495);
  addLanguageChoice(*this, 3600, 5850, 1695, 375);
  connect(start, &QPushButton::clicked, this, &Form4::Command1_Click);
  connect(bye, &QPushButton::clicked, this, &Form4::Command4_Click);
  fitToScreen(*this);
}

void Form4::Command1_Click() {
  form2()->show();
  hide();
}

void Form4::Command4_Click() {
  // Leaves the event loop at once: no further event is handled and nothing is asked.
  QCoreApplication::exit(0);
}

}  // namespace palvane
