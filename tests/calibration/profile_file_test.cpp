#include "calibration/profile_file.h"

#include <gtest/gtest.h>

#include "text_files/file_error.h"
#include "text_files/scratch_directory.h"

namespace calibration {
namespace {

using palvane::FileError;
using palvane::Target;

// A molybdenum-target set-up at 28 kV: angles, beryllium, aluminium, Mo and Rh filters.
palvane::TubeSetup setup(double theta, double phi, double be, double al, double mo, double rh) {
  palvane::TubeSetup made;
  made.tubeVoltage = 28;
  made.targetAngle = theta;
  made.tiltAngle = phi;
  made.beryllium = be;
  made.aluminium = al;
  made.molybdenum = mo;
  made.rhodium = rh;
  return made;
}

TubeProfile roomTwo() {
  TubeProfile profile;
  profile.name = "Room 2 Mo";
  FilterCalibration rhodium;
  rhodium.filters = {{"rh", 0.025}};
  rhodium.beryllium = 1;
  rhodium.targetAngle = 22;
  rhodium.date = "2026-12-01";
  rhodium.aluminium = 0.177488;
  rhodium.pairs = {{{28, 0.34}, 0.33966}};
  profile.filters.push_back(rhodium);
  OutputMeasurement output;
  output.output = {80, 60};
  output.setup = setup(22, 0, 1, 0.18, 0, 0.025);
  output.date = "2026-12-02";
  profile.output = output;
  HeelCalibration heel;
  heel.filter = "rh";
  heel.tubeVoltage = 28;
  heel.points = {{30, 0.95, 0.951}, {90, 0.8, std::nullopt}};
  heel.targetAngle = 8.04;
  profile.heel = heel;
  return profile;
}

TEST(ProfileFile, WrittenProfileReadsBack) {
  const ScratchDirectory scratch;
  writeProfileFile(scratch.path() / "room2.txt", roomTwo());
  EXPECT_EQ(scratch.read("room2.txt"),
            "# palvane tube profile\nformat = 2\nname = Room 2 Mo\ntarget = mo\n"
            "\nfilter = rh\nfilter_thickness = 0.025\nberyllium = 1\ntarget_angle = 22\n"
            "tilt_angle = 0\ndate = 2026-12-01\naluminium = 0.177488\naluminium_b2f = 0.18\n"
            "hvl = 28 0.34 0.3397 -0.10\n"
            "\noutput_kerma = 80\noutput_distance = 60\noutput_date = 2026-12-02\n"
            "output_tube_voltage = 28\noutput_target_angle = 22\noutput_tilt_angle = 0\n"
            "output_beryllium = 1\noutput_aluminium = 0.18\noutput_molybdenum = 0\n"
            "output_rhodium = 0.025\n"
            "\nheel_filter = rh\nheel_tube_voltage = 28\nheel_point = 30 0.95 0.951 +0.11\n"
            "heel_point = 90 0.8\nheel_target_angle = 08.0\n");
  const TubeProfile back = readProfileFile(scratch.path() / "room2.txt");
  EXPECT_EQ(back.name, "Room 2 Mo");
  ASSERT_NE(back.filterCalibration("rh"), nullptr);
  EXPECT_EQ(back.filterCalibration("mo"), nullptr);
  const FilterCalibration& fit = *back.filterCalibration("rh");
  EXPECT_EQ(fit.aluminium, 0.177488);
  EXPECT_EQ(fit.pairs.at(0).modelHvl, 0.3397);
  EXPECT_TRUE(fit.madeFor(setup(22, 0, 1, 0.3, 0, 0.025)));
  EXPECT_FALSE(fit.madeFor(setup(22, 1, 1, 0.3, 0, 0.025)));  // another tilt
  EXPECT_FALSE(fit.madeFor(setup(22, 0, 1, 0.3, 0.03, 0)));   // another filter
  ASSERT_TRUE(back.output);
  EXPECT_EQ(back.output->setup.rhodium, 0.025);
  EXPECT_EQ(back.output->setup.tubeVoltage, 28.0);
  ASSERT_TRUE(back.heel);
  EXPECT_EQ(back.heel->targetAngle, 8.0);
  EXPECT_EQ(back.heel->points.size(), 2u);
  EXPECT_EQ(proposedFileName(back), "Room_2_Mo.txt");
}

TEST(ProfileFile, AnAddedFilterHasAFitOfItsOwnInFormatThree) {
  // W/Ag fitted through a 2.4 mm PMMA plate, and the output measured with the silver.
  palvane::TubeSetup silver = setup(16, 0, 0.5, 0.4, 0, 0);
  silver.target = Target::kTungsten;
  silver.addedFilters = {{"ag", 0.05}};
  silver.plate = palvane::AddedLayer{"pmma", 2.4};
  TubeProfile profile;
  profile.target = Target::kTungsten;
  FilterCalibration fit = FilterCalibration::madeWith(silver);
  fit.aluminium = 0.41;
  profile.setFilterCalibration(fit);
  profile.output = OutputMeasurement{{80, 60}, silver, ""};
  const ScratchDirectory scratch;
  writeProfileFile(scratch.path() / "wag.txt", profile);
  EXPECT_EQ(scratch.read("wag.txt"),
            "# palvane tube profile\nformat = 3\ntarget = w\n"
            "\nfilter = ag\nfilter_thickness = 0.05\nberyllium = 0.5\ntarget_angle = 16\n"
            "tilt_angle = 0\nplate = pmma 2.4\naluminium = 0.41\naluminium_b2f = 0.41\n"
            "\noutput_kerma = 80\noutput_distance = 60\noutput_tube_voltage = 28\n"
            "output_target_angle = 16\noutput_tilt_angle = 0\noutput_beryllium = 0.5\n"
            "output_aluminium = 0.4\noutput_molybdenum = 0\noutput_rhodium = 0\n"
            "output_filter = ag 0.05\noutput_plate = pmma 2.4\n");
  const TubeProfile back = readProfileFile(scratch.path() / "wag.txt");
  EXPECT_EQ(back.filterCalibration("none"), nullptr);
  ASSERT_NE(back.filterCalibration("ag"), nullptr);
  const FilterCalibration& read = *back.filterCalibration("ag");
  silver.plate.reset();  // the plate is modelled, not a filter of the tube
  EXPECT_TRUE(read.madeFor(silver));
  EXPECT_EQ(setupName(back.target, read.filters), "W/Ag");
  silver.addedFilters = {{"ag", 0.1}};
  EXPECT_FALSE(read.madeFor(silver));
  silver.addedFilters = {{"al", 0.05}};
  EXPECT_FALSE(read.madeFor(silver));
  ASSERT_TRUE(back.output);
  silver.addedFilters = {{"ag", 0.05}};
  silver.plate = palvane::AddedLayer{"pmma", 2.4};
  EXPECT_EQ(back.output->setup, silver);
}

TEST(ProfileFile, FormatOneFilesReadAsOneFit) {
  const ScratchDirectory scratch;
  scratch.write("old.cal",
                "\r\n  # room 2\r\ntarget=w   # W/Rh\r\naluminium = 0.101\r\nhvl =  28   0.31 "
                "\r\noutput_kerma = 120\r\noutput_distance = 50\r\n");
  const TubeProfile old = readProfileFile(scratch.path() / "old.cal");
  EXPECT_EQ(old.format, 1);
  EXPECT_EQ(old.target, Target::kTungsten);
  ASSERT_EQ(old.filters.size(), 1u);
  EXPECT_EQ(old.filters[0].aluminium, 0.101);
  EXPECT_EQ(old.filters[0].pairs.at(0).measured.tubeVoltage, 28.0);
  ASSERT_TRUE(old.output);
  EXPECT_EQ(old.output->output.distance, 50.0);

  // Loaded with a form's settings, the fit and the output become theirs; a later format's
  // settings are never replaced.
  palvane::TubeSetup form = setup(16, 4, 0.8, 0.1, 0, 0.05);
  form.target = Target::kTungsten;
  TubeProfile adopted = old;
  adoptFirstFormatSettings(adopted, form);
  EXPECT_TRUE(adopted.filters[0].madeFor(form));
  EXPECT_EQ(adopted.filters[0].aluminium, 0.101);
  EXPECT_EQ(adopted.output->setup, form);
  TubeProfile later = roomTwo();
  adoptFirstFormatSettings(later, form);
  EXPECT_EQ(later.output->setup, roomTwo().output->setup);
}

TEST(ProfileFile, HeelRefitsTheAluminiumOnlyWithPairsOfTheSameOtherSettings) {
  const TubeProfile profile = roomTwo();
  // The rhodium fit's settings at another angle: its pairs serve.
  const std::vector<HvlPair> pairs = heelRefitPairs(profile, setup(14, 0, 1, 0.18, 0, 0.025));
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].hvl, 0.34);
  EXPECT_TRUE(heelRefitPairs(profile, setup(14, 0, 0.8, 0.18, 0, 0.025)).empty());  // beryllium
  EXPECT_TRUE(heelRefitPairs(profile, setup(22, 0, 1, 0.18, 0.03, 0)).empty());     // filter
  palvane::TubeSetup tungsten = setup(22, 0, 1, 0.18, 0, 0.025);
  tungsten.target = Target::kTungsten;
  EXPECT_TRUE(heelRefitPairs(profile, tungsten).empty());
}

TEST(ProfileFile, MalformedFilesAreReportedWithFileAndLine) {
  const ScratchDirectory scratch;
  const std::string head = "format = 2\ntarget = mo\n";
  const std::string block =
      "filter = mo\nfilter_thickness = 0.03\nberyllium = 1\n"
      "target_angle = 22\ntilt_angle = 0\n";
  const struct {
    std::string text;
    const char* where;
  } bad[] = {
      {"target = mo\nhvl = 28\n", "line 2"},
      {"target = mo\nhvl = 28 0\n", "line 2"},
      {"target = mo\nhvl = 55 0.3\n", "line 2"},
      {"target = cu\n", "line 1"},
      {"target = mo\ntarget = w\n", "line 2"},
      {"target = mo\ncolour = red\n", "line 2"},
      {"target = mo\noutput_kerma = 120\n", "line 2"},
      {"target = mo\noutput_kerma = 120\noutput_distance = 5\n", "line 3"},
      {"target = mo\nname = x\n", "line 2"},
      {"target = mo\nhvl = 25 0.3\nhvl = 28 0.3\nhvl = 30 0.3\nhvl = 35 0.4\n", "line 5"},
      {"target mo\n", "line 1"},
      {"format = 4\ntarget = mo\n", "line 1"},
      {head + "filter = ag+rh\n", "line 3"},  // the tube's filters come first
      {head + "filter = mo+ag\nfilter_thickness = 0.03\n", "line 4"},  // one per filter
      {head + block + "output_filter = ag -1\n", "line 8"},
      {"target = mo\nformat = 2\n", "line 2"},
      {head + "aluminium = 0.1\n", "line 3"},
      {head + "filter = mo\nberyllium = 1\nfilter = rh\n", "line 5"},  // truncated block
      {head + block + "filter = mo\n", "line 8"},
      {head + block + "output_kerma = 80\noutput_distance = 60\n", "line 9"},  // no settings
      {head + block + "heel_filter = mo\nheel_tube_voltage = 28\nheel_point = 30 1.6\n", "line 10"},
      {head + block + "heel_filter = mo\nheel_tube_voltage = 28\nheel_point = 160 0.9\n",
       "line 10"},
  };
  for (const auto& file : bad) {
    scratch.write("bad.cal", file.text);
    try {
      readProfileFile(scratch.path() / "bad.cal");
      ADD_FAILURE() << "read: " << file.text;
    } catch (const FileError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("bad.cal, " + std::string(file.where) + ":"), std::string::npos)
          << message;
    }
  }
  EXPECT_THROW(readProfileFile(scratch.path() / "missing.cal"), FileError);
}

}  // namespace
}  // namespace calibration
