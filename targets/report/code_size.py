#!/usr/bin/env python3
"""Prints the controller's code and read-only data as built for a target:

    code_size.py SIZE_PROGRAM LIBRARY

the sum over the library's objects (the controller, its tables included) of the
sections named .text* and .rodata*, and of .data*/.bss* (its state), as the target's
`size -A` reports them.
"""
import subprocess
import sys


def section_sizes(size_program, library):
    listing = subprocess.run([size_program, "-A", library], check=True, capture_output=True,
                             text=True).stdout
    totals = {"text": 0, "rodata": 0, "data+bss": 0}
    for line in listing.splitlines():
        fields = line.split()
        if len(fields) < 2 or not fields[1].isdigit():
            continue
        name, size = fields[0], int(fields[1])
        if name.startswith(".text"):
            totals["text"] += size
        elif name.startswith(".rodata"):
            totals["rodata"] += size
        elif name.startswith((".data", ".bss")):
            totals["data+bss"] += size
    return totals


def main():
    totals = section_sizes(sys.argv[1], sys.argv[2])
    print("  code (.text): {text} bytes, read-only data (.rodata, tables): {rodata} bytes, "
          "state (.data, .bss): {data+bss} bytes".format(**totals))


if __name__ == "__main__":
    main()
