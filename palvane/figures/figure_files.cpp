#include "palvane/figures/figure_files.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "text_files/file_error.h"

namespace palvane {

namespace {

constexpr qreal kPngPixelRatio = 2.0;

}  // namespace

void writeFileAtomically(const QString& file, const QByteArray& bytes) {
  // QSaveFile writes to a temporary file beside the target and renames it on commit; a
  // failed write discards the temporary file and leaves the target as it was.
  QSaveFile out(file);
  const bool written = !bytes.isEmpty() && out.open(QIODevice::WriteOnly) &&
                       out.write(bytes) == bytes.size() && out.commit();
  if (!written) {
    const QString reason = out.errorString().isEmpty() || bytes.isEmpty()
                               ? QStringLiteral("nothing to write")
                               : out.errorString();
    throw FileError(QDir::toNativeSeparators(file).toStdString() + ": cannot be written (" +
                    reason.toStdString() + ")");
  }
}

QByteArray figurePng(QSize size, const FigurePainter& paint) {
  QImage image(size * kPngPixelRatio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(kPngPixelRatio);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paint(painter);
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

QByteArray figureSvg(QSize size, const QString& title, const FigurePainter& paint) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(title);
  {
    QPainter painter(&generator);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
  }
  return bytes;
}

void saveFigure(const QString& folder, const QString& stem, QSize size, const QString& title,
                const FigurePainter& paint) {
  const QDir directory(folder);
  writeFileAtomically(directory.filePath(stem + QStringLiteral(".png")), figurePng(size, paint));
  writeFileAtomically(directory.filePath(stem + QStringLiteral(".svg")),
                      figureSvg(size, title, paint));
}

}  // namespace palvane
