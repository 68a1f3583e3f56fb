#!/usr/bin/env python3
"""Writes a replay input CSV's rows as the runner's input, thirteen little-endian
singles per row in port order:

    rows_file.py IN.csv ROWS_IN

For the cost figures only: each field goes through a double on its way to a single, so a
decimal that lies within a hair of a midpoint between singles could round otherwise than
`corvalent2 replay` reads it, which changes a step's path at most, not what is measured.
The replays that are compared bit for bit are converted by the tool itself.
"""
import csv
import struct
import sys

COLUMNS = ["iabc1_a", "iabc1_b", "iabc1_c", "theta1", "omega1", "iabc2_a", "iabc2_b",
           "iabc2_c", "theta2", "omega2", "udc", "iqCommand", "steerAngle"]


def main():
    with open(sys.argv[1], newline="", encoding="utf-8") as source, \
            open(sys.argv[2], "wb") as target:
        for row in csv.DictReader(source, skipinitialspace=True):
            target.write(struct.pack("<13f", *(float(row[c]) for c in COLUMNS)))


if __name__ == "__main__":
    main()
