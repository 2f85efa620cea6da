// The display form's two heavy events, each from the handler to the repainted picture:
// Draw (3 876 cells, mirrored, and the profile) and a click's point spectrum.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "palvane/forms/form1.h"
#include "palvane/forms/form2.h"
#include "palvane/forms/forms.h"
#include "palvane/forms/picture_box.h"
#include "palvane/state/shared_state.h"
#include "test_paths.h"

namespace {

palvane::PictureBox& picture(palvane::Form1& form, const char* name) {
  return *form.findChild<palvane::PictureBox*>(QString::fromLatin1(name));
}

// A map with values across the whole colour scale.
void fillMaps() {
  palvane::SharedState& shared = palvane::state();
  for (int i = 1; i <= palvane::kLastMapColumn; ++i) {
    for (int j = 1; j <= palvane::kLastMapRow; ++j) {
      shared.FluenceMap[i][j] = 1.25 - 0.006 * i - 0.002 * j;
    }
  }
}

void BM_Form1Draw(benchmark::State& state) {
  palvane::Form1& form = *palvane::form1();
  form.show();
  fillMaps();
  for (auto _ : state) {
    form.Command1_Click();
    picture(form, "Picture2").repaint();
    picture(form, "Picture1").repaint();
  }
}
BENCHMARK(BM_Form1Draw)->Unit(benchmark::kMillisecond);

// A click on the map of a 50 kV tube, for each target.
void BM_Form1PointSpectrum(benchmark::State& state) {
  palvane::Form2& form2 = *palvane::form2();
  form2.setTubeVoltage("50");
  palvane::state().TargetType = static_cast<int>(state.range(0));
  form2.Command1_Click();  // the beam-axis peak, the normaliser of the click
  palvane::Form1& form = *palvane::form1();
  form.show();
  fillMaps();
  form.Command1_Click();
  for (auto _ : state) {
    form.Picture2_MouseDown(100, 50);
    picture(form, "Picture3").repaint();
  }
}
BENCHMARK(BM_Form1PointSpectrum)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  // The forms work in a directory holding the tables, as the program does.
  QTemporaryDir directory;
  const QDir data(QString::fromUtf8(testpaths::kDataDir));
  for (const char* table : {"MUs3.dat", "Mo-STP.dat"}) {
    QFile::copy(data.filePath(table), directory.filePath(table));
  }
  QDir::setCurrent(directory.path());
  if (!palvane::form2()->tablesLoaded()) return EXIT_FAILURE;

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return EXIT_SUCCESS;
}
