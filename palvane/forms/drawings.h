#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace palvane {

// The pictures of the forms, drawn as vectors at the size they are shown.

// Exit symbol of the picture buttons: an open door with an arrow leaving through it.
QIcon exitIcon();

// Side view of the tube head: electrons from the cathode hit the target face at the focal
// spot; the target angle theta lies between the target face and the central ray.
QPixmap targetAnglePicture(QSize size);

// The tube tilted by phi: its central ray leans toward the anode side, the perpendicular
// from the focal spot meets the image plane 65 cm below at the reference point, and the
// X axis runs from there along the anode-cathode axis to the heel side.
QPixmap tiltAnglePicture(QSize size);

// Top view of the computed field: 15 cm along the anode-cathode axis (X) from the reference
// point, 10 cm to either side (Y), in steps of 2 mm.
QPixmap fieldPlanPicture(QSize size);

// A small X-ray tube with its beam, the decoration of the spectrum form.
QPixmap tubePicture(QSize size);

}  // namespace palvane
