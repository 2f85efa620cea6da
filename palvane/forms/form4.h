#pragma once

#include <QWidget>

namespace palvane {

// The title form: what the program studies, the geometry schematic, the way back to the
// spectrum form and the end of the program.
class Form4 : public QWidget {
  Q_OBJECT

 public:
  explicit Form4(QWidget* parent = nullptr);

  void Command1_Click();  // Let's start: back to the spectrum form
  void Command4_Click();  // bye bye: end the program at once
};

}  // namespace palvane
