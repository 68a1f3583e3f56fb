#!/usr/bin/env python3
"""Compares two replay output CSVs value by value, by the singles they name.

    python3 compare_outputs.py EXPECTED ACTUAL [--max-differing-share FRACTION]

Prints the rows compared, the rows and values that differ, the largest difference in
units in the last place (ULP) and the first differing rows. Two values are the same
when they name the same single: the same bits, and every NaN is the same as any NaN
(the output spells every NaN "nan"). Both builds print a single the same way, so a row
of the same singles in other text is a fault of its own. Exit status: 0 when the files
agree (with --max-differing-share: when at most that share of the rows differ in
value), 1 when more rows differ or a row differs only in text, 2 when the files are not
comparable (headers or row counts differ, or a field is no number).
"""
import argparse
import math
import struct
import sys
from fractions import Fraction


def single_bits(value):
    return struct.unpack("<I", struct.pack("<f", value))[0]


def single_of_bits(bits):
    return struct.unpack("<f", struct.pack("<I", bits))[0]


def bits_of(text):
    """The single a field names, rounded from its exact decimal value (ties to even), as
    the replay's reader rounds it; and whether it is a NaN."""
    value = float(text)
    if math.isnan(value):
        return single_bits(value), True
    if math.isinf(value):
        return single_bits(value), False
    exact = Fraction(text)  # raises ValueError for anything that is no decimal number
    # Through a double the decimal is rounded twice, which can miss the nearest single
    # next to a halfway point: the nearest of the candidate and its neighbours decides.
    candidate = single_bits(value)
    best = None
    for bits in (candidate - 1, candidate, candidate + 1):
        if bits < 0 or bits > 0xFFFFFFFF or ((bits >> 23) & 0xFF) == 0xFF:
            continue
        distance = abs(Fraction(single_of_bits(bits)) - exact)
        if (best is None or distance < best[0] or
                (distance == best[0] and bits % 2 == 0)):
            best = (distance, bits)
    return best[1], False


def ordered(bits):
    # Singles in order of value map to consecutive integers, -0 and +0 next to each other.
    return bits if bits < 0x80000000 else 0x80000000 - bits - 1


def ulp_distance(a, b):
    return abs(ordered(a) - ordered(b))


def read_rows(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.endswith(b"\n"):
        raise ValueError("%s does not end with a newline" % path)
    lines = data.decode("ascii").split("\n")[:-1]
    return lines[0], lines[1:]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("expected")
    parser.add_argument("actual")
    parser.add_argument("--max-differing-share", type=float, default=0.0)
    args = parser.parse_args()
    try:
        expected_header, expected = read_rows(args.expected)
        actual_header, actual = read_rows(args.actual)
    except (OSError, ValueError) as error:
        print("not comparable: %s" % error)
        return 2
    if expected_header != actual_header:
        print("not comparable: headers differ: %r, %r" % (expected_header, actual_header))
        return 2
    if len(expected) != len(actual):
        print("not comparable: %d rows, %d rows" % (len(expected), len(actual)))
        return 2

    differing_rows = differing_values = largest_ulp = text_only_rows = 0
    examples = []
    for number, (want, got) in enumerate(zip(expected, actual), start=1):
        if want == got:
            continue
        want_fields, got_fields = want.split(","), got.split(",")
        if len(want_fields) != len(got_fields):
            print("not comparable: row %d has %d and %d fields"
                  % (number, len(want_fields), len(got_fields)))
            return 2
        row_differs = False
        for w, g in zip(want_fields, got_fields):
            try:
                (wb, wnan), (gb, gnan) = bits_of(w), bits_of(g)
            except ValueError as error:
                print("not comparable: row %d: %s" % (number, error))
                return 2
            if (wnan and gnan) or wb == gb:
                continue
            row_differs = True
            differing_values += 1
            ulp = math.inf if wnan != gnan else ulp_distance(wb, gb)
            largest_ulp = max(largest_ulp, ulp)
        if not row_differs:
            text_only_rows += 1  # the same singles, written differently: a printing fault
            if len(examples) < 5:
                examples.append("  row %d (same values, other text):\n    %s\n    %s"
                                % (number, want, got))
        else:
            differing_rows += 1
            if len(examples) < 5:
                examples.append("  row %d:\n    %s\n    %s" % (number, want, got))

    rows = len(expected)
    share = differing_rows / rows if rows else 0.0
    print("rows compared: %d" % rows)
    print("differing rows: %d (%.4f%%), differing values: %d, largest difference: %s ULP"
          % (differing_rows, 100.0 * share, differing_values, largest_ulp))
    if text_only_rows:
        print("rows with the same values written differently: %d" % text_only_rows)
    for example in examples:
        print(example)
    return 0 if share <= args.max_differing_share and text_only_rows == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
