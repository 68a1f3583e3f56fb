#!/usr/bin/env python3
"""Writes a replay input CSV of random rows:

    python3 random_rows.py ROWS SEED [--wide] > FILE

Each value is a single, written with nine significant digits, which name that single
exactly, so every reader of the file steps the controller with the same inputs. The
same ROWS and SEED give the same file on every machine (Python's Mersenne Twister and
its float formatting are fixed).

By default every value is drawn uniformly from the signal's operating range. With
--wide the values cover the whole single range: angles (rotor and steering) are any
finite single (rotor angles below 2^127, whose double still is finite), every exponent
alike, subnormals and both zeros among them; speeds,
currents, the DC link and the command spread over every decade up to 1e15. An overflow
or a NaN stays in the controller's state for good and would leave nothing to compare
after it, so the rows that bring them come last: 200 rows with speeds of any finite
magnitude, then rows with +-inf and NaN in every kind of column.
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

ANGLES = ("theta", "steerAngle")
SPECIAL_ROWS = [
    # Each row puts one non-finite value into one kind of column, the others ordinary.
    {"theta1": "inf"}, {"theta2": "-inf"}, {"steerAngle": "inf"}, {"udc": "inf"},
    {"iqCommand": "-inf"}, {"iabc1_a": "inf"}, {"omega2": "-inf"}, {"theta1": "nan"},
    {"steerAngle": "nan"}, {"iabc2_b": "nan"}, {"omega1": "nan"}, {"udc": "nan"},
    {"iqCommand": "nan"},
]


def single(value):
    return struct.unpack("<f", struct.pack("<f", value))[0]


def range_of(column):
    for prefix, bounds in RANGES.items():
        if column.startswith(prefix):
            return bounds
    raise KeyError(column)


def any_finite_single(rng, exponents=255):
    """A finite single with a uniformly drawn exponent (subnormals and zeros included)."""
    exponent = rng.randrange(exponents)
    bits = rng.randrange(2) << 31 | exponent << 23 | rng.randrange(1 << 23)
    if rng.randrange(64) == 0:
        bits &= 0x80000000  # +0 or -0
    return struct.unpack("<f", struct.pack("<I", bits))[0]


def any_decade(rng):
    """A signed single spread over every decade from the subnormals up to 1e15."""
    if rng.randrange(64) == 0:
        return rng.choice((0.0, -0.0, 1e-45, -1e-45, 1.1754942e-38))
    return single(rng.choice((-1.0, 1.0)) * 10.0 ** rng.uniform(-45.0, 15.0))


def wide_value(column, rng, any_speed=False):
    if column.startswith("theta"):
        # The controller turns at twice the angle: above 2^127 the doubled angle overflows.
        return any_finite_single(rng, exponents=254)
    if column == "steerAngle" or (any_speed and column.startswith("omega")):
        return any_finite_single(rng)
    return any_decade(rng)


def write_row(out, values):
    out.write(",".join(v if isinstance(v, str) else "%.9g" % v for v in values) + "\n")


def main():
    args = [a for a in sys.argv[1:] if a != "--wide"]
    if len(args) != 2:
        sys.exit("usage: random_rows.py ROWS SEED [--wide]")
    wide = "--wide" in sys.argv[1:]
    rows, seed = int(args[0]), int(args[1])
    rng = random.Random(seed)
    bounds = [range_of(c) for c in COLUMNS]
    out = sys.stdout
    out.write(",".join(COLUMNS) + "\n")
    for _ in range(rows):
        if wide:
            write_row(out, [wide_value(c, rng) for c in COLUMNS])
        else:
            write_row(out, [single(rng.uniform(low, high)) for low, high in bounds])
    if wide:
        for _ in range(200):
            write_row(out, [wide_value(c, rng, any_speed=True) for c in COLUMNS])
        for special in SPECIAL_ROWS:
            write_row(out, [special.get(c, single(rng.uniform(*range_of(c)))) for c in COLUMNS])


if __name__ == "__main__":
    main()
