#pragma once

#include <QComboBox>

class QEvent;

namespace palvane {

// The language control of a form: "日本語" and "English", each written in its own
// language. Choosing one shows every form in it and remembers it; the control follows a
// choice made elsewhere.
class LanguageChoice : public QComboBox {
  Q_OBJECT

 public:
  explicit LanguageChoice(QWidget* parent);

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void showCurrentLanguage();
};

// The control, placed in twips, with the object name LanguageChoice.
LanguageChoice* addLanguageChoice(QWidget& form, int left, int top, int width, int height);

}  // namespace palvane
