#!/usr/bin/env python3
"""Compares two runners' outputs (rows.out: six little-endian singles per row) bit for bit:

    compare_rows.py REFERENCE OTHER NAME

Every output that is a number must have the same 32 bits in both, and a NaN must meet a
NaN. Only where both are NaN may the bits differ (their sign and payload, which IEEE 754
leaves to the processor): those rows are listed, as ranges of rows counted from 1, with
the bit patterns met, and do not fail. Exit status 1 on any other difference.
"""
import collections
import struct
import sys


def rows_of(path):
    data = open(path, "rb").read()
    if len(data) % 24:
        raise SystemExit("compare_rows.py: {} is not whole rows".format(path))
    return [struct.unpack_from("<6I", data, at) for at in range(0, len(data), 24)]


def is_nan(word):
    return (word & 0x7F800000) == 0x7F800000 and (word & 0x007FFFFF) != 0


def ranges(numbers):
    spans = []
    for n in numbers:
        if spans and spans[-1][1] == n - 1:
            spans[-1][1] = n
        else:
            spans.append([n, n])
    return ", ".join(str(a) if a == b else "{}-{}".format(a, b) for a, b in spans)


def main():
    reference, other, name = rows_of(sys.argv[1]), rows_of(sys.argv[2]), sys.argv[3]
    if len(reference) != len(other):
        print("{}: {} rows against {}".format(name, len(other), len(reference)))
        return 1
    nan_rows, bad_rows, patterns = [], [], collections.Counter()
    for number, (a, b) in enumerate(zip(reference, other), 1):
        differing = [(x, y) for x, y in zip(a, b) if x != y]
        if not differing:
            continue
        if all(is_nan(x) and is_nan(y) for x, y in differing):
            nan_rows.append(number)
            patterns.update("{:08X}|{:08X}".format(x, y) for x, y in differing)
        else:
            bad_rows.append(number)
    print("{}: {} rows, {} with a number in other bits, {} with NaN in other bits".format(
        name, len(reference), len(bad_rows), len(nan_rows)))
    if nan_rows:
        print("  NaN in other bits in rows {}; bit patterns (reference|other): {}".format(
            ranges(nan_rows), ", ".join("{} x{}".format(p, n) for p, n in patterns.most_common())))
    if bad_rows:
        print("  numbers differ in rows " + ranges(bad_rows[:50]))
    return 1 if bad_rows else 0


if __name__ == "__main__":
    sys.exit(main())
