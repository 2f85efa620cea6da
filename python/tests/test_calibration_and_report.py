"""The aluminium fit, tube profiles and the report CSVs."""

import pytest

import palvane

MO_RH_28 = dict(target="mo", tube_voltage_kv=28, target_angle_deg=22, tilt_angle_deg=0)


def test_fit_meets_a_measured_hvl_and_refuses_an_unreachable_one(tables):
    setup = palvane.TubeSetup(**MO_RH_28)
    fit = palvane.fit_aluminium(setup, [(28, 0.31)], tables)
    # README: sweep --fit-hvl 28:0.31 fits 0.101 mm and runs with 0.10 mm.
    assert fit["aluminium_mm"] == pytest.approx(0.101, abs=0.0005)
    assert fit["setup"] == setup.replace(aluminium_mm=0.10)
    assert fit["pairs"][0]["model_hvl_mm"] == pytest.approx(0.31, abs=0.001)
    with pytest.raises(palvane.FitError, match="below the model's"):
        palvane.fit_aluminium(setup, [(28, 0.05)], tables)
    with pytest.raises(palvane.FitError, match=r"hvl_pairs\[1\]: the tube voltage"):
        palvane.fit_aluminium(setup, [(28, 0.31), (60, 0.4)], tables)


def test_heel_fit_gives_back_the_engines_own_angle(tables):
    # README: the engine's heel at 18 degrees gives back 18.
    setup = palvane.TubeSetup(tube_voltage_kv=28, tilt_angle_deg=0, molybdenum_mm=0,
                              rhodium_mm=0.025)
    fit = palvane.fit_heel(setup, [(50, 0.9635), (100, 0.8909), (150, 0.7557)], (), tables)
    assert fit["target_angle_deg"] == pytest.approx(18.0)
    assert fit["setup"].target_angle_deg == pytest.approx(18.0)
    with pytest.raises(palvane.FitError, match="no target angle from 5 to 30 degrees"):
        palvane.fit_heel(setup, [(150, 1.5)], (), tables)
    with pytest.raises(palvane.FitError, match=r"heel_points\[0\]: X"):
        palvane.fit_heel(setup, [(151, 0.9)], (), tables)


# A profile as palvane saves it (the README's example).
ROOM_2 = """# palvane tube profile
format = 2
name = Room 2 Mo
target = mo

filter = rh
filter_thickness = 0.025
beryllium = 1
target_angle = 22
tilt_angle = 0
date = 2026-12-01
aluminium = 0.177488
aluminium_b2f = 0.18
hvl = 28 0.34 0.3397 -0.09

output_kerma = 80
output_distance = 60
output_date = 2026-12-02
output_tube_voltage = 28
output_target_angle = 22
output_tilt_angle = 0
output_beryllium = 1
output_aluminium = 0.18
output_molybdenum = 0
output_rhodium = 0.025

heel_filter = rh
heel_tube_voltage = 28
heel_point = 30 0.95
heel_target_angle = 18.0
"""
MO_RH_MEASURED = dict(MO_RH_28, beryllium_mm=1, molybdenum_mm=0, rhodium_mm=0.025)


def test_a_profile_of_palvane_round_trips_and_serves_its_settings(tables, tmp_path):
    file = tmp_path / "Room_2_Mo.txt"
    file.write_text(ROOM_2)
    profile = palvane.read_profile(file)
    palvane.write_profile(tmp_path / "again.txt", profile)
    assert (tmp_path / "again.txt").read_text() == ROOM_2
    setup = palvane.apply_profile(palvane.TubeSetup(**MO_RH_MEASURED, aluminium_mm=1), profile)
    assert setup.aluminium_mm == 0.18
    # At the settings of the measurement: 80 uGy/mAs at 60 cm is 80 (60/65)^2 at 65 cm.
    assert palvane.absolute_air_kerma(setup, profile, [1, 0.5], tables) == pytest.approx(
        [68.166, 34.083], abs=1e-3)
    # Elsewhere the model carries it: more air kerma at 30 kV than at 28.
    at_30 = palvane.absolute_air_kerma(setup.replace(tube_voltage_kv=30), profile, 1, tables)
    assert at_30 > 68.2
    with pytest.raises(palvane.SetupError, match="no output measured for tungsten"):
        palvane.absolute_air_kerma(palvane.TubeSetup(target="w"), profile, 1, tables)
    with pytest.raises(palvane.SetupError, match="for the molybdenum target"):
        palvane.apply_profile(palvane.TubeSetup(target="w"), profile)
    with pytest.raises(palvane.SetupError, match="Mo/Mo is not calibrated"):
        palvane.apply_profile(setup.replace(molybdenum_mm=0.03, rhodium_mm=0), profile)
    file.write_text("target = mo\naluminium = 0.177488\nhvl = 28 0.34\n")
    with pytest.raises(palvane.SetupError, match="format 1 does not state the filter"):
        palvane.apply_profile(setup, palvane.read_profile(file))
    file.write_text("target = mo\nhvl = 28 x\n")
    with pytest.raises(palvane.FileError, match="Room_2_Mo.txt.*line 2"):
        palvane.read_profile(file)


def test_a_profile_made_in_python_is_read_back(tmp_path):
    setup = palvane.TubeSetup(**MO_RH_MEASURED, aluminium_mm=0.18)
    profile = palvane.TubeProfile("Room 3", "mo")
    profile.set_filter_calibration(palvane.FilterCalibration(setup, 0.177, [(28, 0.34)]))
    profile.output = palvane.OutputMeasurement(80, 60, setup)
    palvane.write_profile(tmp_path / "room3.txt", profile)
    again = palvane.read_profile(tmp_path / "room3.txt")
    (fit,) = again.filters
    assert (fit.filter, fit.filters, fit.aluminium_mm, fit.hvl_pairs) == \
        ("rh", [("rh", 0.025)], 0.177, [(28.0, 0.34)])
    assert again.output.setup == setup
    assert palvane.apply_profile(setup, again).aluminium_mm == 0.18
    with pytest.raises(palvane.SetupError, match="distance_cm"):
        palvane.OutputMeasurement(80, 5, setup)
    # A date that would break the file's lines is refused, not written.
    with pytest.raises(palvane.SetupError, match="not a date yyyy-mm-dd"):
        palvane.FilterCalibration(setup, 0.177, [], "2026-12-01\nformat = 3")


def test_an_added_filter_has_a_fit_of_its_own(tmp_path):
    silver = palvane.TubeSetup(target="w", tube_voltage_kv=28, rhodium_mm=0,
                               filters=[("ag", 0.05)])
    profile = palvane.TubeProfile("Room 4", "w")
    profile.set_filter_calibration(palvane.FilterCalibration(silver, 0.414))
    palvane.write_profile(tmp_path / "room4.txt", profile)
    again = palvane.read_profile(tmp_path / "room4.txt")
    assert (again.format, again.filters[0].filter, again.filters[0].filters) == \
        (3, "ag", [("ag", 0.05)])
    # The plate is modelled on its own: the W/Ag fit serves a set-up with one.
    with_plate = silver.replace(plate=("pmma", 2.4))
    assert palvane.apply_profile(with_plate, again).aluminium_mm == 0.41
    with pytest.raises(palvane.SetupError, match="W/Rh is not calibrated"):
        palvane.apply_profile(silver.replace(filters=[], rhodium_mm=0.05), again)


def test_report_set_holds_the_forms_files(tables, tmp_path):
    setup = palvane.TubeSetup(**MO_RH_28)
    field = palvane.field(setup, tables)
    profile = palvane.TubeProfile(target="mo")
    profile.output = palvane.OutputMeasurement(100, 65, setup)
    names = palvane.write_report(field, tmp_path, [(100, 20)], profile, tables)
    assert sorted(p.name for p in tmp_path.iterdir()) == sorted(names)
    assert {"spectrum_point_1.csv", "map_hvl.csv", "README.txt"} <= set(names)
    # The output puts the air-kerma map on its absolute scale: 100 uGy/mAs on the axis.
    absolute_rows = (tmp_path / "map_absolute_air_kerma.csv").read_text().splitlines()
    assert next(line for line in absolute_rows if line.startswith("0,0,")).startswith("0,0,100")
    assert "Figures" not in (tmp_path / "README.txt").read_text()
    summary = (tmp_path / "summary.csv").read_text().splitlines()
    point = palvane.spectrum_at(setup, 100, 20, tables)
    # The point's row: its relative air kerma in percent and 100 uGy/mAs times it.
    assert summary[-1].startswith("spectrum_point_1.csv,100,20,")
    assert f"{100 * point.relative_air_kerma:.1f}" in summary[-1].split(",")
    absolute = float(summary[-1].split(",")[-1])
    assert absolute == pytest.approx(100 * point.relative_air_kerma, rel=1e-3)
    hvl_rows = (tmp_path / "map_hvl.csv").read_text().splitlines()
    first = next(line for line in hvl_rows if line.startswith("0,0,"))
    assert first.startswith("0,0,100")
