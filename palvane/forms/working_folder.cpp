#include "palvane/forms/working_folder.h"

#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "palvane/state/table_loading.h"

namespace palvane {

namespace {

constexpr const char* kTables[] = {kCoefficientTableFile, kStoppingPowerTableFile};

void report(const QString& text) {
  std::fprintf(stderr, "palvane: %s\n", text.toLocal8Bit().constData());
}

QString installedTablesFolder() {
  return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                         QStringLiteral("/../share/palvane"));
}

// Copies through a temporary name, so that the folder never holds half a table.
bool copyTable(const QString& from, const QString& to) {
  const QString partial = to + QStringLiteral(".part");
  QFile::remove(partial);
  if (QFile::copy(from, partial) && QFile::rename(partial, to)) return true;
  QFile::remove(partial);
  report(QStringLiteral("%1 cannot be copied to %2").arg(from, to));
  return false;
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
