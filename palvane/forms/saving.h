#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include <QDateTime>
#include <QImage>
#include <QString>

#include "palvane/physics/exports.h"

class QWidget;

namespace palvane {

// The save actions of the forms: pictures as PNG files and the exports of the core, into
// a folder the user picks.

// Writes the image as a PNG file through a temporary file in the same folder that is
// renamed over `file` once complete, so that `file` is the old one or the whole new one.
// Throws FileError naming the file when it cannot be written.
void savePng(const QImage& image, const QString& file);

// The file `name` in `folder`, as a path for the CSV writers.
std::filesystem::path exportPath(const QString& folder, const QString& name);

// What the exports of a save at `when` state first: the program with its version, the
// date and time, and the reference values of the engine run when results are shown.
ExportStamp exportStamp(const QDateTime& when, std::optional<EngineReferences> references);

// Makes a new folder for a saved set inside `parent`, named `name`, or name_2, name_3, ...
// when that is taken (never an existing one); returns its path. Throws FileError naming it
// when it cannot be made.
QString makeSetFolder(const QString& parent, const QString& name);

// Asks the user for the folder to save into, starting in the folder chosen last (also at
// an earlier start); empty when the dialog is cancelled.
QString askSaveFolder(QWidget* parent);

// Runs the writes of one save. The first FileError stops them and is shown in a message
// box, whose text names the file. Returns whether every write was done.
bool saveReportingErrors(QWidget* parent, const std::function<void()>& writes);

}  // namespace palvane
