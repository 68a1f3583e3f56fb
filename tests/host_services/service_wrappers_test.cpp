// Every host service wrapper against an independent table of what the host must see:
// the service id, the integer argument, the argument block's fields at their offsets,
// and the answer taken back, with and without a service entry.
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "service_wrappers.h"
#include "tests/support/recording_host_block.h"

namespace {

using test_doubles::RecordingHostBlock;
using test_doubles::ServiceCall;

// The inputs of every call, distinct in every byte, and the host's answers.
constexpr int32_t kIndex = 11, kValue = 0x01020304, kSecond = -3, kEntryResult = 4242;
constexpr uint8_t kByte = 0xA5;  // a flag widened with sign would arrive as -91
constexpr double kDouble = 6.5;
constexpr int64_t kValue64 = 0x1122334455667788;
int gObject = 0;
unsigned char gOwnRecord[32] = {};

uint64_t bitsOf(int32_t v) { return static_cast<uint64_t>(static_cast<int64_t>(v)); }
uint64_t bitsOf(double v) { return std::bit_cast<uint64_t>(v); }
uint64_t bitsOf(const void* v) { return reinterpret_cast<uintptr_t>(v); }

// Read and written during the call, in the live block on the wrapper's stack.
template <typename T>
T at(const ServiceCall& call, std::size_t offset) {
  T value;
  std::memcpy(&value, static_cast<const unsigned char*>(call.argumentBlock) + offset,
              sizeof value);
  return value;
}
template <typename T>
void put(const ServiceCall& call, std::size_t offset, T value) {
  std::memcpy(static_cast<unsigned char*>(call.argumentBlock) + offset, &value, sizeof value);
}

// What the host does at the call: checks the block, may answer into it, and gives the
// value the wrapper must then return.
using HostSide = std::function<uint64_t(const ServiceCall&)>;

template <typename T>
HostSide query(T preset, T answer, std::size_t offset = 0) {
  return [=](const ServiceCall& call) {
    EXPECT_EQ(at<T>(call, offset), preset);
    put(call, offset, answer);
    return bitsOf(answer);
  };
}
template <typename T>
HostSide input(T value) {
  return [=](const ServiceCall& call) {
    EXPECT_EQ(at<T>(call, 0), value);
    return bitsOf(kEntryResult);
  };
}
HostSide pairTest() {
  return [](const ServiceCall& call) {
    EXPECT_EQ(at<int32_t>(call, 0), kValue);
    EXPECT_EQ(at<int32_t>(call, 4), kSecond);
    return query<uint8_t>(0, 0xE1, 8)(call);  // 225, widened without sign
  };
}
HostSide indexValueFlag() {
  return [](const ServiceCall& call) {
    EXPECT_EQ(at<int32_t>(call, 0), kIndex);
    EXPECT_EQ(at<int32_t>(call, 4), kValue);
    EXPECT_EQ(at<uint8_t>(call, 8), kByte);
    return bitsOf(kEntryResult);
  };
}
HostSide blockIs(const void* expected) {
  return [=](const ServiceCall& call) {
    EXPECT_EQ(call.argumentBlock, expected);
    return bitsOf(kEntryResult);
  };
}
HostSide objectAsk(std::size_t answerOffset) {
  return [=](const ServiceCall& call) {
    EXPECT_EQ(at<const void*>(call, 0), &gObject);
    if (answerOffset == 16) {
      EXPECT_EQ(at<int64_t>(call, 8), kValue64);
    }
    return query<int32_t>(0, 31337, answerOffset)(call);
  };
}

struct Row {
  const char* name;
  int32_t id;
  int32_t argument;
  HostSide host;
  uint64_t absent;  // the result without an entry
  std::function<uint64_t(SimStruct*)> call;
};

#define ROW(fn, id, argument, host, absent, ...)                                     \
  Row {                                                                              \
    #fn, id, argument, host, bitsOf(absent),                                         \
        [](SimStruct* s) { return bitsOf(fn(s __VA_OPT__(, ) __VA_ARGS__)); }        \
  }

const void* const kNull = nullptr;
void* const kSomewhere = &gObject;

const std::vector<Row>& rows() {
  static const std::vector<Row> table = {
      ROW(readIndexedInt20, 20, kIndex, query<int32_t>(0, -7), 0, kIndex),
      ROW(readHostDouble, 21, 0, query<double>(0.0, 2.75), 0.0),
      ROW(readIndexedPointer102, 102, kIndex, query<void*>(nullptr, kSomewhere), kNull, kIndex),
      ROW(testIntPair175, 175, 0, pairTest(), 0, kValue, kSecond),
      ROW(setIndexedByte176, 176, kIndex, input<uint8_t>(kByte), 0, kIndex, kByte),
      ROW(readHostInt177, 177, 0, query<int32_t>(-1, -7), -1),
      ROW(handRecordAtIndex, 178, kIndex, blockIs(gOwnRecord), 0, kIndex, gOwnRecord),
      ROW(readIndexedPointer179, 179, kIndex, query<void*>(nullptr, kSomewhere), kNull, kIndex),
      ROW(setIndexedInt180, 180, kIndex, input<int32_t>(kValue), 0, kIndex, kValue),
      ROW(readIndexedInt181, 181, kIndex, query<int32_t>(0, -7), 0, kIndex),
      ROW(setIndexedByte182, 182, kIndex, input<uint8_t>(kByte), 0, kIndex, kByte),
      ROW(readIndexedByte183, 183, kIndex, query<uint8_t>(63, 0xC3), 63, kIndex),
      ROW(setIndexedInt184, 184, kIndex, input<int32_t>(kValue), 0, kIndex, kValue),
      ROW(readIndexedInt185, 185, kIndex, query<int32_t>(0, -7), 0, kIndex),
      ROW(setIndexedDouble, 186, kIndex, input<double>(kDouble), 0, kIndex, kDouble),
      ROW(readIndexedDouble, 187, kIndex, query<double>(-1.0, 2.75), -1.0, kIndex),
      ROW(setIndexedByte188, 188, kIndex, input<uint8_t>(kByte), 0, kIndex, kByte),
      ROW(readIndexedByte189, 189, kIndex, query<uint8_t>(0, 0xC3), 0, kIndex),
      ROW(readHostInt190, 190, 0, query<int32_t>(0, -7), 0),
      ROW(readIndexedPointer191, 191, kIndex, query<void*>(nullptr, kSomewhere), kNull, kIndex),
      ROW(setIndexedIntWithFlag, 192, kIndex, indexValueFlag(), 0, kIndex, kValue, kByte),
      ROW(testIntPair193, 193, 0, pairTest(), 0, kValue, kSecond),
      ROW(readIndexedInt194, 194, kIndex, query<int32_t>(-1, -7), -1, kIndex),
      ROW(readIndexedInt200, 200, kIndex, query<int32_t>(0, -7), 0, kIndex),
      ROW(readHostByte226, 226, 0, query<uint8_t>(0, 0xC3), 0),
      ROW(notifyHostFlag, 302, kByte, blockIs(nullptr), 0, kByte),
      ROW(askAboutObject303, 303, 0, objectAsk(8), 0, &gObject),
      ROW(askAboutObjectWithValue, 304, 0, objectAsk(16), 0, &gObject, kValue64),
      ROW(askAboutObject305, 305, 0, objectAsk(8), 0, &gObject),
      ROW(readIndexedInt306, 306, kIndex, query<int32_t>(0, -7), 0, kIndex),
      ROW(offerIndexedInt307, 307, kIndex, query<int32_t>(kValue, 99), kValue, kIndex, kValue),
      ROW(offerIndexedInt308, 308, kIndex, query<int32_t>(kValue, 99), kValue, kIndex, kValue),
      ROW(offerIndexedInt309, 309, kIndex, query<int32_t>(kValue, 99), kValue, kIndex, kValue),
      ROW(offerIndexedInt310, 310, kIndex, query<int32_t>(kValue, 99), kValue, kIndex, kValue),
      ROW(readIndexedPointer311, 311, kIndex, query<void*>(nullptr, kSomewhere), kNull, kIndex),
      ROW(offerIndexedIntValueFirst, 312, kIndex, query<int32_t>(kValue, 99), kValue, kValue,
          kIndex),
      ROW(setIndexedInt313, 313, kIndex, input<int32_t>(kValue), 0, kIndex, kValue),
      ROW(readIndexedInt315, 315, kIndex, query<int32_t>(0, -7), 0, kIndex),
      ROW(setIndexedInt316, 316, kIndex, input<int32_t>(kValue), 0, kIndex, kValue),
      ROW(setIndexedInt317, 317, kIndex, input<int32_t>(kValue), 0, kIndex, kValue),
      ROW(readIndexedInt319, 319, kIndex, query<int32_t>(0, -7), 0, kIndex),
      ROW(setIndexedInt320, 320, kIndex, input<int32_t>(kValue), 0, kIndex, kValue),
      ROW(setIndexedInt322, 322, kIndex, input<int32_t>(kValue), 0, kIndex, kValue),
      ROW(readHostByte324, 324, 0, query<uint8_t>(0, 0xC3), 0),
  };
  return table;
}

TEST(ServiceWrappers, EachWrapperCallsItsServiceWithItsArgumentBlock) {
  for (const Row& row : rows()) {
    SCOPED_TRACE(row.name);
    RecordingHostBlock host;
    uint64_t expected = 0;
    host.serviceAnswer = [&](const ServiceCall& call) {
      expected = row.host(call);
      return kEntryResult;
    };
    const uint64_t result = row.call(host.record());
    ASSERT_EQ(host.serviceCalls.size(), 1u);
    EXPECT_EQ(host.serviceCalls[0].block, host.record());
    EXPECT_EQ(host.serviceCalls[0].serviceId, row.id);
    EXPECT_EQ(host.serviceCalls[0].argument, row.argument);
    EXPECT_EQ(result, expected);
  }
}

TEST(ServiceWrappers, WithoutAnEntryQueriesAnswerTheirPresetAndSettersZero) {
  for (const Row& row : rows()) {
    SCOPED_TRACE(row.name);
    RecordingHostBlock host;
    host.offerServiceEntry(false);
    EXPECT_EQ(row.call(host.record()), row.absent);
  }
}

TEST(ServiceWrappers, TheEntryIsReadAtEveryCall) {
  RecordingHostBlock host;
  host.serviceAnswer = [](const ServiceCall& call) {
    put<uint8_t>(call, 0, 1);
    return 0;
  };
  EXPECT_EQ(readIndexedByte183(host.record(), 0), 1);
  host.offerServiceEntry(false);
  EXPECT_EQ(readIndexedByte183(host.record(), 0), 63);
  EXPECT_EQ(offerIndexedInt307(host.record(), 0, 5), 5);
  EXPECT_EQ(offerIndexedIntValueFirst(host.record(), 7, 0), 7);
  host.offerServiceEntry(true);
  EXPECT_EQ(readIndexedByte183(host.record(), 0), 1);
  EXPECT_EQ(host.serviceCalls.size(), 2u);
}

}  // namespace
