#!/usr/bin/env python3
"""Prints the worst-case stack depth of one drive step:

    stack_depth.py ROOT_FUNCTION CALLGRAPH_FILES...

from GCC's call graph with stack usage (-fcallgraph-info=su, one .ci file per object):
the largest sum of frames along any chain of calls from ROOT_FUNCTION (a mangled name).
Functions that GCC did not compile here (libgcc's and the C library's routines, such as
the software double arithmetic and the square root) have no frame in the graph; they
are listed, and their frames come on top of the figure.
"""
import re
import subprocess
import sys

NODE = re.compile(r'node: \{ title: "([^"]+)" label: "([^"]*)"')
EDGE = re.compile(r'edge: \{ sourcename: "([^"]+)" targetname: "([^"]+)"')
FRAME = re.compile(r"(\d+) bytes \((static|dynamic[^)]*)\)")


def read_graph(files):
    frames, calls, kinds = {}, {}, {}
    for path in files:
        with open(path, encoding="utf-8") as text:
            for line in text:
                node = NODE.search(line)
                if node:
                    frame = FRAME.search(node.group(2))
                    if frame:
                        frames[node.group(1)] = int(frame.group(1))
                        kinds[node.group(1)] = frame.group(2)
                edge = EDGE.search(line)
                if edge:
                    calls.setdefault(edge.group(1), set()).add(edge.group(2))
    return frames, calls, kinds


def deepest(name, frames, calls, outside, chain):
    if name in chain:
        raise SystemExit("stack_depth.py: recursion through " + name)
    if name not in frames:
        outside.add(name)
        return 0, []
    best, best_path = 0, []
    for callee in calls.get(name, ()):
        depth, path = deepest(callee, frames, calls, outside, chain | {name})
        if depth > best:
            best, best_path = depth, path
    return frames[name] + best, [name] + best_path


def readable(names):
    """Demangled names without parameter lists, a static function's file prefix dropped."""
    bare = [n.rsplit(":", 1)[-1] for n in names]
    shown = subprocess.run(["c++filt", "-p"], input="\n".join(bare), check=True,
                           capture_output=True, text=True).stdout.split("\n")
    return dict(zip(names, shown))


def main():
    root = sys.argv[1]
    frames, calls, kinds = read_graph(sys.argv[2:])
    outside = set()
    depth, path = deepest(root, frames, calls, outside, frozenset())
    dynamic = sorted(n for n, k in kinds.items() if k != "static")
    shown = readable(path)
    print("  worst-case stack of a drive step: {} bytes, along {} frames ({})".format(
        depth, len(path), " > ".join("{} {}".format(shown[n], frames[n]) for n in path)))
    if dynamic:
        print("  frames not of fixed size: " + ", ".join(dynamic))
    print("  plus the deepest of the library routines it calls: " +
          (", ".join(sorted(outside)) or "none"))


if __name__ == "__main__":
    main()
