"""The examples of README.md and docs/python.md run as they stand."""

import contextlib
import io
import os
import re

import pytest

import palvane
from conftest import SOURCE


def python_blocks(page):
    return re.findall(r"```python\n(.*?)```", (SOURCE / page).read_text(), re.S)


@pytest.mark.parametrize("page", ["README.md", "docs/python.md"])
def test_examples_run(page, tmp_path, monkeypatch):
    blocks = python_blocks(page)
    assert blocks, f"{page} holds no Python example"
    monkeypatch.chdir(tmp_path)
    printed = io.StringIO()
    namespace = {}
    with contextlib.redirect_stdout(printed):
        for block in blocks:
            exec(compile(block, page, "exec"), namespace)
    if page == "docs/python.md":
        assert os.path.getsize("python_heel_profile.png") > 10000
        # The fitted aluminium gives the measured HVL on the beam axis (to the 0.01 mm
        # the engines read), and the table has a row for each of 25 to 35 kV.
        axis = palvane.spectrum_at(namespace["calibrated"], 0, 0)
        assert axis.hvl1_mm == pytest.approx(0.40, abs=0.002)
        rows = [line for line in printed.getvalue().splitlines() if line.endswith(" %")]
        assert [int(row.split()[0]) for row in rows] == list(range(25, 36))
