#pragma once

#include <QWidget>

namespace palvane {

// The remarks on what the computed distributions leave out.
class Form5 : public QWidget {
  Q_OBJECT

 public:
  explicit Form5(QWidget* parent = nullptr);

  void Command1_Click();  // Close
};

}  // namespace palvane
