#include "palvane/forms/program_start.h"

#include <cstdlib>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"

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

int runPalvane(QApplication& application) {
  useJapaneseFont(application);
  Form2* spectrumForm = form2();
  if (!spectrumForm->tablesLoaded()) return EXIT_FAILURE;
  spectrumForm->show();
  return application.exec();
}

}  // namespace palvane
