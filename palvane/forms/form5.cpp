#include "palvane/forms/form5.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "palvane/forms/form_controls.h"
#include "palvane/forms/screen_fit.h"
#include "palvane/forms/twips.h"

namespace palvane {

Form5::Form5(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(QStringLiteral("備考"));
  setClientSize(*this, 8640, 3600);

  QLabel* heading =
      addLabel(*this, QStringLiteral("Label5"), QStringLiteral("備 考"), 240, 240, 1500, 420);
  QFont headingFont = heading->font();
  headingFont.setBold(true);
  headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
  heading->setFont(headingFont);

  const QString remark[] = {
      QStringLiteral("ここに示されたＸ線照射野内の線量・線質分布は、あくまで"),
      QStringLiteral("近似Ｘ線スペクトルを用いた理論計算によるものです。"),
      QStringLiteral("実際には、絞り機構からの散乱線、光反射ミラーの材質・厚さ"),
      QStringLiteral("・方向などにより、分布は変わってきます。"),
  };
  for (int line = 0; line < 4; ++line) {
    addLabel(*this, QStringLiteral("Label%1").arg(line + 1), remark[line], 480, 840 + 420 * line,
             7920, 375);
  }
  QPushButton* close =
      addButton(*this, QStringLiteral("Command1"), QStringLiteral("Close"), 3480, 2880, 1680, 495);
  connect(close, &QPushButton::clicked, this, &Form5::Command1_Click);
  fitToScreen(*this);
}

void Form5::Command1_Click() { hide(); }

}  // namespace palvane
