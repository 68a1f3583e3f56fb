#!/usr/bin/env python3
"""An independent reference of the drive step, written from the arithmetic the block
is fixed to, step by step, in Python's doubles: a single-precision operation is the
double operation rounded to single (exact for + - * / and sqrt, whose double result
rounds to the same single as the single operation would).

Reads the replay input CSV on standard input, writes the replay output CSV (values as
%.9g, which name a single exactly; NaN as nan) on standard output."""

import csv
import decimal
import math
import struct
import sys

INF = math.inf


def f32(x):
    """x rounded to the nearest single, ties to even."""
    if x != x or x in (INF, -INF):
        return x
    try:
        return struct.unpack("f", struct.pack("f", x))[0]
    except OverflowError:
        return math.copysign(INF, x)


def single(bits):
    return struct.unpack(">f", bytes.fromhex(bits))[0]


def double(bits):
    return struct.unpack(">d", bytes.fromhex(bits))[0]


def div(a, b):
    if b == 0:
        if a != a or a == 0:
            return math.nan
        return math.copysign(INF, a) * math.copysign(1.0, b)
    return a / b


def call(fn, x):
    try:
        return fn(x)
    except ValueError:
        return math.nan


# Parameters, by their stored encodings.
STEER_NUM, STEER_DEN = single("3F866666"), single("3F90A3D7")
FW_ID_MIN, FW_ID_MAX = single("C38E8000"), single("00000000")
CURRENT_LIMIT = single("43960000")
V_MIN, V_MAX = single("C349ACB9"), single("4349ACB9")
SPEED_TI, SPEED_KP = single("3F800000"), single("447A0000")
FW_TI, FW_KP = single("3A03126F"), single("42480000")
IQ_TI, IQ_KP = single("3CA3D70A"), single("40C00000")
ID_TI, ID_KP = single("38D1B717"), single("40400000")
PSI, LQ, LD, RS = single("3DA3D70A"), single("39C94F50"), single("39C94F50"), single("3C449BA6")
TS = single("3851B717")
FW_REF, MOD_FILTER = single("3F733333"), single("3CA3D70A")
CLARKE_ALPHA = double("3FE5559B40000000")
CLARKE_BETA, INV_CLARKE_BETA = single("3F13D07D"), single("3F5DB22D")
MOD_SCALE = double("3F744F5D35653C9B")
ONE_THIRD = double("3FD5555555555555")


def pi_step(ref, meas, kp, ti, lo, hi, state, key):
    e = f32(ref - meas)
    u = f32(f32(e * kp) + state[key])
    if u > hi:
        return hi
    if lo > u:
        return lo
    state[key] = f32(f32(f32(e * f32(div(kp, ti))) * TS) + state[key])
    return u


def channel(iq_command, speed_ref, ia, ib, ic, theta, omega, udc, st):
    # Clarke
    beta = f32(f32(ib - ic) * CLARKE_BETA)
    alpha = f32(((ia - ib * 0.5) - ic * 0.5) * CLARKE_ALPHA)
    # Park, at the doubled angle
    phi = f32(theta + theta)
    c, s = f32(call(math.cos, phi)), f32(call(math.sin, phi))
    i_d = f32(f32(c * alpha) + f32(s * beta))
    i_q = f32(f32(c * beta) - f32(s * alpha))
    id_ref = pi_step(FW_REF, st["mod1"], FW_KP, FW_TI, FW_ID_MIN, FW_ID_MAX, st, "fw")
    iq_limit = f32(call(math.sqrt, f32(f32(CURRENT_LIMIT * CURRENT_LIMIT) - f32(id_ref * id_ref))))
    speed_pi = pi_step(speed_ref, omega, SPEED_KP, SPEED_TI, f32(-2.0 * iq_limit),
                       f32(iq_limit + iq_limit), st, "speed")
    t = f32(iq_command + speed_pi)
    t = iq_limit if iq_limit < t else t
    iq_ref = -iq_limit if -iq_limit > t else t
    vd_pi = pi_step(id_ref, i_d, ID_KP, ID_TI, V_MIN, V_MAX, st, "id")
    vq_pi = pi_step(iq_ref, i_q, IQ_KP, IQ_TI, V_MIN, V_MAX, st, "iq")
    w = f32(omega + omega)
    vd_ff = f32(f32(RS * id_ref) - f32(f32(LQ * w) * iq_ref))
    vq_ff = f32(f32(f32(f32(id_ref * LD) + PSI) * w) + f32(RS * iq_ref))
    vdq = []
    for x, y in ((vd_pi, vd_ff), (vq_pi, vq_ff)):
        z = f32(x + y)
        z = V_MAX if V_MAX < z else z
        vdq.append(V_MIN if V_MIN > z else z)
    v_alpha = f32(f32(c * vdq[0]) - f32(s * vdq[1]))
    v_beta = f32(f32(s * vdq[0]) + f32(c * vdq[1]))
    k = f32(v_beta * INV_CLARKE_BETA)
    h = v_alpha * -0.5
    va, vb, vc = v_alpha, f32(h + k), f32(h - k)
    raw = f32(call(math.sqrt, f32(f32(v_alpha * v_alpha) + f32(v_beta * v_beta))) * MOD_SCALE)
    st["mod1"] = f32(f32(f32(raw - st["mod1"]) * MOD_FILTER) + st["mod1"])
    half = f32(udc * 0.5)
    return [f32(div(va, half)), f32(div(vb, half)), f32(div(vc, half))]


def _pi(digits):
    """pi to `digits` decimals, by Machin's formula in integers."""
    scale = 10 ** (digits + 10)

    def arctan_inverse(n):
        total, term, k = 0, scale // n, 1
        while term:
            total += term // k if k % 4 == 1 else -(term // k)
            term //= n * n
            k += 2
        return total

    return _REDUCTION.divide(decimal.Decimal(16 * arctan_inverse(5) - 4 * arctan_inverse(239)), scale)


_REDUCTION = decimal.Context(prec=110)
_SERIES = decimal.Context(prec=45)
_HALF_PI = _REDUCTION.divide(_pi(105), 2)


def tangent(x):
    """tan(x) correctly rounded to double: the argument reduced by pi/2 with 110 digits
    (enough for any single), sine and cosine by their series with 45, rounded once."""
    if x != x or x in (INF, -INF):
        return math.nan
    if x == 0:
        return x
    k = _REDUCTION.to_integral_value(_REDUCTION.divide(decimal.Decimal(x), _HALF_PI))
    r = _SERIES.plus(_REDUCTION.subtract(decimal.Decimal(x), _REDUCTION.multiply(k, _HALF_PI)))
    r2 = _SERIES.multiply(r, r)
    sine, cosine, term_s, term_c, n = r, decimal.Decimal(1), r, decimal.Decimal(1), 1
    while True:
        term_s = _SERIES.divide(_SERIES.multiply(-term_s, r2), (2 * n) * (2 * n + 1))
        term_c = _SERIES.divide(_SERIES.multiply(-term_c, r2), (2 * n - 1) * (2 * n))
        if term_c == 0 or abs(term_c) < decimal.Decimal("1e-60"):
            break
        sine, cosine, n = _SERIES.add(sine, term_s), _SERIES.add(cosine, term_c), n + 1
    if int(k) % 2:
        return float(_SERIES.divide(-cosine, sine))
    return float(_SERIES.divide(sine, cosine))


def differential(a, b, steer, memory):
    # The block's tangent is correctly rounded (where the C library's may not be).
    t = tangent(steer)
    d = f32(f32(f32(3.0 * b) + f32(a * 3.0)) * 0.5)
    k = f32(((STEER_NUM * t) / STEER_DEN) * memory[0])
    g = k * 0.5
    hi, lo = f32(d + g), f32(d - g)
    memory[0] = f32(f32(lo + hi) * 0.5)
    return f32(hi * ONE_THIRD), f32(lo * ONE_THIRD)


def parse(field):
    return f32(float(field.strip()))


def main():
    names = ["iabc1_a", "iabc1_b", "iabc1_c", "theta1", "omega1", "iabc2_a", "iabc2_b",
             "iabc2_c", "theta2", "omega2", "udc", "iqCommand", "steerAngle"]
    reader = csv.reader(sys.stdin)
    header = next(reader)
    columns = [header.index(n) for n in names]
    states = [{"mod1": 0.0, "fw": 0.0, "speed": 0.0, "id": 0.0, "iq": 0.0} for _ in range(2)]
    memory = [0.0]
    out = sys.stdout
    out.write("vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c\n")
    for row in reader:
        v = [parse(row[c]) for c in columns]
        refs = differential(v[4], v[9], v[12], memory)
        o1 = channel(v[11], refs[0], v[0], v[1], v[2], v[3], v[4], v[10], states[0])
        o2 = channel(v[11], refs[1], v[5], v[6], v[7], v[8], v[9], v[10], states[1])
        out.write(",".join("nan" if x != x else "%.9g" % x for x in o1 + o2) + "\n")


if __name__ == "__main__":
    main()
