#include "palvane/forms/language_choice.h"

#include <QEvent>

#include "palvane/forms/language.h"
#include "palvane/forms/twips.h"

namespace palvane {

LanguageChoice::LanguageChoice(QWidget* parent) : QComboBox(parent) {
  // Every language is named in itself, so the names are never translated.
  addItem(QStringLiteral("日本語"), static_cast<int>(Language::kJapanese));
  addItem(QStringLiteral("English"), static_cast<int>(Language::kEnglish));
  showCurrentLanguage();
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) chooseLanguage(static_cast<Language>(itemData(index).toInt()));
  });
}

void LanguageChoice::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) showCurrentLanguage();
  QComboBox::changeEvent(event);
}

void LanguageChoice::showCurrentLanguage() {
  setCurrentIndex(findData(static_cast<int>(currentLanguage())));
}

LanguageChoice* addLanguageChoice(QWidget& form, int left, int top, int width, int height) {
  auto* choice = new LanguageChoice(&form);
  choice->setObjectName(QStringLiteral("LanguageChoice"));
  placeAt(*choice, left, top, width, height);
  return choice;
}

}  // namespace palvane
