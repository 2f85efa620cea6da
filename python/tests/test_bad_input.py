"""Bad input gives a Python exception naming what is wrong, never a crash or a half file."""

import math
import random
import shutil

import numpy as np
import pytest

import palvane
from conftest import DATA

ODD_VALUES = [math.nan, math.inf, -math.inf, -1e-9, -5, 0, 1e-300, 19.99, 20, 50, 50.04,
              90, 90.5, 1e6, 1e308, "30", None, True, [1.0], 2**70]


def test_a_fuzz_of_settings_and_points(tables):
    chooser = random.Random(24)
    names = palvane._core.SETTING_KEYWORDS  # from the set-up's own table of settings
    for _ in range(300):
        keyword = chooser.choice(names)
        value = chooser.choice(ODD_VALUES)
        try:
            setup = palvane.TubeSetup(target=chooser.choice(["mo", "w"]), **{keyword: value})
        except palvane.SetupError as error:
            assert str(error).startswith(keyword.rsplit("_", 1)[0] + " ")
            continue
        except TypeError as error:
            assert keyword in str(error)
            continue
        x_mm, y_mm = chooser.choice(ODD_VALUES[:12]), chooser.choice(ODD_VALUES[:12])
        try:
            field = palvane.field(setup, tables)
            assert all(np.isfinite(m).all() for m in (field.energy_fluence, field.air_kerma,
                                                      field.hvl))
            point = palvane.spectrum_at(setup, x_mm, y_mm, tables)
            assert math.isfinite(point.hvl1_mm) and math.isfinite(point.relative_air_kerma)
        except palvane.ModelError as error:
            assert str(error)


def test_wrong_arguments_are_named():
    with pytest.raises(palvane.SetupError, match="target 'tungsten'"):
        palvane.TubeSetup(target="tungsten")
    with pytest.raises(TypeError, match="tube_voltage"):
        palvane.TubeSetup(tube_voltage=30)
    with pytest.raises(palvane.ModelError, match="y_mm -101"):
        palvane.spectrum_at(palvane.TubeSetup(), 0, -101)
    with pytest.raises(palvane.ModelError, match=r"\(148, 0\) mm lies at or beyond the heel"):
        palvane.spectrum_at(palvane.TubeSetup(target_angle_deg=5, tilt_angle_deg=0), 148, 0)
    with pytest.raises(TypeError):
        palvane.field("mo 28 kV")


def test_damaged_tables_and_unwritable_folders(tmp_path, tables):
    shutil.copy(DATA / "Mo-STP.dat", tmp_path)
    lines = (DATA / "MUs3.dat").read_bytes().split(b"\n")
    (tmp_path / "MUs3.dat").write_bytes(b"\n".join(lines[:11] + [b" 2.4 x"] + lines[12:]))
    with pytest.raises(palvane.ModelError, match=r"MUs3.dat, line 12"):
        palvane.Tables(tmp_path)
    with pytest.raises(palvane.ModelError, match="MUs3.dat"):
        palvane.Tables(tmp_path / "nothing")
    # A folder that cannot take Result.dat keeps what it had: no file is half written.
    field = palvane.field(palvane.TubeSetup(), tables)
    (tmp_path / "out").mkdir()
    (tmp_path / "out" / "Result.dat").mkdir()
    with pytest.raises(palvane.FileError, match="Result.dat"):
        field.write_engine_files(tmp_path / "out")
    assert (tmp_path / "out" / "Result.dat").is_dir()
