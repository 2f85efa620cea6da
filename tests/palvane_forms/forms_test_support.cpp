#include "forms_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "test_paths.h"

namespace formstest {

WorkingDirectory::WorkingDirectory(Tables tables) : previous_(QDir::currentPath()) {
  if (tables == Tables::kCopied) {
    const QDir data(QString::fromUtf8(testpaths::kDataDir));
    for (const char* table : {"MUs3.dat", "Mo-STP.dat", "Materials.dat"}) {
      const QString name = QString::fromUtf8(table);
      copied_ = QFile::copy(data.filePath(name), directory_.filePath(name)) && copied_;
    }
  }
  QDir::setCurrent(directory_.path());
}

WorkingDirectory::~WorkingDirectory() { QDir::setCurrent(previous_); }

bool WorkingDirectory::ready() const {
  return directory_.isValid() && copied_ && QDir::currentPath() == QDir(directory_.path()).path();
}

void writeFile(const QString& name, const QByteArray& contents) {
  QFile file(name);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(contents);
}

MessageBoxAnswerer::MessageBoxAnswerer() {
  poll_.setInterval(10);
  connect(&poll_, &QTimer::timeout, this, &MessageBoxAnswerer::answerOpenBox);
  poll_.start();
}

void MessageBoxAnswerer::answerOpenBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr) return;
  ++boxesSeen_;
  text_ = box->text();
  title_ = box->windowTitle();
  icon_ = box->icon();
  buttonCount_ = static_cast<int>(box->buttons().size());
  if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
    ok->click();
  } else {
    box->reject();
  }
}

}  // namespace formstest
