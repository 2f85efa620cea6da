"""Times palvane from Python, for comparison with the in-process C++ (reported, not asserted).

  PYTHONPATH=build/release/python /usr/bin/python3 python/bench/python_speed.py build/release

prints the median time (wall clock and CPU) of palvane.field() for Mo 28 kV and W 50 kV
(the settings of python_field_bench), and of a sweep of the 768 combinations of
sweep_bench on 2 threads from Python and by the program `sweep --jobs 2` (--fields: the
fields alone).
"""

import pathlib
import statistics
import subprocess
import sys
import time

import palvane

REPETITIONS = 5
SOURCE = pathlib.Path(__file__).resolve().parents[2]
ARGUMENTS = [a for a in sys.argv[1:] if not a.startswith("--")]
BIN = pathlib.Path(ARGUMENTS[0] if ARGUMENTS else SOURCE / "build/release") / "bin"
TABLES = palvane.Tables(SOURCE / "data")


def median_seconds(call, repetitions=REPETITIONS, per_repetition=1, clock=time.perf_counter):
    times = []
    for _ in range(repetitions):
        start = clock()
        for _ in range(per_repetition):
            call()
        times.append((clock() - start) / per_repetition)
    return statistics.median(times)


def fields():
    mo = palvane.TubeSetup(target="mo", tube_voltage_kv=28, target_angle_deg=22, tilt_angle_deg=0)
    w = palvane.TubeSetup(target="w", tube_voltage_kv=50, target_angle_deg=22, tilt_angle_deg=0)
    for name, setup in (("Mo 28 kV", mo), ("W 50 kV", w)):
        palvane.field(setup, TABLES)
        seconds = median_seconds(lambda: palvane.field(setup, TABLES), per_repetition=20)
        cpu = median_seconds(lambda: palvane.field(setup, TABLES), per_repetition=20,
                             clock=time.process_time)
        print(f"field() {name}: median {1000 * seconds:.2f} ms, CPU {1000 * cpu:.2f} ms")


def sweeps():

    lists = dict(target=["mo", "w"], tube_voltage_kv=list(range(20, 51, 2)),
                 target_angle_deg=[10, 15, 20], tilt_angle_deg=[0, 4],
                 rhodium_mm=[0, 0.025, 0.05, 0.1])
    setups = palvane.combinations(**lists)
    assert len(setups) == 768
    seconds = median_seconds(lambda: palvane.sweep(setups, TABLES, threads=2, dataframe=False), 3)
    print(f"sweep() {len(setups)} combinations, 2 threads: median {seconds:.2f} s")
    command = [BIN / "sweep", "--target", "mo,w", "--kv", "20:50:2", "--theta", "10:20:5",
               "--phi", "0,4", "--rh", "0,0.025,0.05,0.1", "--tables", SOURCE / "data",
               "--jobs", "2", "--output", "/dev/null"]
    seconds = median_seconds(lambda: subprocess.run(command, check=True,
                                                    stderr=subprocess.DEVNULL), 3)
    print(f"sweep --jobs 2, {len(setups)} combinations: median {seconds:.2f} s")


if __name__ == "__main__":
    fields()
    if "--fields" not in sys.argv:
        sweeps()
