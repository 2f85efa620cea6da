"""The module against the engine programs and the sweep program."""

import csv
import pickle
import subprocess

import numpy as np
import pytest

import palvane
from conftest import BIN, DATA, run_engine

SETUPS = [
    dict(target="mo", tube_voltage_kv=28, target_angle_deg=22, tilt_angle_deg=0,
         molybdenum_mm=0, rhodium_mm=0.025),
    dict(target="mo", tube_voltage_kv=20, target_angle_deg=-3, tilt_angle_deg=12.34,
         beryllium_mm=1.005, aluminium_mm=0.333),
    dict(target="w", tube_voltage_kv=50, target_angle_deg=16, tilt_angle_deg=6),
    dict(target="w", tube_voltage_kv=31.45, aluminium_mm=2, rhodium_mm=0.0504),
    # W/Ag through a compression plate: the added lines of B2F.dat reach the engine.
    dict(target="w", tube_voltage_kv=28, rhodium_mm=0, filters=[("ag", 0.05)],
         plate=("pmma", 2.4)),
    # The beam axis beyond the heel cut-off: maps of zeros and no Beam_Axis.dat.
    dict(target="w", target_angle_deg=5, tilt_angle_deg=-8),
]


@pytest.mark.parametrize("settings", SETUPS)
def test_engine_files_equal_the_programs(settings, tables, tmp_path):
    # Through a pickle, as a set-up sent to another process.
    setup = pickle.loads(pickle.dumps(palvane.TubeSetup(**settings)))
    assert run_engine(setup, tmp_path / "engine").returncode == 0
    field = palvane.field(setup, tables)
    field.write_engine_files(tmp_path / "module")
    for name in ("B2F.dat", "Beam_Axis.dat", "Result.dat"):
        engine_file = tmp_path / "engine" / name
        module_file = tmp_path / "module" / name
        assert engine_file.exists() == module_file.exists(), name
        if engine_file.exists():
            assert module_file.read_bytes() == engine_file.read_bytes(), name
    assert field.result_text() == (tmp_path / "engine" / "Result.dat").read_bytes()


def test_a_voltage_the_engine_refuses_is_refused(tmp_path):
    # B2F.dat with 55 kV: the engine stops with a message and writes nothing.
    inside = palvane.TubeSetup(target="mo")
    run = run_engine(inside, tmp_path, inside.b2f_text().replace("30.0", "55.0", 1))
    assert run.returncode != 0 and not (tmp_path / "Result.dat").exists()
    with pytest.raises(palvane.SetupError, match="tube_voltage 55 kV: must lie from 20 to 50 kV"):
        palvane.TubeSetup(tube_voltage_kv=55)


def test_maps_are_laid_out_as_result_dat(tables):
    field = palvane.field(palvane.TubeSetup(tube_voltage_kv=33), tables)
    lines = field.result_text().decode().split("\r\n")
    # Lines 1, 53 and 105 hold the references; below each, one line of 76 X values per Y.
    for first, array, reference in ((0, field.energy_fluence, field.energy_fluence_reference),
                                    (52, field.air_kerma, field.air_kerma_reference),
                                    (104, field.hvl, field.hvl_reference_mm)):
        assert float(lines[first]) == pytest.approx(reference, rel=1e-4)
        written = np.array([[float(v) for v in lines[first + 1 + row].split()]
                            for row in range(51)])
        assert array.shape == written.shape == (51, 76)
        np.testing.assert_allclose(array, written, rtol=6e-4, atol=1e-9)
    # The heel side: the kerma falls with X, less with Y.
    assert field.air_kerma[0, 75] < field.air_kerma[0, 0] == 1
    full = palvane.full_map(field.hvl)
    assert full.shape == (101, 76) and palvane.Y_FULL_MM[100] == 100
    np.testing.assert_array_equal(full[50 - 7], field.hvl[7])
    np.testing.assert_array_equal(full[50 + 7], field.hvl[7])


@pytest.mark.parametrize("target", ["mo", "w"])
def test_point_spectra_agree_with_the_field(target, tables):
    setup = palvane.TubeSetup(target=target, tube_voltage_kv=35, target_angle_deg=20)
    field = palvane.field(setup, tables)
    axis = palvane.spectrum_at(setup, 0, 0, tables)
    np.testing.assert_array_equal(axis.spectrum, field.beam_axis_spectrum)
    assert axis.summary == field.beam_axis_summary
    for x_mm, y_mm in ((100, 20), (150, 100), (2, 0)):
        point = palvane.spectrum_at(setup, x_mm, y_mm, tables)
        row, column = y_mm // 2, x_mm // 2
        assert np.float32(point.relative_air_kerma) == field.air_kerma[row, column]
        assert np.float32(point.hvl1_mm / field.hvl_reference_mm) == field.hvl[row, column]
        assert point.homogeneity == pytest.approx(point.hvl1_mm / point.hvl2_mm)
        mirrored = palvane.spectrum_at(setup, x_mm, -y_mm, tables)
        np.testing.assert_array_equal(mirrored.spectrum, point.spectrum)


def test_sweep_gives_the_rows_of_the_sweep_program(tables):
    setups = palvane.combinations(target=["mo", "w"], tube_voltage_kv=[25, 50],
                                  tilt_angle_deg=[0, -20])
    records = palvane.sweep(setups, tables, threads=2, dataframe=False)
    program = subprocess.run([BIN / "sweep", "--target", "mo,w", "--kv", "25,50", "--phi",
                              "0,-20", "--tables", DATA, "--jobs", "2"],
                             capture_output=True, text=True, check=True)
    # The table opens with its '#' provenance lines and the header.
    table = [line for line in program.stdout.splitlines() if not line.startswith("#")]
    rows = list(csv.reader(table))[1:]
    assert len(rows) == len(records) == 8
    for row, record in zip(rows, records):
        values = list(record.values())
        assert row[0] == record["target"]
        # Settings, references and the six relative values, then the status.
        numbers = values[1:9] + values[9:12] + values[12:18:2] + values[13:18:2]
        assert [float(cell) if cell else None for cell in row[1:-1]] == numbers
        assert (row[-1] == "ok") == (record["status"] == "ok")
