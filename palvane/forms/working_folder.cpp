#include "palvane/forms/working_folder.h"

#include <cstdio>
#include <filesystem>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "palvane/state/table_loading.h"
#include "text_files/atomic_file.h"
#include "text_files/file_error.h"
#include "text_files/input_file.h"

namespace palvane {

namespace {

constexpr const char* kTables[] = {kCoefficientTableFile, kStoppingPowerTableFile,
                                   kMaterialTableFile};

void report(const QString& text) {
  std::fprintf(stderr, "palvane: %s\n", text.toLocal8Bit().constData());
}

QString installedTablesFolder() {
  const std::filesystem::path programs =
      QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  return QFile::decodeName(installedTablesDirectory(programs).c_str());
}

std::filesystem::path pathOf(const QString& file) {
  return std::filesystem::path(QFile::encodeName(file).toStdString());
}

// Copies by the write-then-rename rule, so that the folder never holds half a table, even
// when two programs start at once.
bool copyTable(const QString& from, const QString& to) {
  try {
    replaceFileContents(pathOf(to), readInputFile(pathOf(from)));
    return true;
  } catch (const FileError& error) {
    report(QStringLiteral("%1 cannot be copied to %2 (%3)")
               .arg(from, to, QString::fromStdString(error.what())));
    return false;
  }
}

}  // namespace

QString enterUserWorkingFolderWithoutTables() {
  if (QFileInfo::exists(QString::fromLatin1(kCoefficientTableFile))) return {};
  const QDir installed(installedTablesFolder());
  if (!installed.exists(QString::fromLatin1(kCoefficientTableFile))) return {};

  const QString folder = QDir::home().filePath(QString::fromLatin1(kUserWorkingFolderName));
  if (!QDir().mkpath(folder)) {
    report(QStringLiteral("the working folder %1 cannot be created").arg(folder));
    return {};
  }
  for (const char* table : kTables) {
    const QString name = QString::fromLatin1(table);
    const QString target = QDir(folder).filePath(name);
    if (QFileInfo::exists(target)) continue;
    if (!copyTable(installed.filePath(name), target)) return {};
    report(QStringLiteral("%1 copied from %2 to %3").arg(name, installed.path(), folder));
  }
  if (!QDir::setCurrent(folder)) {
    report(QStringLiteral("the working folder %1 cannot be entered").arg(folder));
    return {};
  }
  return folder;
}

}  // namespace palvane
