#include "palvane/forms/language.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSettings>
#include <QTranslator>

namespace palvane {

namespace {

// The English texts, built from palvane_en.ts and embedded in the program.
constexpr char kEnglishTranslation[] = ":/i18n/palvane_en.qm";
constexpr char kLanguageKey[] = "language";

Language shownLanguage = Language::kJapanese;

QTranslator& englishTranslator() {
  static QTranslator* const translator = [] {
    auto* loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(QString::fromLatin1(kEnglishTranslation))) {
      qWarning("palvane: the English texts %s cannot be read", kEnglishTranslation);
    }
    return loaded;
  }();
  return *translator;
}

// The remembered choice lives in the user's settings of palvane.
constexpr char kSettingsName[] = "palvane";

}  // namespace

std::optional<Language> languageFromCode(const QString& code) {
  if (code == QLatin1String("ja")) return Language::kJapanese;
  if (code == QLatin1String("en")) return Language::kEnglish;
  return std::nullopt;
}

QString languageCode(Language language) {
  return language == Language::kEnglish ? QStringLiteral("en") : QStringLiteral("ja");
}

Language currentLanguage() { return shownLanguage; }

void setLanguage(Language language) {
  if (language == shownLanguage) return;
  shownLanguage = language;
  if (language == Language::kEnglish) {
    QCoreApplication::installTranslator(&englishTranslator());
  } else {
    QCoreApplication::removeTranslator(&englishTranslator());
  }
  // The application posts the change to every window; they show it now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

void chooseLanguage(Language language) {
  setLanguage(language);
  QSettings settings(QString::fromLatin1(kSettingsName), QString::fromLatin1(kSettingsName));
  settings.setValue(QString::fromLatin1(kLanguageKey), languageCode(language));
}

std::optional<Language> rememberedLanguage() {
  const QSettings settings(QString::fromLatin1(kSettingsName), QString::fromLatin1(kSettingsName));
  return languageFromCode(settings.value(QString::fromLatin1(kLanguageKey)).toString());
}

}  // namespace palvane
