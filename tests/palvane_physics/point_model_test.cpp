#include <gtest/gtest.h>

#include "palvane/physics/point_beam_quality.h"
#include "palvane/physics/point_model.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/state/table_loading.h"
#include "palvane_physics/spectrum_fixture.h"
#include "test_paths.h"

namespace palvane {
namespace {

// The specified routines are adapters: a picked point's Spectrum is the pure model
// spectrum of the form's settings (through each routine's own air layer) at that point,
// computed from tables held as a value, and its read-out is that spectrum's beam quality.
TEST_F(SpectrumTest, TheRoutinesAdaptThePureModel) {
  const ModelTables tables = readModelTables(testpaths::kDataDir);
  EXPECT_EQ(tables.Pi, 3.14159);
  LoadTables(testpaths::kDataDir);
  texts_.rh = "0.025";
  const ImagePoint point{5.0, 3.0};
  for (const Target target : {Target::kMolybdenum, Target::kTungsten}) {
    s().PointMode = 0;
    ASSERT_EQ(target == Target::kMolybdenum ? ComputePointSpectrumMo() : ComputePointSpectrumW(),
              PointSpectrumOutcome::kDrawn);
    s().PointMode = 1;
    s().PointX = point.x;
    s().PointY = point.y;
    ASSERT_EQ(target == Target::kMolybdenum ? ComputePointSpectrumMo() : ComputePointSpectrumW(),
              PointSpectrumOutcome::kDrawn);

    TubeSetup setup;
    setup.target = target;
    setup.rhodium = 0.025;
    setup.airLayer = target == Target::kMolybdenum ? 50.0 : 60.0;
    const std::optional<ModelSpectrum> model = pointSpectrum(tables, setup, point);
    ASSERT_TRUE(model);
    for (int bin = 1; bin <= kLastBin; ++bin) ASSERT_EQ(s().Spectrum[bin], model->photons[bin]);
    const std::optional<BeamQuality> quality = beamQuality(tables, *model);
    ASSERT_TRUE(quality);
    EXPECT_EQ(PointBeamQuality()->firstHvl, quality->firstHvl);
  }
}

}  // namespace
}  // namespace palvane
