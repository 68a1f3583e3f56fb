"""Doubles as the tables write them: hexadecimal floating-point literals, exact and the
same on every machine, as C's printf writes them."""
import re

HEX = re.compile(r"(-?)0x1\.([0-9a-f]{13})p([+-][0-9]+)")
COLUMNS = 100


def _parts(x):
    match = HEX.fullmatch(x.hex())
    if not match:
        raise ValueError(f"{x!r} is not a normal double")
    return match.groups()


def shortest_hex(x, zero="0x0p+0"):
    """printf's %a: the fraction without its trailing zeros, and no point if none is left."""
    if x == 0:
        return zero
    sign, fraction, exponent = _parts(x)
    fraction = fraction.rstrip("0")
    return f"{sign}0x1{'.' + fraction if fraction else ''}p{exponent}"


def full_hex(x, zero="0.0"):
    """printf's %.13a: all thirteen hexadecimal digits of the fraction."""
    if x == 0:
        return zero
    sign, fraction, exponent = _parts(x)
    return f"{sign}0x1.{fraction}p{exponent}"


def line_wrapped(first, rest, items):
    """The items on as few lines of at most COLUMNS characters as they fit, the first
    line begun with `first`, the others with `rest`, items apart by one space."""
    lines, line, empty = [], first, True
    for item in items:
        if not empty and len(line) + 1 + len(item) > COLUMNS:
            lines.append(line)
            line, empty = rest, True
        line += item if empty else " " + item
        empty = False
    return lines + [line]
