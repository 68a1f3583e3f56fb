// verify-trig: checks the controller's own cosine, sine and tangent against the C
// library and MPFR.
//   verify-trig rotation   every non-NaN single: cos and sin, each rounded to single
//   verify-trig tangent    every single with |angle| < 1.6: the double tangent
//   verify-trig sample     the sampled angles of trig_sample.h, both checks; fails on
//                          any fault
// All cores share the work (--threads N chooses). Exit status 1 on a fault.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "tests/control/trig/trig_checks.h"
#include "tests/control/trig/trig_sample.h"

namespace {

constexpr std::uint32_t kPositiveInfinity = 0x7F800000u;
constexpr std::uint32_t kTangentEnd = 0x3FCCCCCDu;  // the single just above 1.6

unsigned long long ull(std::uint64_t v) { return v; }

using Check = std::function<void(std::uint64_t, TrigCounts&)>;

// Runs check(i, counts) for every i below count, in chunks taken by `threads` threads,
// with a progress line on standard error at every 5% when asked.
TrigCounts runShared(std::uint64_t count, unsigned threads, const Check& check,
                     bool progress = false) {
  constexpr std::uint64_t kChunk = 1u << 18;
  std::atomic<std::uint64_t> next{0};
  std::atomic<std::uint64_t> done{0};
  std::mutex merge;
  TrigCounts total;
  std::vector<std::thread> workers;
  for (unsigned t = 0; t < threads; ++t)
    workers.emplace_back([&] {
      TrigCounts mine;
      for (std::uint64_t start; (start = next.fetch_add(kChunk)) < count;) {
        const std::uint64_t end = start + kChunk < count ? start + kChunk : count;
        for (std::uint64_t i = start; i < end; ++i) check(i, mine);
        const std::uint64_t before = done.fetch_add(end - start);
        if (progress && (before * 20 / count) != ((before + end - start) * 20 / count))
          std::fprintf(stderr, "verify-trig: %llu%%\n", ull((before + end - start) * 100 / count));
      }
      const std::lock_guard<std::mutex> lock(merge);
      total.add(mine);
    });
  for (std::thread& w : workers) w.join();
  return total;
}

void printRotation(const TrigCounts& c) {
  std::printf("rotation: %llu angles; %llu differ from the C library, %llu of them where the "
              "library is the one not correctly rounded; %zu went the careful path\n",
              ull(c.angles), ull(c.rotationVsLibrary), ull(c.rotationLibraryWrong),
              c.guardAngles.size());
  for (std::uint32_t b : c.rotationMismatches) std::printf("  differs at 0x%08X\n", b);
}

void printTangent(const TrigCounts& c) {
  std::printf("tangent: %llu angles; %llu differ from the C library, %llu from the correctly "
              "rounded value, %llu by more than one ulp\n",
              ull(c.tangentAngles), ull(c.tangentVsLibrary), ull(c.tangentVsRounded),
              ull(c.tangentOverOneUlp));
  std::printf("approximate tangent: %llu angles below pi/4; %llu beyond 2^-50 of the true value\n",
              ull(c.approximateAngles), ull(c.approximateOverBound));
}

int rotationSweep(unsigned threads) {
  // Index i stands for the pattern i/2 with the sign i%2: every pattern up to infinity.
  const TrigCounts c = runShared(2ull * (kPositiveInfinity + 1ull), threads,
                                 [](std::uint64_t i, TrigCounts& k) {
                                   const auto bits = static_cast<std::uint32_t>(i >> 1);
                                   checkRotation(bits | static_cast<std::uint32_t>(i & 1) << 31, k);
                                 }, true);
  printRotation(c);
  for (std::uint32_t b : c.guardAngles) std::printf("  careful path at 0x%08X\n", b);
  return c.rotationVsLibrary == c.rotationLibraryWrong ? 0 : 1;
}

int tangentSweep(unsigned threads) {
  // The positive angles with MPFR; the negative ones by the symmetry, checked bit for bit.
  const TrigCounts c = runShared(kTangentEnd, threads, [](std::uint64_t i, TrigCounts& k) {
    const auto bits = static_cast<std::uint32_t>(i);
    checkTangent(bits, k);
    if (!tangentsAreOddAt(bits)) ++k.tangentNotOdd;
  }, true);
  printTangent(c);
  std::printf("  over the positive angles; both tangents odd at every one: %s, so each "
              "count doubles for |angle| < 1.6\n", c.tangentNotOdd == 0 ? "yes" : "NO");
  return c.tangentOverOneUlp == 0 && c.tangentNotOdd == 0 && c.approximateOverBound == 0 ? 0 : 1;
}

int sample(unsigned threads) {
  const std::vector<std::uint32_t> angles = sampledAngles();
  // The rotation on every angle; the tangent (MPFR's is slow) on every 4th of the spread
  // and on all the angles after it.
  const TrigCounts c = runShared(angles.size(), threads, [&](std::uint64_t i, TrigCounts& k) {
    checkRotation(angles[i], k);
    if (i % 4 == 0 || i >= kSpreadSamples) checkTangent(angles[i], k);
  });
  printRotation(c);
  printTangent(c);
  const bool good = c.rotationVsLibrary == c.rotationLibraryWrong && c.tangentOverOneUlp == 0 &&
                    c.tangentVsRounded == 0 && c.approximateOverBound == 0 &&
                    c.approximateAngles > 0 && c.angles == angles.size() &&
                    c.tangentAngles > angles.size() / 4;
  std::printf("%s\n", good ? "sampled trigonometry: passed" : "sampled trigonometry: FAILED");
  return good ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned threads = std::thread::hardware_concurrency();
  if (threads == 0) threads = 1;
  const char* mode = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc)
      threads = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    else
      mode = argv[i];
  }
  if (threads == 0) threads = 1;
  if (mode != nullptr && std::strcmp(mode, "rotation") == 0) return rotationSweep(threads);
  if (mode != nullptr && std::strcmp(mode, "tangent") == 0) return tangentSweep(threads);
  if (mode != nullptr && std::strcmp(mode, "sample") == 0) return sample(threads);
  std::fprintf(stderr, "usage: verify-trig rotation|tangent|sample [--threads N]\n");
  return 2;
}
