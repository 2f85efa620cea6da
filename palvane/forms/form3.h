#pragma once

#include <QWidget>

namespace palvane {

// The diagram of the target angle theta and the tube tilt angle phi.
class Form3 : public QWidget {
  Q_OBJECT

 public:
  explicit Form3(QWidget* parent = nullptr);

  void Command1_Click();  // Close
};

}  // namespace palvane
