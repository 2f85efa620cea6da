#pragma once

#include <optional>

#include <QString>

namespace palvane {

// The languages of the forms: Japanese, the texts as written, and English.
enum class Language { kJapanese, kEnglish };

// "ja" or "en"; nullopt for any other text.
std::optional<Language> languageFromCode(const QString& code);
QString languageCode(Language language);

Language currentLanguage();

// Shows every form in the language at once (each form's texts follow the change of
// language), keeping what the forms hold.
void setLanguage(Language language);

// The user's choice on a form: set, and remembered for the next start.
void chooseLanguage(Language language);
// The language chosen at an earlier start; nullopt when none was chosen.
std::optional<Language> rememberedLanguage();

}  // namespace palvane
