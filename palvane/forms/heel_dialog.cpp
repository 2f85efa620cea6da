#include "palvane/forms/heel_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "calibration/profile_file.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/message_box.h"
#include "palvane/forms/translated_text.h"
#include "palvane/forms/twips.h"
#include "text_files/number_text.h"

namespace palvane {

namespace {

constexpr int kLeft = 120;
constexpr int kColumnWidth = 1200;
constexpr int kRowPitch = 420;
constexpr int kBoxHeight = 375;
constexpr int kLabelHeight = 300;
constexpr int kFirstRowTop = 720;

}  // namespace

HeelDialog::HeelDialog(
    QWidget* parent,
    std::function<std::optional<calibration::HeelFit>(const std::vector<calibration::HeelPoint>&)>
        fit,
    std::function<bool(double)> beyondCutOff)
    : QDialog(parent), fit_(std::move(fit)), beyondCutOff_(std::move(beyondCutOff)) {
  setObjectName(QStringLiteral("HeelDialog"));
  setWindowTitle(translated(QT_TRANSLATE_NOOP("palvane", "ヒールの当てはめ")));
  setClientSize(*this, 6000, 5100);
  static const char* const captions[] = {
      QT_TRANSLATE_NOOP("palvane", "X (mm)"), QT_TRANSLATE_NOOP("palvane", "相対空気カーマ"),
      QT_TRANSLATE_NOOP("palvane", "計算値"), QT_TRANSLATE_NOOP("palvane", "差 (%)")};
  for (int column = 0; column < 4; ++column) {
    QLabel* caption = addTranslatedLabel(*this, QString(), captions[column],
                                         kLeft + column * (kColumnWidth + 120), 60, kColumnWidth,
                                         2 * kLabelHeight);
    caption->setWordWrap(true);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  }
  for (int n = 0; n < kRows; ++n) {
    const int top = kFirstRowTop + n * kRowPitch;
    const QString number = QString::number(n + 1);
    Row& row = rows_[n];
    row.position =
        addTextBox(*this, QStringLiteral("HeelX") + number, kLeft, top, kColumnWidth, kBoxHeight);
    row.relative = addTextBox(*this, QStringLiteral("HeelKerma") + number,
                              kLeft + kColumnWidth + 120, top, kColumnWidth, kBoxHeight);
    row.model = addTextBox(*this, QStringLiteral("HeelModel") + number,
                           kLeft + 2 * (kColumnWidth + 120), top, kColumnWidth, kBoxHeight);
    row.difference = addTextBox(*this, QStringLiteral("HeelDifference") + number,
                                kLeft + 3 * (kColumnWidth + 120), top, kColumnWidth, kBoxHeight);
    for (QLineEdit* result : {row.model, row.difference}) {
      result->setReadOnly(true);
      result->setFocusPolicy(Qt::NoFocus);
    }
  }
  QPushButton* fitButton = addTranslatedButton(*this, QStringLiteral("HeelFitButton"),
                                               QT_TRANSLATE_NOOP("palvane", "θ を求める"), kLeft,
                                               kFirstRowTop + kRows * kRowPitch + 60, 2400, 450);
  connect(fitButton, &QPushButton::clicked, this, &HeelDialog::FitButton_Click);
  ResultLabel_ = addLabel(*this, QStringLiteral("HeelResultLabel"), QString(), kLeft + 2520,
                          kFirstRowTop + kRows * kRowPitch + 120, 3240, kLabelHeight);
  QLabel* limits = addTranslatedLabel(
      *this, QString(),
      QT_TRANSLATE_NOOP("palvane",
                        "X は陽極側へ (Y = 0)、値はビーム軸に対する比。求めた θ は実効的な角度で、"
                        "モデルのヒールを実測に合わせるものであり、陽極の実際の角度ではありません"
                        "（焦点の大きさ、焦点外 X 線、陽極の荒れはモデルにありません）。θ "
                        "のあと、実測 HVL に合うようアルミ当量を求め直します。"),
      kLeft, kFirstRowTop + kRows * kRowPitch + 660, 5760, 1500);
  limits->setWordWrap(true);
  limits->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

std::optional<double> HeelDialog::numberEntry(const QLineEdit& box, const QString& name) {
  const std::string text = box.text().trimmed().toStdString();
  if (!IsSettingNumber(text, {"mm"})) {
    showWarning(this, translated(kHeelNotANumberMessage).arg(name, box.text()));
    return std::nullopt;
  }
  return SettingNumber(text);
}

void HeelDialog::FitButton_Click() {
  std::vector<calibration::HeelPoint> points;
  std::vector<int> filled;
  for (int n = 0; n < kRows; ++n) {
    const Row& row = rows_[n];
    if (row.position->text().trimmed().isEmpty() && row.relative->text().trimmed().isEmpty()) {
      continue;
    }
    const QString xName = translated(kHeelXName).arg(n + 1);
    const QString kermaName = translated(kHeelKermaName).arg(n + 1);
    const std::optional<double> x = numberEntry(*row.position, xName);
    if (!x) return;
    const std::optional<double> relative = numberEntry(*row.relative, kermaName);
    if (!relative) return;
    if (!(*x > 0.0 && *x <= calibration::kFarthestHeelPoint)) {
      showWarning(this, translated(kHeelOutOfRangeMessage)
                            .arg(xName, shortestText(*x), QStringLiteral("(0, 150] mm")));
      return;
    }
    if (!(*relative > 0.0 && *relative <= calibration::kHighestRelativeKerma)) {
      showWarning(this, translated(kHeelOutOfRangeMessage)
                            .arg(kermaName, shortestText(*relative), QStringLiteral("(0, 1.5]")));
      return;
    }
    if (beyondCutOff_(*x)) {
      showWarning(this, translated(kHeelBeyondCutOffMessage).arg(xName, shortestText(*x)));
      return;
    }
    points.push_back({*x, *relative, std::nullopt});
    filled.push_back(n);
  }
  if (points.empty()) {
    showWarning(this, translated(kHeelNoPointMessage));
    return;
  }
  const std::optional<calibration::HeelFit> fit = fit_(points);
  for (const Row& row : rows_) {
    row.model->clear();
    row.difference->clear();
  }
  if (!fit) return;
  for (std::size_t n = 0; n < fit->points.size(); ++n) {
    const calibration::HeelPoint& point = fit->points[n];
    const Row& row = rows_[filled[n]];
    row.model->setText(formatted(*point.modelKerma, "0.000"));
    row.difference->setText(
        QString::number(100.0 * (*point.modelKerma / point.relativeKerma - 1.0), 'f', 1));
  }
  ResultLabel_->setText(QStringLiteral("θ = %1°").arg(formatted(fit->targetAngle, "00.0")));
}

}  // namespace palvane
