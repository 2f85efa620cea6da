#include "palvane/forms/message_box.h"

#include <QMessageBox>

namespace palvane {

void showWarning(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kProgramTitle), text, QMessageBox::Ok,
                  parent);
  box.exec();
}

}  // namespace palvane
