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

  const char* const remark[] = {
      QT_TRANSLATE_NOOP("palvane", "ここに示されたＸ線照射野内の線量・線質分布は、あくまで"),
      QT_TRANSLATE_NOOP("palvane", "近似Ｘ線スペクトルを用いた理論計算によるものです。"),
      QT_TRANSLATE_NOOP("palvane", "実際には、絞り機構からの散乱線、光反射ミラーの材質・厚さ"),
      QT_TRANSLATE_NOOP("palvane", "・方向などにより、分布は変わってきます。"),
  };
  for (int line = 0; line < 4; ++line) {
    addTranslatedLabel(*this, QStringLiteral("Label%1").arg(line + 1), remark[line], 480,
                       840 + 420 * line, 7920, 375);
  }
  // Below the remark, set a little apart: the model's own limits, told in full in the
  // README's "What the model does not do".
  const char* const limits[] = {
      QT_TRANSLATE_NOOP("palvane", "モデルの限界：Ｍｏ特性線の強さはフィルタにより変わり、"),
      QT_TRANSLATE_NOOP("palvane", "ＷのＬ線はなく、線量の単位はＭｏとＷで比較できません。"),
      QT_TRANSLATE_NOOP("palvane", "詳しくは README を参照してください。"),
  };
  for (int line = 0; line < 3; ++line) {
    addTranslatedLabel(*this, QStringLiteral("Label%1").arg(line + 6), limits[line], 480,
                       2640 + 420 * line, 7920, 375);
  }
  QPushButton* close =
      addButton(*this, QStringLiteral("Command1"), QStringLiteral("Close"), 3480, 4080, 1680, 495);
  connect(close, &QPushButton::clicked, this, &Form5::Command1_Click);
  fitToScreen(*this);
}

void Form5::Command1_Click() { hide(); }

}  // namespace palvane
