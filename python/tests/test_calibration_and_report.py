"""The aluminium fit, palvane's calibration files and the report CSVs."""

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


def test_a_calibration_file_of_palvane_round_trips(tmp_path):
    # The file as palvane's calibration panel saves it (README).
    file = tmp_path / "room1.txt"
    file.write_text("target = mo\naluminium = 0.177488\nhvl = 28 0.34\n"
                    "output_kerma = 100\noutput_distance = 50\n")
    record = palvane.read_calibration(file)
    assert (record.target, record.aluminium_mm, record.hvl_pairs, record.output) == \
        ("mo", 0.177488, [(28.0, 0.34)], (100.0, 50.0))
    # 100 uGy/mAs at 50 cm is 100 (50/65)^2 = 59.17 at the reference point, 65 cm.
    assert palvane.absolute_air_kerma(record, [1, 0.5]) == pytest.approx([59.172, 29.586],
                                                                          abs=1e-3)
    palvane.write_calibration(tmp_path / "again.txt", record)
    assert (tmp_path / "again.txt").read_text().endswith(file.read_text())
    applied = palvane.apply_calibration(palvane.TubeSetup(aluminium_mm=1), record)
    assert applied.aluminium_mm == 0.177488
    with pytest.raises(palvane.SetupError, match="for the mo target"):
        palvane.apply_calibration(palvane.TubeSetup(target="w"), record)
    file.write_text("target = mo\nhvl = 28 x\n")
    with pytest.raises(palvane.FileError, match="room1.txt.*line 2"):
        palvane.read_calibration(file)


def test_report_set_holds_the_forms_files(tables, tmp_path):
    setup = palvane.TubeSetup(**MO_RH_28)
    field = palvane.field(setup, tables)
    record = palvane.CalibrationRecord()
    record.output = (100.0, 65.0)
    names = palvane.write_report(field, tmp_path, [(100, 20)], record, tables)
    assert sorted(p.name for p in tmp_path.iterdir()) == sorted(names)
    assert "spectrum_point_1.csv" in names and "map_hvl.csv" in names
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
