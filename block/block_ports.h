#pragma once

// The block's fixed shape, written once: its name, its ports in order with their names
// and widths, and the options word it declares. The size declaration, the output
// method, the substitute host's replay and simulation loops and the tests all take
// their port layout from here.

#include <stddef.h>
#include <stdint.h>

#include <array>
#include <string_view>

// The S-function's name: the host's record for the block must bear exactly this name.
inline constexpr char kBlockName[] = "Corvalent2";

struct BlockPort {
  std::string_view name;
  int32_t width;
  int32_t index;  // the port's number among the inputs, or among the outputs
};

// Every port carries real single-precision data; the inputs feed straight through.
inline constexpr std::array<BlockPort, 9> kInputPorts = {{
    {"iabc1", 3, 0},
    {"theta1", 1, 1},
    {"omega1", 1, 2},
    {"iabc2", 3, 3},
    {"theta2", 1, 4},
    {"omega2", 1, 5},
    {"udc", 1, 6},
    {"iqCommand", 1, 7},
    {"steerAngle", 1, 8},
}};

inline constexpr std::array<BlockPort, 2> kOutputPorts = {{
    {"vabcNorm1", 3, 0},
    {"vabcNorm2", 3, 1},
}};

inline constexpr int32_t kInputPortCount = static_cast<int32_t>(kInputPorts.size());
inline constexpr int32_t kOutputPortCount = static_cast<int32_t>(kOutputPorts.size());

// The options word the size declaration writes whole.
inline constexpr uint32_t kDeclaredOptions = 0x20080002u;

// The ports' elements laid end to end in port order, as a row of signals.
template <size_t N>
constexpr int32_t signalCount(const std::array<BlockPort, N>& ports) {
  int32_t count = 0;
  for (const BlockPort& port : ports) count += port.width;
  return count;
}

// Where port `index` starts in that row.
template <size_t N>
constexpr int32_t signalOffset(const std::array<BlockPort, N>& ports, int32_t index) {
  int32_t offset = 0;
  for (int32_t i = 0; i < index; ++i) offset += ports[static_cast<size_t>(i)].width;
  return offset;
}

inline constexpr int32_t kInputSignalCount = signalCount(kInputPorts);
inline constexpr int32_t kOutputSignalCount = signalCount(kOutputPorts);

// Signal names below know one-element ports and three-phase ports only.
template <size_t N>
constexpr bool scalarOrThreePhase(const std::array<BlockPort, N>& ports) {
  for (const BlockPort& port : ports)
    if (port.width != 1 && port.width != 3) return false;
  return true;
}
static_assert(scalarOrThreePhase(kInputPorts) && scalarOrThreePhase(kOutputPorts));

// A signal's name: the port's name, and for a three-phase port "_a", "_b" or "_c".
struct SignalName {
  char text[24];
  constexpr std::string_view view() const { return std::string_view(text); }
};

template <int32_t Count, size_t N>
constexpr std::array<SignalName, Count> signalNames(const std::array<BlockPort, N>& ports) {
  constexpr char kPhases[] = "abc";
  std::array<SignalName, Count> names{};
  int32_t next = 0;
  for (const BlockPort& port : ports) {
    for (int32_t element = 0; element < port.width; ++element) {
      char* out = names[static_cast<size_t>(next++)].text;
      for (char c : port.name) *out++ = c;
      if (port.width == 3) {
        *out++ = '_';
        *out++ = kPhases[element];
      }
    }
  }
  return names;
}

inline constexpr auto kInputSignalNames = signalNames<kInputSignalCount>(kInputPorts);
inline constexpr auto kOutputSignalNames = signalNames<kOutputSignalCount>(kOutputPorts);
