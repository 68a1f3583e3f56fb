"""sine_cosine_table.cpp: the rotation's table of cos and sin of k pi/128 and the
constants of its fast path (sine_cosine_table.h)."""
from fractions import Fraction
from string import Template

from exact_reals import Interval, nearest_double, pi, pi_fixed, require, sine_cosine, square_root
from hexfloat import shortest_hex

TABLE_HEAD = """#include "sine_cosine_table.h"

// cos and sin of k pi/128, from MPFR at 400 bits rounded to nearest; exactly 0 and +-1
// on the axes.
const RotationEntry kRotationTable[256] = {
"""

CONSTANTS = Template("""};

namespace {
constexpr double kOneTwentyEightOverPi = $overPi;
constexpr double kPart1 = $part1;
constexpr double kPart2 = $part2;

// At most 27 significant bits: the low 26 of the 52 stored ones are zero.
constexpr bool hasAtMost27Bits(double x) { return (std::bit_cast<std::uint64_t>(x) & 0x3FFFFFFu) == 0; }
static_assert(hasAtMost27Bits(kPart1) && hasAtMost27Bits(kPart2));

constexpr DoublePair both(double x) { return DoublePair{x, x}; }
}  // namespace

// Kept out of sight of the inline code, so that each is one 16-byte memory operand of a
// two-lane operation rather than a scalar load and a duplication. pi/128 is part1 +
// part2 + part3 (MPFR); 256/pi is 128/pi doubled, exactly. The series' coefficients are
// Taylor's (-1/3!, 1/5!; -1/2!, 1/4!) with the next term folded in: its z^3 on [0, zm],
// zm = (pi/256)^2, replaced by the best fit $fitZ zm^2 z + $fitZ2 zm z^2, which is
// within $fitError zm^3 (MPFR).
const RotationConstants kRotationConstants = {
    .oneTwentyEightOverPi = both(kOneTwentyEightOverPi),
    .twoFiftySixOverPi = both(kOneTwentyEightOverPi * 2.0),
    .roundingShift = both(0x1.8p52),
    .part1 = both(kPart1),
    .part2 = both(kPart2),
    .part3 = both($part3),
    .sin1 = both($sin1),
    .sin2 = both($sin2),
    .cos1 = both($cos1),
    .cos2 = both($cos2),
};
""")


def rotation_entry(k):
    """cos and sin of k pi/128: those of the angle m pi/128 below a quarter turn, each
    rounded, then turned by q quarter turns (cos(x + pi/2) = -sin x, sin(x + pi/2) =
    cos x), which only moves and negates them. On the axes they are exactly 1 and 0."""
    quarter_turns, m = divmod(k, 64)
    cosine, sine = 1.0, 0.0
    if m:
        pi_value, pi_error = pi_fixed()
        sine_bounds, cosine_bounds = sine_cosine(pi_value * m // 128, pi_error * m // 128 + 1)
        cosine, sine = nearest_double(cosine_bounds), nearest_double(sine_bounds)
    for _ in range(quarter_turns):
        cosine, sine = -sine, cosine
    return cosine, sine


def truncated(value, step):
    """The multiple of `step` just below every number in `value`."""
    low, high = value.lo // step, value.hi // step
    require(low == high, "truncation in doubt")
    return low * step


def reduction_parts():
    """pi/128 in three parts: part1 and part2 with 27 bits, so that their products with a
    multiple k < 2^26 are exact, part1 on the grid of 2^-32 and part2 on one 27 bits
    finer, each the multiple of its step below what is left; part3 the rest, rounded."""
    step = pi() * Fraction(1, 128)
    part1 = truncated(step, Fraction(1, 2**32))
    part2 = truncated(step - part1, Fraction(1, 2**59))
    require(Fraction(float(part1)) == part1 and Fraction(float(part2)) == part2,
            "a part of pi/128 that is not a double")
    return float(part1), float(part2), nearest_double(step - part1 - part2)


def folded_series():
    """The series' coefficients: sin r - r = r z (-1/3! + z/5! - z^2/7!) and
    cos r - 1 = z (-1/2! + z/4! - z^2/6!), z = r^2 <= zm, with z^3 replaced by its best
    fit a zm^2 z + b zm z^2. The fit's error z^3 - a zm^2 z - b zm z^2 is E zm^3 T3,
    Chebyshev's polynomial on [-(2 - sqrt 3)^2 zm, zm], which is 0 at z = 0; it
    alternates at z/zm = 3 sqrt 3 - 5, sqrt 3 - 1 and 1, so a = 24 sqrt 3 - 42,
    b = 6 sqrt 3 - 9 and E = 52 - 30 sqrt 3."""
    root3 = square_root(3)
    a, b, error = 24 * root3 - 42, 6 * root3 - 9, 52 - 30 * root3
    zm = pi() * pi() * Fraction(1, 256 * 256)
    coefficients = {
        "sin1": Fraction(-1, 6) - a * zm * zm * Fraction(1, 5040),
        "sin2": Fraction(1, 120) - b * zm * Fraction(1, 5040),
        "cos1": Fraction(-1, 2) - a * zm * zm * Fraction(1, 720),
        "cos2": Fraction(1, 24) - b * zm * Fraction(1, 720),
    }
    fit = {"fitZ": a, "fitZ2": b, "fitError": error}
    return ({name: shortest_hex(nearest_double(c)) for name, c in coefficients.items()} |
            {name: f"{nearest_double(v):.4f}" for name, v in fit.items()})


def sine_cosine_table_source():
    rows = []
    for k in range(256):
        cosine, sine = rotation_entry(k)
        rows.append(f"    {{{shortest_hex(cosine, '0.0')}, {shortest_hex(sine, '0.0')}}},\n")
    part1, part2, part3 = reduction_parts()
    constants = {"overPi": shortest_hex(nearest_double(Interval(128) / pi())),
                 "part1": shortest_hex(part1), "part2": shortest_hex(part2),
                 "part3": shortest_hex(part3)} | folded_series()
    return TABLE_HEAD + "".join(rows) + CONSTANTS.substitute(constants)
