#!/usr/bin/env python3
"""Checks that the layers of the tree include one way: no file includes a header of a
layer above its own, and a header name found under two include roots is an error (it
would make an include depend on the order of the roots).

Usage: check_include_graph.py SOURCE_ROOT
Prints every offending include as FILE:LINE: message and exits 1 if there is one.
"""
import pathlib
import re
import sys

# Layer folders, and the folders each may include from (besides itself).
LAYERS = {
    "control": [],
    "host_abi": [],
    "block": ["host_abi", "control"],
    "host/interface": ["block", "host_abi"],
    "substitute_host": ["host_abi", "control"],
    "targets": ["control"],
}
# Single headers of a lower layer that a layer may include although it may not
# include the rest of that layer: the substitute host reads the block's port map.
EXTRA_FILES = {
    "substitute_host": ["block/block_ports.h"],
}
# Where bare includes are looked for, as the build's include roots give them.
INCLUDE_ROOTS = ["host_abi", "block", "host/interface", "host/interface/services",
                 "substitute_host", "targets", "."]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def layer_of(relative):
    best = None
    for layer in LAYERS:
        if relative == layer or relative.startswith(layer + "/"):
            if best is None or len(layer) > len(best):
                best = layer
    return best


def resolve(root, source, name):
    beside = (source.parent / name).resolve()
    if beside.is_file():
        return [beside]
    found = []
    for include_root in INCLUDE_ROOTS:
        candidate = (root / include_root / name).resolve()
        if candidate.is_file() and candidate not in found:
            found.append(candidate)
    return found


def check_file(root, source, layer):
    problems = []
    allowed = [layer] + LAYERS[layer]
    for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        where = f"{source.relative_to(root)}:{number}"
        targets = resolve(root, source, match.group(1))
        if len(targets) > 1:
            names = ", ".join(str(t.relative_to(root)) for t in targets)
            problems.append(f"{where}: \"{match.group(1)}\" names more than one header: {names}")
            continue
        if not targets:
            continue  # generated or outside the tree
        target = targets[0].relative_to(root).as_posix()
        target_layer = layer_of(target)
        if target_layer is None or target_layer in allowed:
            continue
        if target in EXTRA_FILES.get(layer, []):
            continue
        problems.append(f"{where}: {layer}/ includes {target}, of the layer {target_layer}/")
    return problems


def main():
    root = pathlib.Path(sys.argv[1]).resolve()
    problems = []
    checked = 0
    sources = sorted({s for layer in LAYERS for s in (root / layer).rglob("*")})
    for source in sources:
        if source.suffix not in (".h", ".c", ".cpp") or not source.is_file():
            continue
        relative = source.relative_to(root).as_posix()
        layer = layer_of(relative)
        if layer is None:
            continue
        checked += 1
        problems += check_file(root, source, layer)
    for problem in problems:
        print(problem)
    print(f"{checked} files checked, {len(problems)} includes against the layers")
    return 1 if problems or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
