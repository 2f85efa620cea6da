// The engine button of the spectrum form: hand the settings to the engine of the chosen
// target and start it in its own console window.

#include <QApplication>

#include "palvane/forms/form2.h"
#include "palvane/forms/message_box.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/shared_state.h"
#include "text_files/file_error.h"

namespace palvane {

void Form2::Command7_Click() {
  // The engine must compute what the graph and B_SPCTL.dat show: settings changed since
  // the last drawing are drawn first, and a refused drawing starts nothing.
  if (!showsDrawnSettings() && !drawSpectrum()) return;
  const int targetType = state().TargetType;
  try {
    WriteParameterFile(targetType, *this);
  } catch (const FileError& error) {
    showWarning(this, QString::fromStdString(error.what()));
    return;
  }
  // Let the form repaint before the engine's window appears.
  QApplication::processEvents();
  startEngineRun(targetType == 0 ? QStringLiteral("dornic") : QStringLiteral("vessick"));
}

}  // namespace palvane
