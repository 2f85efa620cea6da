#pragma once

#include <QByteArray>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

namespace formstest {

// A fresh temporary directory made the working directory for the life of the object,
// holding copies of the shipped tables unless asked to stay empty.
class WorkingDirectory {
 public:
  enum class Tables { kCopied, kNone };
  explicit WorkingDirectory(Tables tables = Tables::kCopied);
  ~WorkingDirectory();
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  QString filePath(const QString& name) const { return directory_.filePath(name); }
  bool ready() const;

 private:
  QString previous_;
  QTemporaryDir directory_;
  bool copied_ = true;
};

// Answers the next message box that opens with OK and remembers what it said.
class MessageBoxAnswerer : public QObject {
  Q_OBJECT

 public:
  MessageBoxAnswerer();

  int boxesSeen() const { return boxesSeen_; }
  QString text() const { return text_; }
  QString title() const { return title_; }
  QMessageBox::Icon icon() const { return icon_; }
  int buttonCount() const { return buttonCount_; }

 private:
  void answerOpenBox();

  QTimer poll_;
  int boxesSeen_ = 0;
  QString text_;
  QString title_;
  QMessageBox::Icon icon_ = QMessageBox::NoIcon;
  int buttonCount_ = 0;
};

// Writes the file (replacing it), failing the test when it cannot.
void writeFile(const QString& name, const QByteArray& contents);

// The child control of a form with the given object name, or null.
template <typename Control>
Control* control(const QWidget& form, const char* name) {
  return form.findChild<Control*>(QString::fromUtf8(name));
}

}  // namespace formstest
