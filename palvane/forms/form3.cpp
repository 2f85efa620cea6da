#include "palvane/forms/form3.h"

#include <QPushButton>

#include "palvane/forms/drawings.h"
#include "palvane/forms/form_controls.h"
#include "palvane/forms/screen_fit.h"
#include "palvane/forms/twips.h"

namespace palvane {

Form3::Form3(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("Palvane"));
  setClientSize(*this, 8160, 3840);
  addPicture(*this, QStringLiteral("Picture1"), targetAnglePicture, 240, 240, 3600, 2700);
  addPicture(*this, QStringLiteral("Picture2"), tiltAnglePicture, 4320, 240, 3600, 2700);
  QPushButton* close =
      addButton(*this, QStringLiteral("Command1"), QStringLiteral("Close"), 3240, 3120, 1680, 495);
  connect(close, &QPushButton::clicked, this, &Form3::Command1_Click);
  fitToScreen(*this);
}

void Form3::Command1_Click() { hide(); }

}  // namespace palvane
