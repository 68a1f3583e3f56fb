#!/usr/bin/env python3
"""Writes the tables of the controller's trigonometry, every entry the double (or
double-double) nearest its true value:

  sine_cosine_table.cpp  cos and sin of k pi/128, k = 0 ... 255, and the rotation's
                         constants: 128/pi, pi/128 in three parts, and the two-term
                         series of sin r - r and cos r - 1 with the next term folded in
  tangent_table.cpp      tan(j/128), j = 0 ... 104, as double-doubles
  tangent_series.cpp     the Taylor coefficients c0 ... c6 of tan at j/128

Usage: generate_tables.py [OUTPUT_FOLDER]   (default: this script's folder)

The values come from exact integer and rational arithmetic (exact_reals.py), with no
floating point before the final rounding, so the files are the same on every machine.
The comments that name MPFR tell how the tables were first made: the nearest doubles
are the same whichever exact arithmetic finds them.
The test TrigTablesRegenerateIdentically and `scripts/verify-trig --tables` write them
afresh and compare them with the committed ones byte for byte.
"""
import pathlib
import sys

sys.dont_write_bytecode = True  # no compiled modules left beside the sources
from exact_reals import ONE, Interval, nearest_double, require, sine_cosine
from hexfloat import full_hex, line_wrapped, shortest_hex
from sine_cosine_source import sine_cosine_table_source

TANGENT_ENTRIES = 105  # j/128 up to a little over pi/4
SERIES_TERMS = 7


def tangent_of_step(j):
    """tan(j/128): the quotient of the sine and cosine of the exact angle j/128."""
    if j == 0:
        return Interval(0)
    sine, cosine = sine_cosine(ONE * j // 128, 0)
    return sine / cosine


def taylor_coefficients(tangent):
    """c0 ... c6 of tan(a + b) = sum c_n b^n at a with tan a in `tangent`: T = tan(a + b)
    solves T' = 1 + T^2, so (n + 1) c_(n+1) = [n = 0] + sum c_i c_(n-i). Each c_n is a
    polynomial in tan a with no negative coefficient, so for tan a >= 0 the interval's
    ends give the ends of c_n."""
    require(tangent.lo >= 0, "a negative tangent")
    ends = []
    for t in (tangent.lo, tangent.hi):
        c = [t]
        for n in range(SERIES_TERMS - 1):
            c.append(((1 if n == 0 else 0) + sum(c[i] * c[n - i] for i in range(n + 1))) / (n + 1))
        ends.append(c)
    return [Interval(lo, hi) for lo, hi in zip(*ends)]


def tangent_table_source():
    lines = ['#include "tangent.h"', "",
             "// tan(j/128) for j = 0 ... 104 as double-doubles: hi the double nearest it, lo the",
             "// double nearest the rest; exactly 0 at j = 0.",
             f"const DoubleDouble kTangentTable[{TANGENT_ENTRIES}] = {{"]
    for j in range(TANGENT_ENTRIES):
        tangent = tangent_of_step(j)
        hi = nearest_double(tangent)
        lo = nearest_double(tangent - hi)
        lines.append(f"    {{{full_hex(hi)}, {full_hex(lo)}}},")
    return "\n".join(lines + ["};", ""])


def tangent_series_source():
    lines = ['#include "tangent.h"', "",
             f"const TangentSeries kTangentSeries[{TANGENT_ENTRIES}] = {{"]
    for j in range(TANGENT_ENTRIES):
        coefficients = taylor_coefficients(tangent_of_step(j))
        values = [shortest_hex(nearest_double(c)) for c in coefficients]
        items = [v + "," for v in values[:-1]] + [values[-1] + "}},"]
        lines += line_wrapped("    {{", "      ", items)
    return "\n".join(lines + ["};", ""])


def main(arguments):
    folder = pathlib.Path(arguments[0]) if arguments else pathlib.Path(__file__).resolve().parent
    folder.mkdir(parents=True, exist_ok=True)
    sources = {"sine_cosine_table.cpp": sine_cosine_table_source(),
               "tangent_table.cpp": tangent_table_source(),
               "tangent_series.cpp": tangent_series_source()}
    for name, text in sources.items():
        (folder / name).write_bytes(text.encode("ascii"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
