#include "palvane/forms/program_start.h"

#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QTimer>

#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/window_places.h"
#include "palvane/forms/working_folder.h"

namespace palvane {

namespace {

// In order of preference; all are packaged for Debian.
constexpr const char* kJapaneseFonts[] = {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP"};
constexpr double kCaptionPointSize = 10.0;

}  // namespace

void useJapaneseFont(QApplication& application) {
  const QStringList installed = QFontDatabase::families();
  for (const char* family : kJapaneseFonts) {
    if (installed.contains(QString::fromUtf8(family))) {
      QFont font(QString::fromUtf8(family));
      font.setPointSizeF(kCaptionPointSize);
      application.setFont(font);
      return;
    }
  }
}

// The captions are fixed, so the user's working folder is named in the spectrum
// form's tool tip and, once the form is up, on standard error.
void sayWhereItWorks(Form2* spectrumForm, const QString& folder) {
  spectrumForm->showWorkingFolder(folder);
  QTimer::singleShot(0, spectrumForm, [folder] {
    std::fprintf(stderr, "palvane: working in %s\n", folder.toLocal8Bit().constData());
  });
}

int runPalvane(QApplication& application, std::optional<Language> language) {
  useJapaneseFont(application);
  setLanguage(language.value_or(rememberedLanguage().value_or(Language::kJapanese)));
  rememberWindowPlaces();
  const QString userFolder = enterUserWorkingFolderWithoutTables();
  Form2* spectrumForm = form2();
  if (!spectrumForm->tablesLoaded()) return EXIT_FAILURE;
  if (!userFolder.isEmpty()) sayWhereItWorks(spectrumForm, userFolder);
  spectrumForm->show();
  return application.exec();
}

}  // namespace palvane
