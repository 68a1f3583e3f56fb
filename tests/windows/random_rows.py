#!/usr/bin/env python3
"""Writes a replay input CSV of random rows: python3 random_rows.py ROWS SEED > FILE.

Each value is a single drawn uniformly from the signal's operating range and written
with nine significant digits, which name that single exactly, so every reader of the
file steps the controller with the same inputs. The same ROWS and SEED give the same
file on every machine (Python's Mersenne Twister and its float formatting are fixed).
"""
import random
import struct
import sys

COLUMNS = ["iabc1_a", "iabc1_b", "iabc1_c", "theta1", "omega1",
           "iabc2_a", "iabc2_b", "iabc2_c", "theta2", "omega2",
           "udc", "iqCommand", "steerAngle"]

# Phase currents in A, rotor angles in rad, speeds in rad/s, DC link in V, the q-current
# command in A, the steering angle in rad.
RANGES = {"iabc": (-300.0, 300.0), "theta": (0.0, 6.2831853), "omega": (-50.0, 400.0),
          "udc": (300.0, 420.0), "iqCommand": (-200.0, 200.0), "steerAngle": (-0.5, 0.5)}


def single(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def range_of(column):
    for prefix, bounds in RANGES.items():
        if column.startswith(prefix):
            return bounds
    raise KeyError(column)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: random_rows.py ROWS SEED")
    rows, seed = int(sys.argv[1]), int(sys.argv[2])
    rng = random.Random(seed)
    bounds = [range_of(c) for c in COLUMNS]
    out = sys.stdout
    out.write(",".join(COLUMNS) + "\n")
    for _ in range(rows):
        out.write(",".join("%.9g" % single(rng.uniform(low, high)) for low, high in bounds))
        out.write("\n")


if __name__ == "__main__":
    main()
