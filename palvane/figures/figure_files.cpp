#include "palvane/figures/figure_files.h"

#include <string_view>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "text_files/atomic_file.h"
#include "text_files/file_error.h"

namespace palvane {

namespace {

constexpr qreal kPngPixelRatio = 2.0;

}  // namespace

void replaceFileBytes(const QString& file, const QByteArray& bytes) {
  if (bytes.isEmpty()) {
    throw FileError(QDir::toNativeSeparators(file).toStdString() +
                    ": cannot be written (nothing to write)");
  }
  replaceFileContents(QFile::encodeName(file).toStdString(),
                      std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
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
  replaceFileBytes(directory.filePath(stem + QStringLiteral(".png")), figurePng(size, paint));
  replaceFileBytes(directory.filePath(stem + QStringLiteral(".svg")),
                   figureSvg(size, title, paint));
}

}  // namespace palvane
