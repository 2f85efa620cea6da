#include "palvane/physics/study_report_set.h"

#include <gtest/gtest.h>

#include "palvane/physics/point_beam_quality.h"
#include "palvane/physics/point_spectrum.h"
#include "palvane/physics/spectrum_file.h"
#include "palvane/state/parameter_file_writer.h"
#include "palvane/state/results_loading.h"
#include "palvane/state/table_loading.h"
#include "palvane_physics/spectrum_fixture.h"
#include "test_paths.h"

namespace palvane {
namespace {

// The spectra composed from values are the ones the forms keep through the shared state:
// the beam axis read back from B_SPCTL.dat, the points relative to the peak that file
// states and to the beam axis's unrounded air kerma.
class StudySpectraTest : public SpectrumTest {
 protected:
  void SetUp() override {
    SpectrumTest::SetUp();
    tables_ = readModelTables(testpaths::kDataDir);
    static_cast<ModelTables&>(s()) = tables_;
  }

  // What the forms keep: the spectrum form's beam axis, the display form's reading of
  // B_SPCTL.dat, then a typed point.
  StudySpectra keptByTheForms(ImagePoint point) {
    const auto compute = [&] {
      return s().TargetType == 0 ? ComputePointSpectrumMo() : ComputePointSpectrumW();
    };
    s().PointMode = 0;
    EXPECT_EQ(compute(), PointSpectrumOutcome::kDrawn);
    PointBeamQualityReadout();
    FieldReader file(kSpectrumFile);
    readAxisSpectrum(file, s().AxisSpectrum, s().AxisSpectrumMax);
    StudySpectra kept{keepAxisSpectrum(), {}};
    s().PointMode = 1;
    s().PointX = point.x;
    s().PointY = point.y;
    EXPECT_EQ(compute(), PointSpectrumOutcome::kDrawn);
    PointBeamQualityReadout();
    kept.points.push_back(keepLastPointSpectrum());
    return kept;
  }

  ModelTables tables_;
};

void expectSame(const KeptSpectrum& composed, const KeptSpectrum& kept) {
  EXPECT_EQ(composed.photons, kept.photons);
  EXPECT_EQ(composed.normaliser, kept.normaliser);
  EXPECT_EQ(composed.settings.axisAirKerma, kept.settings.axisAirKerma);
  const ExportStamp stamp{"Palvane", "2026-12-08 14:32", std::nullopt, {}};
  EXPECT_EQ(spectrumCsv(composed.photons, composed.normaliser, composed.settings, stamp),
            spectrumCsv(kept.photons, kept.normaliser, kept.settings, stamp));
}

TEST_F(StudySpectraTest, AreTheSpectraTheFormsKeep) {
  for (const int target : {0, 1}) {
    s().TargetType = target;
    texts_.voltage = target == 0 ? "28" : "35";
    texts_.theta = "22";
    texts_.phi = "0";
    texts_.mo = target == 0 ? "0.03" : "0";
    texts_.rh = target == 0 ? "0" : "0.05";
    const ImagePoint point{8.02, 3.99};
    const StudySpectra kept = keptByTheForms(point);
    const StudySpectra composed =
        studySpectra(tables_, tubeSetupOf(target, texts_), std::vector<ImagePoint>{point});
    SCOPED_TRACE(target);
    expectSame(composed.axis, kept.axis);
    ASSERT_EQ(composed.points.size(), 1u);
    expectSame(composed.points[0], kept.points[0]);
  }
}

TEST_F(StudySpectraTest, RefuseAPointTheModelCannotCompute) {
  // Beyond the heel cut-off of a 10 degree target tilted by 4 degrees.
  EXPECT_THROW(studySpectra(tables_, tubeSetupOf(0, texts_), {{0.0, 0.0}, {30.0, 0.0}}),
               ExportError);
}

}  // namespace
}  // namespace palvane
