"""Real numbers for the trigonometry's tables, worked out exactly enough to round to
doubles without doubt: intervals of fractions that are known to hold the true value.

pi, sine, cosine and square roots come from integer arithmetic in fixed point with
BITS fraction bits, far more than a double's 53; each result is widened by a bound on
the errors of its sum, generously above what the sums can accumulate. A value is
rounded to a double only when both ends of its interval round to the same one, so a
table entry is either the double nearest the true value or no table is written.
"""
from fractions import Fraction
from functools import cache
from math import isqrt

BITS = 640
ONE = 1 << BITS
# Each term of a fixed-point series is rounded down once or twice, and the rounding
# errors of earlier terms shrink as they are carried on (by x/n, below 1 from the
# second term on): a sum of n terms is off by at most 5 n units of 2^-BITS, and no sum
# here has more than 140 terms.
SUM_ERROR = 1 << 16


def require(condition, message):
    """Stops the generator, also under python -O, which drops asserts."""
    if not condition:
        raise ArithmeticError(message)


class Interval:
    """The closed interval [lo, hi] of rationals, with the arithmetic of its ends."""

    def __init__(self, lo, hi=None):
        self.lo = Fraction(lo)
        self.hi = self.lo if hi is None else Fraction(hi)
        require(self.lo <= self.hi, "an interval whose ends are swapped")

    @staticmethod
    def of(x):
        return x if isinstance(x, Interval) else Interval(x)

    def __add__(self, other):
        other = Interval.of(other)
        return Interval(self.lo + other.lo, self.hi + other.hi)

    __radd__ = __add__

    def __neg__(self):
        return Interval(-self.hi, -self.lo)

    def __sub__(self, other):
        return self + -Interval.of(other)

    def __rsub__(self, other):
        return Interval.of(other) - self

    def __mul__(self, other):
        other = Interval.of(other)
        ends = [a * b for a in (self.lo, self.hi) for b in (other.lo, other.hi)]
        return Interval(min(ends), max(ends))

    __rmul__ = __mul__

    def __truediv__(self, other):
        other = Interval.of(other)
        require(other.lo > 0 or other.hi < 0, "division by an interval holding 0")
        return self * Interval(1 / other.hi, 1 / other.lo)


def fixed_interval(value, error):
    """The interval around the fixed-point `value` that its `error` (in units) allows."""
    return Interval(Fraction(value - error, ONE), Fraction(value + error, ONE))


def arctangent_of_inverse(x):
    """atan(1/x) in fixed point, for an integer x > 1, by its alternating series."""
    total, power, n, sign = 0, ONE // x, 1, 1
    while power:
        total += sign * (power // n)
        power //= x * x
        n += 2
        sign = -sign
    return total


@cache
def pi_fixed():
    """pi in fixed point by Machin's formula, pi = 16 atan(1/5) - 4 atan(1/239): off by
    at most 16 times the error of one sum plus 4 times the other's."""
    return 16 * arctangent_of_inverse(5) - 4 * arctangent_of_inverse(239), 20 * SUM_ERROR


def pi():
    return fixed_interval(*pi_fixed())


def sine_cosine(x, error):
    """sin x and cos x for the fixed-point 0 <= x < 2, known to within `error` units:
    their Taylor series, each term the one before times x/n. Both functions change by no
    more than their argument does, so the argument's error adds to the sums'."""
    require(0 <= x < 2 * ONE, "an argument outside the series' range")
    sums, term, n = [0, 0, 0, 0], ONE, 0
    while term:
        sums[n % 4] += term
        n += 1
        term = term * x // ONE // n
    total = error + SUM_ERROR
    return fixed_interval(sums[1] - sums[3], total), fixed_interval(sums[0] - sums[2], total)


def square_root(n):
    """The square root of the integer n, between two fixed-point neighbours."""
    root = isqrt(n * ONE * ONE)
    return Interval(Fraction(root, ONE), Fraction(root + 1, ONE))


def nearest_double(value):
    """The double nearest every number in `value` (an Interval or an exact number);
    fails if the interval reaches across a rounding boundary. float() of a Fraction
    divides two integers, which Python rounds correctly (to nearest, ties to even)."""
    value = Interval.of(value)
    lo, hi = float(value.lo), float(value.hi)
    require(lo == hi, f"rounding in doubt between {lo.hex()} and {hi.hex()}")
    return lo
