#include "palvane/forms/run_texts.h"

#include <QStringList>

#include "palvane/forms/form_controls.h"

namespace palvane {

QString runDescription(const TubeSetup& settings) {
  QStringList filters;
  if (settings.molybdenum > 0.0) filters << QStringLiteral("Mo");
  if (settings.rhodium > 0.0) filters << QStringLiteral("Rh");
  QString materials =
      settings.target == Target::kMolybdenum ? QStringLiteral("Mo") : QStringLiteral("W");
  if (!filters.isEmpty()) materials += QLatin1Char('/') + filters.join(QLatin1Char('+'));
  return shortestText(settings.tubeVoltage) + QStringLiteral(" kV, ") + materials;
}

}  // namespace palvane
