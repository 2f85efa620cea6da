"""Shared fixtures: the build tree's engine programs and the source's tables."""

import os
import pathlib
import shutil
import subprocess

import pytest

import palvane

SOURCE = pathlib.Path(os.environ["PALVANE_SOURCE"])
BIN = pathlib.Path(os.environ["PALVANE_BIN"])
DATA = SOURCE / "data"


@pytest.fixture(scope="session")
def tables():
    return palvane.Tables(DATA)


def run_engine(setup, folder, parameters=None):
    """Runs the engine program of the set-up's target in `folder` on the B2F.dat palvane
    writes (or the `parameters` text); returns the completed process."""
    folder.mkdir(parents=True, exist_ok=True)
    for table in ("MUs3.dat", "Mo-STP.dat", "Materials.dat"):
        shutil.copy(DATA / table, folder)
    (folder / "B2F.dat").write_bytes((parameters or setup.b2f_text()).encode())
    program = BIN / ("dornic" if setup.target == "mo" else "vessick")
    return subprocess.run([program], cwd=folder, stdin=subprocess.DEVNULL,
                          capture_output=True, check=False)
