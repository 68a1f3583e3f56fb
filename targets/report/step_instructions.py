#!/usr/bin/env python3
"""Counts the instructions of each drive step on a Cortex-M board under QEMU:

    step_instructions.py BOARD RUNNER_ELF ROWS_IN

runs the runner on the rows of ROWS_IN (the runner's binary input) with QEMU
translating one instruction at a time (-singlestep) and logging every block it executes
without chaining blocks (-d exec,nochain), so that the log has one line per executed
instruction. A step counts from the first instruction of driveOutputs until execution
is back in its caller. Prints the mean, smallest and largest count.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

TRACE = re.compile(r"^Trace \d+: \S+ \[[0-9a-f]+/([0-9a-f]+)/[0-9a-f]+/[0-9a-f]+\] ?(\S*)")
ENTRY = "_Z12driveOutputsPKfS0_S0_S0_S0_S0_S0_S0_S0_PfS1_"


def step_counts(lines):
    counts, caller, call_pc, count, previous = [], None, 0, 0, (0, "")
    for line in lines:
        match = TRACE.match(line)
        if not match:
            continue
        pc, symbol = int(match.group(1), 16), match.group(2)
        if caller is None:
            if symbol == ENTRY and previous[1] != ENTRY:
                caller, call_pc, count = previous[1], previous[0], 1
        elif symbol == caller and pc > call_pc:
            counts.append(count)
            caller = None
        else:
            count += 1
        previous = (pc, symbol)
    return counts


def run(board, runner, rows_in):
    folder = tempfile.mkdtemp(prefix="corvalent2-steps-")
    try:
        shutil.copy(rows_in, os.path.join(folder, "rows.in"))
        fifo = os.path.join(folder, "trace")
        os.mkfifo(fifo)
        qemu = subprocess.Popen(
            ["qemu-system-arm", "-M", board, "-display", "none", "-serial", "null",
             "-monitor", "none", "-semihosting-config", "enable=on,target=native",
             "-singlestep", "-d", "exec,nochain", "-D", fifo, "-kernel", os.path.abspath(runner)],
            cwd=folder, stdin=subprocess.DEVNULL)
        with open(fifo, encoding="ascii", errors="replace") as trace:
            counts = step_counts(trace)
        if qemu.wait() != 0:
            raise SystemExit("step_instructions.py: the runner failed")
        return counts
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    counts = run(sys.argv[1], sys.argv[2], sys.argv[3])
    if not counts:
        raise SystemExit("step_instructions.py: no drive step in the trace")
    print("{} {:.0f} {} {}".format(len(counts), sum(counts) / len(counts), min(counts),
                                   max(counts)))


if __name__ == "__main__":
    main()
