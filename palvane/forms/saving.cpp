#include "palvane/forms/saving.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileDialog>

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

QString askSaveFolder(QWidget* parent) {
  return QFileDialog::getExistingDirectory(
      parent, translated(QT_TRANSLATE_NOOP("palvane", "保存先のフォルダ")));
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
