#include "palvane/forms/saving.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QSaveFile>

#include "palvane/forms/message_box.h"
#include "text_files/file_error.h"

namespace palvane {

void savePng(const QImage& image, const QString& file) {
  // QSaveFile writes to a temporary file beside the target and renames it on commit; a
  // failed write discards the temporary file and leaves the target as it was.
  QSaveFile out(file);
  const bool written = out.open(QIODevice::WriteOnly) && image.save(&out, "PNG") && out.commit();
  if (!written) {
    const QString reason = out.errorString().isEmpty()
                               ? QStringLiteral("the image could not be encoded")
                               : out.errorString();
    throw FileError(QDir::toNativeSeparators(file).toStdString() + ": cannot be written (" +
                    reason.toStdString() + ")");
  }
}

std::filesystem::path exportPath(const QString& folder, const QString& name) {
  return std::filesystem::path(QFile::encodeName(QDir(folder).filePath(name)).toStdString());
}

QString askSaveFolder(QWidget* parent) {
  return QFileDialog::getExistingDirectory(parent, QStringLiteral("保存先のフォルダ"));
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
