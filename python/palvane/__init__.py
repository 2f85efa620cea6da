"""The X-ray field of a mammography tube, from Python.

The engines' model (the same single-precision arithmetic as the programs dornic and
vessick) as values and NumPy arrays:

>>> import palvane
>>> setup = palvane.TubeSetup(target="mo", tube_voltage_kv=28, rhodium_mm=0.025,
...                           molybdenum_mm=0)
>>> field = palvane.field(setup)                 # the three relative maps, (51, 76)
>>> point = palvane.spectrum_at(setup, 100, 0)   # spectrum and beam quality at X=100 mm
>>> point.hvl1_mm, point.relative_air_kerma

Lengths are in mm (the air layer in cm), tube voltages in kV, angles in degrees, as the
names say. Every function takes the tables as an argument; without it the installed
tables are read (once). Nothing else is kept between calls.
"""

from __future__ import annotations

import datetime
import functools
import os
from typing import Iterable, Sequence

import numpy as np

from . import _core
from ._core import (
    ENERGY_KEV,
    Field,
    FileError,
    FilterCalibration,
    FitError,
    ModelError,
    OutputMeasurement,
    PointSpectrum,
    SetupError,
    Tables,
    TubeProfile,
    TubeSetup,
    combinations,
)
from ._tables_folder import TABLES_FOLDER

__version__ = _core.__version__

# The classes of the extension are palvane's own.
for _class in (Field, FileError, FilterCalibration, FitError, ModelError, OutputMeasurement,
               PointSpectrum, SetupError, Tables, TubeProfile, TubeSetup):
    _class.__module__ = __name__

__all__ = [
    "ENERGY_KEV", "X_MM", "Y_MM", "Y_FULL_MM", "Field", "FileError", "FilterCalibration",
    "FitError", "ModelError", "OutputMeasurement", "PointSpectrum", "SetupError", "Tables",
    "TubeProfile", "TubeSetup", "absolute_air_kerma", "apply_profile", "combinations", "field",
    "fit_aluminium", "fit_heel", "full_map", "installed_tables", "read_profile", "spectrum_at", "sweep",
    "write_profile", "write_report",
]

#: X of the map columns, mm along the anode-cathode axis toward the heel (76 values).
X_MM = np.arange(76) * _core.GRID_STEP_MM
#: Y of the map rows, mm across the anode-cathode axis (51 values).
Y_MM = np.arange(51) * _core.GRID_STEP_MM
#: Y of the rows of a mirrored full map, -100 to 100 mm (101 values).
Y_FULL_MM = np.concatenate([-Y_MM[:0:-1], Y_MM])
for _grid in (X_MM, Y_MM, Y_FULL_MM):
    _grid.flags.writeable = False


@functools.lru_cache(maxsize=1)
def installed_tables() -> Tables:
    """The tables installed with palvane (in the build tree: the source's data/)."""
    return Tables(str(TABLES_FOLDER))


def _tables(tables: Tables | str | os.PathLike | None) -> Tables:
    if tables is None:
        return installed_tables()
    if isinstance(tables, Tables):
        return tables
    return Tables(os.fspath(tables))


def _setup(setup: TubeSetup) -> TubeSetup:
    if not isinstance(setup, TubeSetup):
        raise TypeError(f"setup must be a palvane.TubeSetup, not {type(setup).__name__}")
    return setup


def field(setup: TubeSetup, tables: Tables | str | os.PathLike | None = None) -> Field:
    """The field of the set-up as the engine of its target computes it.

    The maps are relative to the reference point, shape (51, 76): rows Y_MM, columns X_MM
    (see palvane.Field). Raises ModelError where the engine refuses the settings, with its
    message. The interpreter's other threads run while the field is computed.
    """
    return _core.compute_field(_setup(setup), _tables(tables))


def full_map(half: np.ndarray) -> np.ndarray:
    """A map of shape (51, 76) mirrored about the anode-cathode axis: shape (101, 76),
    rows Y_FULL_MM (-100 to 100 mm), as palvane's display form draws it."""
    half = np.asarray(half)
    if half.shape[0] != len(Y_MM):
        raise ValueError(f"half: {half.shape[0]} rows, a half map has {len(Y_MM)}")
    return np.concatenate([half[:0:-1], half])


def spectrum_at(setup: TubeSetup, x_mm: float, y_mm: float,
                tables: Tables | str | os.PathLike | None = None) -> PointSpectrum:
    """The engines' spectrum and beam quality at (x_mm, y_mm) in the image plane.

    x_mm from 0 to 150 along the anode-cathode axis (toward the heel), y_mm from -100 to
    100 across it. At a grid point the relative air kerma and HVL equal the field's maps.
    Raises ModelError outside the map or at or beyond the heel cut-off.
    """
    return _core.point_spectrum(_setup(setup), _tables(tables), x_mm, y_mm)


def fit_aluminium(setup: TubeSetup, hvl_pairs: Sequence[tuple[float, float]],
                  tables: Tables | str | os.PathLike | None = None) -> dict:
    """The aluminium-equivalent thickness that makes the beam-axis HVL meet measured ones.

    hvl_pairs: (tube voltage in kV, measured first HVL in mm Al) pairs, measured with the
    set-up's target, angles and filters. One pair is met to 0.001 mm of aluminium, several
    are fitted by least squares of the relative differences (as sweep --fit-hvl does).
    Returns a dict: aluminium_mm (the fit), setup (the set-up with it, to 0.01 mm as the
    engines read it) and pairs (each with model_hvl_mm and relative_difference). Raises
    FitError when no thickness from 0 to 5 mm fits.
    """
    pairs = [(float(kv), float(hvl)) for kv, hvl in hvl_pairs]
    return _core.fit_aluminium(_setup(setup), _tables(tables), pairs)


def fit_heel(setup: TubeSetup, heel_points: Sequence[tuple[float, float]],
             hvl_pairs: Sequence[tuple[float, float]] = (),
             tables: Tables | str | os.PathLike | None = None) -> dict:
    """The target angle that makes the engines' heel meet a measured one.

    heel_points: (X in mm towards the anode side, air kerma relative to the beam axis)
    pairs measured at Y = 0 with the set-up's other settings, up to 8. The angle is fitted
    from 5 to 30 degrees in steps of 0.1 by least squares (as sweep --fit-heel does); with
    hvl_pairs the aluminium is refitted with it in turn until both are stable. The angle is
    an effective one: it makes the model's heel match, not the anode's real angle.
    Returns a dict: target_angle_deg, aluminium_mm (None without pairs), setup (with both
    as the engines read them) and points (each with model_relative_air_kerma). Raises
    FitError when no angle reaches the measurement, naming the nearest.
    """
    points = [(float(x), float(kerma)) for x, kerma in heel_points]
    pairs = [(float(kv), float(hvl)) for kv, hvl in hvl_pairs]
    return _core.fit_heel(_setup(setup), _tables(tables), points, pairs)


def read_profile(file: str | os.PathLike) -> TubeProfile:
    """A tube profile as palvane saves it (format 2; files of format 1 load too, but
    apply_profile and absolute_air_kerma refuse them, as they do not state the settings
    their fit and output were made at). Raises FileError naming the file and the line."""
    return _core.read_profile_file(os.fspath(file))


def write_profile(file: str | os.PathLike, profile: TubeProfile) -> None:
    """Writes the profile in palvane's format (replaced whole or not at all)."""
    _core.write_profile_file(os.fspath(file), profile)


def apply_profile(setup: TubeSetup, profile: TubeProfile) -> TubeSetup:
    """The set-up with the aluminium the profile fitted for its added filter, to 0.01 mm as
    the engines read it (as sweep --calibration runs a row). Raises SetupError saying why
    when the profile cannot serve the set-up: the other target, a filter without a fit, a
    fit made for other angles, beryllium or filter thickness, or a file of format 1."""
    return _core.apply_profile(_setup(setup), profile)


def absolute_air_kerma(setup: TubeSetup, profile: TubeProfile, relative_air_kerma=1.0,
                       tables: Tables | str | os.PathLike | None = None):
    """Air kerma in uGy/mAs at the set-up for relative air kerma (a number or an array, 1
    at the reference point on the beam axis): the profile's measured output moved to 65 cm
    and carried to the set-up by the engines' model,
    K_ref = K_meas (d / 65)^2 K_model(setup) / K_model(settings measured at).
    Raises SetupError for a set-up of the other target ("no output measured for
    tungsten"), a profile without an output or of format 1; ModelError where the engine
    refuses the set-up."""
    reference = _core.reference_kerma(_setup(setup), profile, _tables(tables))
    return reference * np.asarray(relative_air_kerma, dtype=float)


def sweep(setups: Iterable[TubeSetup], tables: Tables | str | os.PathLike | None = None,
          threads: int = 2, dataframe: bool | None = None):
    """Computes the field of every set-up on `threads` threads (the interpreter's lock
    released) and returns one record per set-up, in order, as sweep's rows: the settings,
    the reference values and the relative air kerma and HVL at X = 50, 100 and 150 mm on
    the anode-cathode axis, each as Result.dat states it, and the status ("ok" or the
    engine's message; a failing set-up leaves its values None).

    A pandas DataFrame when pandas is installed (dataframe=None) or asked for (True);
    plain dicts otherwise.
    """
    records = _core.run_sweep([_setup(s) for s in setups], _tables(tables), int(threads))
    if dataframe is False:
        return records
    try:
        import pandas
    except ImportError:
        if dataframe:
            raise
        return records
    return pandas.DataFrame.from_records(records)


def write_report(result: Field, folder: str | os.PathLike, points: Iterable[tuple[float, float]] = (),
                 profile: TubeProfile | None = None,
                 tables: Tables | str | os.PathLike | None = None) -> list[str]:
    """Writes the text files of palvane's report set for the field into an existing folder,
    composed as the display form composes them: map_energy_fluence.csv, map_air_kerma.csv,
    map_hvl.csv, profiles.csv, spectrum_axis.csv, spectrum_point_1.csv ... (one per
    (x_mm, y_mm) of points), summary.csv and README.txt. With a profile that has an
    output, also map_absolute_air_kerma.csv, and the spectra state their absolute air
    kerma (see absolute_air_kerma; its errors are raised before any file is written).
    Returns the names written.
    """
    if result.beam_axis_spectrum is None:
        raise ModelError("the beam axis lies beyond the heel cut-off: no spectra to report")
    tables = _tables(tables)
    spectra = [spectrum_at(result.setup, 0, 0, tables)]
    spectra += [spectrum_at(result.setup, x, y, tables) for x, y in points]
    absolute = [None] * len(spectra)
    reference = None
    if profile is not None and profile.output is not None:
        reference = float(absolute_air_kerma(result.setup, profile, 1.0, tables))
        absolute = [reference * s.relative_air_kerma for s in spectra]
    saved_at = datetime.datetime.now().strftime("%Y-%m-%d %H:%M")
    return _core.write_report(result, spectra, absolute, reference, os.fspath(folder), saved_at)
