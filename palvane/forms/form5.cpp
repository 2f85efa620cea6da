#include "palvane/forms/form5.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "palvane/forms/form_controls.h"
#include "palvane/forms/screen_fit.h"
#include "palvane/forms/translated_text.h"
#include "palvane/forms/twips.h"

namespace palvane {

Form5::Form5(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form5"));
  showTranslatedTitle(*this, QT_TRANSLATE_NOOP("palvane", "備考"));
  setClientSize(*this, 8640, 4800);

  QLabel* heading = addTranslatedLabel(*this, QStringLiteral("Label5"),
                                       QT_TRANSLATE_NOOP("palvane", "備 考"), 240, 240, 1500, 420);
  QFont headingFont = heading->font();
  headingFont.setBold(true);
  headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
  heading->setFont(headingFont);

  // The remark, one line each (Label1 to Label4), then, set a little apart, the model's
  // own limits (Label6 to Label8), told in full in the README's "What the model does not do".
  const struct {
    const char* name;
    const char* text;
    int top;
  } lines[] = {
      {"Label1",
       QT_TRANSLATE_NOOP("palvane", "ここに示されたＸ線照射野内の線量・線質分布は、あくまで"), 840},
      {"Label2", QT_TRANSLATE_NOOP("palvane", "近似Ｘ線スペクトルを用いた理論計算によるものです。"),
       1260},
      {"Label3",
       QT_TRANSLATE_NOOP("palvane", "実際には、絞り機構からの散乱線、光反射ミラーの材質・厚さ"),
       1680},
      {"Label4", QT_TRANSLATE_NOOP("palvane", "・方向などにより、分布は変わってきます。"), 2100},
      {"Label6",
       QT_TRANSLATE_NOOP("palvane", "モデルの限界：Ｍｏ特性線の強さはフィルタにより変わり、"),
       2640},
      {"Label7",
       QT_TRANSLATE_NOOP("palvane", "ＷのＬ線はなく、線量の単位はＭｏとＷで比較できません。"),
       3060},
      {"Label8", QT_TRANSLATE_NOOP("palvane", "詳しくは README を参照してください。"), 3480},
  };
  for (const auto& line : lines) {
    addTranslatedLabel(*this, QString::fromLatin1(line.name), line.text, 480, line.top, 7920, 375);
  }
  QPushButton* close =
      addButton(*this, QStringLiteral("Command1"), QStringLiteral("Close"), 3480, 4080, 1680, 495);
  connect(close, &QPushButton::clicked, this, &Form5::Command1_Click);
  fitToScreen(*this);
}

void Form5::Command1_Click() { hide(); }

}  // namespace palvane
