#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace palvane {

// Builders of the controls of the forms: each creates a child of parent with the given
// object name (the control's name, which tests look up), placed in twips.

// A number in one of the display patterns ("0.000", "#0.00"), as the boxes show it.
QString formatted(double value, const char* pattern);
// A number in its shortest text, as typed: "30", "0.8", "0.025".
QString shortestText(double value);

QLabel* addLabel(QWidget& parent, const QString& name, const QString& text, int left, int top,
                 int width, int height);
QPushButton* addButton(QWidget& parent, const QString& name, const QString& caption, int left,
                       int top, int width, int height);
// A label or button whose text is the translation of `source` (marked with
// QT_TRANSLATE_NOOP, see translated_text.h), following every change of language.
QLabel* addTranslatedLabel(QWidget& parent, const QString& name, const char* source, int left,
                           int top, int width, int height);
QPushButton* addTranslatedButton(QWidget& parent, const QString& name, const char* source, int left,
                                 int top, int width, int height);
QLineEdit* addTextBox(QWidget& parent, const QString& name, int left, int top, int width,
                      int height);
// An editable combo box holding the given list.
QComboBox* addComboBox(QWidget& parent, const QString& name, const QStringList& items, int left,
                       int top, int width, int height);
// A plain coloured area behind other controls.
QFrame* addPanel(QWidget& parent, const QString& name, QColor colour, int left, int top, int width,
                 int height);
// The picture button that leaves a form: an exit symbol and the tool tip " bye bye ", in
// English the plain meaning of `destination` (one of the kByeBye... below).
QPushButton* addByeByeButton(QWidget& parent, const QString& name, const char* destination,
                             int left, int top, int width, int height);

// A static picture, drawn at the size of the control, and drawn again in the language
// chosen when it changes (the pictures carry labels).
QLabel* addPicture(QWidget& parent, const QString& name, QPixmap (*draw)(QSize), int left, int top,
                   int width, int height);

// The beam-quality read-out beside a spectrum graph: a caption, and below it the label
// BeamQualityLabel (top-left aligned, `lines` lines high) that showLines fills.
QLabel* addBeamQualityReadout(QWidget& parent, const QString& caption, int left, int top, int width,
                              int lines);
// Puts one text per line into the label (an empty list empties it).
void showLines(QLabel& label, const std::vector<std::string>& lines);

// The tool tip of every picture button that leaves a form.
inline constexpr char kByeByeToolTip[] = " bye bye ";
// Where each of them leads, which tells their English tool tips apart.
inline constexpr char kByeByeToTitleForm[] = "to the title form";
inline constexpr char kByeByeToSpectrumForm[] = "to the spectrum form";
inline constexpr char kByeByeQuits[] = "quit";

}  // namespace palvane
