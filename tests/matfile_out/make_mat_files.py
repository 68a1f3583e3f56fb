#!/usr/bin/env python3
"""Writes, with the corvalent2 tool, every kind of file the Octave check loads.

Usage: make_mat_files.py TOOL OUT
OUT/csv/default.csv, OUT/v73/default.mat and OUT/v5/default.mat: the default scenario's
log as CSV, as a 7.3 and as a level-5 MAT file. OUT/replay_in.csv: that log with its
time column named "time"; OUT/replay.csv and OUT/replay.mat: its replay, as CSV and MAT.
"""
import pathlib
import shutil
import subprocess
import sys


def run(*args):
    subprocess.run([str(a) for a in args], check=True, stdout=subprocess.DEVNULL)


def main():
    tool, out = sys.argv[1], pathlib.Path(sys.argv[2])
    shutil.rmtree(out, ignore_errors=True)
    out.mkdir(parents=True)
    run(tool, "simulate", "-o", out / "csv", "--no-plot")
    run(tool, "simulate", "-o", out / "v73", "--format", "mat", "--no-plot")
    run(tool, "simulate", "-o", out / "v5", "--format", "mat", "--mat-version", "5", "--no-plot")
    with open(out / "csv" / "default.csv", encoding="ascii") as log, \
            open(out / "replay_in.csv", "w", encoding="ascii") as replay_in:
        header = log.readline().replace("time_s,", "time,", 1)
        replay_in.write(header)
        shutil.copyfileobj(log, replay_in)
    run(tool, "replay", out / "replay_in.csv", "-o", out / "replay.csv")
    run(tool, "replay", out / "replay_in.csv", "-o", out / "replay.mat")


if __name__ == "__main__":
    main()
