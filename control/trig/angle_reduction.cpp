#include "angle_reduction.h"

#include <bit>
#include <cstdint>

namespace {

// The fraction bits of 2/pi, most significant first: bit 1 of the first word is the
// bit of weight 2^-1.
constexpr std::uint64_t kTwoOverPiBits[] = {
    0xA2F9836E4E441529u, 0xFC2757D1F534DDC0u, 0xDB6295993C439041u, 0xFE5163ABDEBBC561u,
    0xB7246E3A424DD2E0u, 0x06492EEA09D1921Cu};

constexpr DoubleDouble kHalfPi = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};

// A 192-bit unsigned number, most significant word first.
struct Wide {
  std::uint64_t w[3];
};

// 192 bits of 2/pi from bit `skip` + 1 on.
Wide twoOverPiWindow(int skip) {
  const int word = skip / 64;
  const int shift = skip % 64;
  Wide g{};
  for (int i = 0; i < 3; ++i) {
    g.w[i] = kTwoOverPiBits[word + i];
    if (shift != 0) g.w[i] = (g.w[i] << shift) | (kTwoOverPiBits[word + i + 1] >> (64 - shift));
  }
  return g;
}

// m * w + carry as two 64-bit words (high, low), for m of at most 24 bits: in 64-bit
// integers only, so that 32-bit processors, which have no 128-bit type, compute it too.
struct TwoWords {
  std::uint64_t high, low;
};
TwoWords multiplyAdd(std::uint32_t m, std::uint64_t w, std::uint64_t carry) {
  const std::uint64_t lowPart = m * (w & 0xFFFFFFFFu);  // below 2^56
  const std::uint64_t highPart = m * (w >> 32);         // below 2^56
  std::uint64_t low = lowPart + (highPart << 32);
  std::uint64_t high = (highPart >> 32) + (low < lowPart ? 1u : 0u);
  low += carry;
  if (low < carry) ++high;
  return {high, low};
}

// m * g as 256 bits, most significant word first; m has at most 24 bits.
void multiply(std::uint32_t m, const Wide& g, std::uint64_t out[4]) {
  const TwoWords p2 = multiplyAdd(m, g.w[2], 0);
  const TwoWords p1 = multiplyAdd(m, g.w[1], p2.high);
  const TwoWords p0 = multiplyAdd(m, g.w[0], p1.high);
  out[0] = p0.high;
  out[1] = p0.low;
  out[2] = p1.low;
  out[3] = p2.low;
}

// 2^-n for 0 <= n < 1022, built from its bits.
double powerOfTwoBelowOne(int n) {
  return std::bit_cast<double>(static_cast<std::uint64_t>(1023 - n) << 52);
}

// The fraction f (in quarter turns) as a double-double, from 192 bits with weight 2^-192.
DoubleDouble wideToDouble(Wide f) {
  int zeros = 0;
  while (f.w[0] == 0 && zeros < 192) {
    f = {{f.w[1], f.w[2], 0}};
    zeros += 64;
  }
  if (zeros >= 192) return {0.0, 0.0};
  const int lead = std::countl_zero(f.w[0]);
  if (lead != 0) {
    f.w[0] = (f.w[0] << lead) | (f.w[1] >> (64 - lead));
    f.w[1] = (f.w[1] << lead) | (f.w[2] >> (64 - lead));
  }
  zeros += lead;
  const double hi = static_cast<double>(f.w[0] >> 11) * powerOfTwoBelowOne(53 + zeros);
  const std::uint64_t next = ((f.w[0] & 0x7FFu) << 42) | (f.w[1] >> 22);
  const double lo = static_cast<double>(next) * powerOfTwoBelowOne(106 + zeros);
  return {hi, lo};
}

Wide negate(Wide f) {
  Wide n{{~f.w[0], ~f.w[1], ~f.w[2]}};
  if (++n.w[2] == 0 && ++n.w[1] == 0) ++n.w[0];
  return n;
}

}  // namespace

// angle = m * 2^e with a 24-bit integer m; angle * 2/pi / 4 modulo 1 is m times the bits
// of 2/pi that lie from 2^(e-2) down, since the bits above give whole turns. Its top two
// bits are the quadrant and the rest the fraction of a quarter turn.
ReducedAngle reduceAngleExactly(float angle) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(angle);
  const int biased = static_cast<int>(bits >> 23);
  if (biased == 0) return {0, {static_cast<double>(angle), 0.0}};  // subnormal: no turn
  const std::uint32_t m = (bits & 0x7FFFFFu) | 0x800000u;
  const int skip = biased - 150 - 2;
  std::uint64_t p[4];
  multiply(m, twoOverPiWindow(skip > 0 ? skip : 0), p);
  Wide turns{{p[1], p[2], p[3]}};
  if (skip < 0) {
    const int n = -skip;  // at most 26 for the smallest normal singles above
    turns = {{(p[1] >> n) | (p[0] << (64 - n)), (p[2] >> n) | (p[1] << (64 - n)),
              (p[3] >> n) | (p[2] << (64 - n))}};
  }
  unsigned quadrant = static_cast<unsigned>(turns.w[0] >> 62);
  Wide f{{(turns.w[0] << 2) | (turns.w[1] >> 62), (turns.w[1] << 2) | (turns.w[2] >> 62),
          turns.w[2] << 2}};
  bool negative = false;
  if (f.w[0] >> 63) {  // half a quarter turn or more: measure from the next quadrant
    quadrant = (quadrant + 1) & 3u;
    f = negate(f);
    negative = true;
  }
  DoubleDouble r = ddMul(wideToDouble(f), kHalfPi);
  if (negative) r = ddNegate(r);
  return {quadrant, r};
}
