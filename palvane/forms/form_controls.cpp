#include "palvane/forms/form_controls.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

#include "palvane/forms/drawings.h"
#include "palvane/forms/translated_text.h"
#include "palvane/forms/twips.h"
#include "text_files/number_text.h"

namespace palvane {

QString formatted(double value, const char* pattern) {
  return QString::fromStdString(PatternFormat(value, pattern));
}

QString shortestText(double value) { return QString::fromStdString(ShortestText(value)); }

QLabel* addLabel(QWidget& parent, const QString& name, const QString& text, int left, int top,
                 int width, int height) {
  auto* label = new QLabel(text, &parent);
  label->setObjectName(name);
  placeAt(*label, left, top, width, height);
  return label;
}

QLabel* addTranslatedLabel(QWidget& parent, const QString& name, const char* source, int left,
                           int top, int width, int height) {
  QLabel* label = addLabel(parent, name, QString(), left, top, width, height);
  showTranslatedText(*label, source);
  return label;
}

QPushButton* addTranslatedButton(QWidget& parent, const QString& name, const char* source, int left,
                                 int top, int width, int height) {
  QPushButton* button = addButton(parent, name, QString(), left, top, width, height);
  showTranslatedText(*button, source);
  return button;
}

namespace {

// A static picture drawn at the size of the control, and again when that size or the
// language (the pictures carry labels) changes.
class DrawnPicture : public QLabel {
 public:
  DrawnPicture(QPixmap (*draw)(QSize), QWidget& parent) : QLabel(&parent), draw_(draw) {
    setFrameShape(QFrame::Box);
  }

  void redrawAtSize() {
    const QSize size = contentsRect().size();
    if (pixmap().size() != size) setPixmap(draw_(size));
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QLabel::resizeEvent(event);
    redrawAtSize();
  }

  void changeEvent(QEvent* event) override {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) setPixmap(draw_(contentsRect().size()));
  }

 private:
  QPixmap (*draw_)(QSize);
};

}  // namespace

QLabel* addPicture(QWidget& parent, const QString& name, QPixmap (*draw)(QSize), int left, int top,
                   int width, int height) {
  auto* picture = new DrawnPicture(draw, parent);
  picture->setObjectName(name);
  placeAt(*picture, left, top, width, height);
  picture->redrawAtSize();
  return picture;
}

QLabel* addBeamQualityReadout(QWidget& parent, const QString& caption, int left, int top, int width,
                              int lines) {
  constexpr int kLineHeight = 285;  // twips per line of the default font, with spacing
  addLabel(parent, QStringLiteral("BeamQualityCaption"), caption, left, top, width, kLineHeight);
  QLabel* readout = addLabel(parent, QStringLiteral("BeamQualityLabel"), QString(), left,
                             top + kLineHeight + 60, width, lines * kLineHeight);
  readout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  readout->setFrameShape(QFrame::Panel);
  readout->setFrameShadow(QFrame::Sunken);
  return readout;
}

void showLines(QLabel& label, const std::vector<std::string>& lines) {
  QStringList texts;
  for (const std::string& line : lines) texts << QString::fromStdString(line);
  label.setText(texts.join(QLatin1Char('\n')));
}

QPushButton* addButton(QWidget& parent, const QString& name, const QString& caption, int left,
                       int top, int width, int height) {
  auto* button = new QPushButton(caption, &parent);
  button->setObjectName(name);
  placeAt(*button, left, top, width, height);
  return button;
}

QLineEdit* addTextBox(QWidget& parent, const QString& name, int left, int top, int width,
                      int height) {
  auto* box = new QLineEdit(&parent);
  box->setObjectName(name);
  placeAt(*box, left, top, width, height);
  return box;
}

QComboBox* addComboBox(QWidget& parent, const QString& name, const QStringList& items, int left,
                       int top, int width, int height) {
  auto* box = new QComboBox(&parent);
  box->setObjectName(name);
  box->setEditable(true);
  // Typed values are used as they are, never added to the list.
  box->setInsertPolicy(QComboBox::NoInsert);
  box->addItems(items);
  placeAt(*box, left, top, width, height);
  return box;
}

QFrame* addPanel(QWidget& parent, const QString& name, QColor colour, int left, int top, int width,
                 int height) {
  auto* panel = new QFrame(&parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, colour);
  panel->setPalette(palette);
  panel->setAutoFillBackground(true);
  placeAt(*panel, left, top, width, height);
  return panel;
}

QPushButton* addByeByeButton(QWidget& parent, const QString& name, const char* destination,
                             int left, int top, int width, int height) {
  QPushButton* button = addButton(parent, name, QString(), left, top, width, height);
  // The same text in Japanese; in English it says where the button leads.
  const auto showToolTip = [button, destination] {
    button->setToolTip(QCoreApplication::translate(kTextContext, kByeByeToolTip, destination));
  };
  showToolTip();
  onLanguageChange(*button, showToolTip);
  button->setIcon(exitIcon());
  const int side = qMax(8, qMin(button->width(), button->height()) - 8);
  button->setIconSize(QSize(side, side));
  return button;
}

}  // namespace palvane
