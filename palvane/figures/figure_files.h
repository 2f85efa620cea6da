#pragma once

#include <functional>

#include <QByteArray>
#include <QSize>
#include <QString>

class QPainter;

namespace palvane {

// Writes the bytes through the project's one write-then-rename writer (ReplacementFile),
// so that `file` is the old one or the whole new one. Throws FileError naming the file and
// the system's reason when it cannot be written, and when there are no bytes (an image
// that could not be encoded).
void replaceFileBytes(const QString& file, const QByteArray& bytes);

// Paints a figure of `size` logical pixels.
using FigurePainter = std::function<void(QPainter&)>;

// The figure as a PNG image at twice the logical size (device-pixel ratio 2), on white.
QByteArray figurePng(QSize size, const FigurePainter& paint);
// The figure as SVG drawn by Qt's SVG generator, `size` units wide and high.
QByteArray figureSvg(QSize size, const QString& title, const FigurePainter& paint);

// Writes <folder>/<stem>.png and <folder>/<stem>.svg. Throws FileError naming the file.
void saveFigure(const QString& folder, const QString& stem, QSize size, const QString& title,
                const FigurePainter& paint);

}  // namespace palvane
