#include "palvane/forms/saving.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSettings>

#include "palvane/figures/figure_files.h"

#include "palvane/forms/message_box.h"
#include "palvane/forms/translated_text.h"
#include "text_files/file_error.h"

namespace palvane {

void savePng(const QImage& image, const QString& file) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");  // an image that cannot be encoded leaves nothing to write
  replaceFileBytes(file, bytes);
}

std::filesystem::path exportPath(const QString& folder, const QString& name) {
  return std::filesystem::path(QFile::encodeName(QDir(folder).filePath(name)).toStdString());
}

ExportStamp exportStamp(const QDateTime& when, std::optional<EngineReferences> references) {
  return {"Palvane " PALVANE_VERSION,
          when.toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString(), references};
}

QString makeSetFolder(const QString& parent, const QString& name) {
  // Sets saved within the same minute get _2, _3, ... up to this many.
  constexpr int kMostSetsPerName = 999;
  const QDir directory(parent);
  for (int n = 1; n <= kMostSetsPerName; ++n) {
    const QString candidate = n == 1 ? name : name + QStringLiteral("_%1").arg(n);
    if (directory.exists(candidate)) continue;
    if (directory.mkdir(candidate)) return directory.filePath(candidate);
    break;
  }
  throw FileError(QDir::toNativeSeparators(directory.filePath(name)).toStdString() +
                  ": the folder for the saved set cannot be made");
}

QString askSaveFolder(QWidget* parent) {
  const QString key = QStringLiteral("saving/lastFolder");
  QSettings settings(QStringLiteral("palvane"), QStringLiteral("palvane"));
  const QString chosen = QFileDialog::getExistingDirectory(
      parent, translated(QT_TRANSLATE_NOOP("palvane", "保存先のフォルダ")),
      settings.value(key).toString());
  if (!chosen.isEmpty()) settings.setValue(key, chosen);
  return chosen;
}

bool saveReportingErrors(QWidget* parent, const std::function<void()>& writes) {
  try {
    writes();
  } catch (const FileError& error) {
    showWarning(parent, QString::fromStdString(error.what()));
    return false;
  }
  return true;
}

}  // namespace palvane
