#include "matfile_out/level5_plan.h"

#include <algorithm>
#include <cstring>

namespace substitute_host::matfile_out {
namespace {

// The element types and array classes of the level-5 format.
constexpr std::uint32_t kInt8 = 1;
constexpr std::uint32_t kInt32 = 5;
constexpr std::uint32_t kUint32 = 6;
constexpr std::uint32_t kSingle = 7;
constexpr std::uint32_t kDouble = 9;
constexpr std::uint32_t kMatrix = 14;
constexpr std::uint32_t kStructClass = 2;
constexpr std::uint32_t kDoubleClass = 6;
constexpr std::uint32_t kSingleClass = 7;
// Room for each field name, its terminating zero included.
constexpr std::uint32_t kFieldNameRoom = 32;

std::uint64_t padded(std::uint64_t bytes) { return (bytes + 7) / 8 * 8; }

std::uint64_t valueBytes(const Level5Variable& v) {
  return std::uint64_t{v.rows} * v.columns * (v.single ? 4 : 8);
}

// The bytes of a matrix element after its tag.
std::uint64_t contentBytes(const Level5Variable& v, bool named) {
  std::uint64_t bytes = 16 + 16 + 8 + (named ? padded(v.name.size()) : 0);
  if (!v.structure) return bytes + 8 + padded(valueBytes(v));
  bytes += 8 + 8 + padded(std::uint64_t{kFieldNameRoom} * v.fields.size());
  for (const Level5Variable& field : v.fields) bytes += 8 + contentBytes(field, false);
  return bytes;
}

// Writes the known bytes in order; a gap where values go later.
struct Writer {
  Level5Plan& plan;

  std::vector<unsigned char>& current() {
    if (plan.pieces.empty() || plan.pieces.back().offset + plan.pieces.back().bytes.size() != plan.size)
      plan.pieces.push_back(Level5Piece{plan.size, {}});
    return plan.pieces.back().bytes;
  }
  void raw(const void* data, std::size_t bytes) {
    const auto* from = static_cast<const unsigned char*>(data);
    std::vector<unsigned char>& piece = current();
    piece.insert(piece.end(), from, from + bytes);
    plan.size += bytes;
  }
  void word(std::uint32_t value) { raw(&value, sizeof value); }
  void tag(std::uint32_t type, std::uint64_t bytes) {
    word(type);
    word(static_cast<std::uint32_t>(bytes));
  }
  void padTo8() {
    static constexpr unsigned char kZeros[8] = {};
    raw(kZeros, padded(plan.size) - plan.size);
  }
  void text(const std::string& value, std::size_t room) {
    std::vector<char> bytes(room, '\0');
    std::memcpy(bytes.data(), value.data(), std::min(value.size(), room - 1));
    raw(bytes.data(), bytes.size());
  }
};

void header(Writer& w) {
  std::string text = "MATLAB 5.0 MAT-file, written by corvalent2";
  text.resize(116, ' ');
  w.raw(text.data(), text.size());
  const unsigned char subsystem[8] = {};
  w.raw(subsystem, sizeof subsystem);
  const std::uint16_t version = 0x0100;
  const std::uint16_t endian = ('M' << 8) | 'I';  // reads back as "IM" in the file's order
  w.raw(&version, sizeof version);
  w.raw(&endian, sizeof endian);
}

void arrayHead(Writer& w, const Level5Variable& v, bool named, std::uint32_t arrayClass) {
  w.tag(kUint32, 8);
  w.word(arrayClass);
  w.word(0);
  w.tag(kInt32, 8);
  w.word(static_cast<std::uint32_t>(v.structure ? 1 : v.rows));
  w.word(static_cast<std::uint32_t>(v.structure ? 1 : v.columns));
  w.tag(kInt8, named ? v.name.size() : 0);
  if (named) w.raw(v.name.data(), v.name.size());
  w.padTo8();
}

void numeric(Writer& w, const Level5Variable& v) {
  w.tag(v.single ? kSingle : kDouble, valueBytes(v));
  if (!v.fixedValues.empty()) {
    w.raw(v.fixedValues.data(), v.fixedValues.size() * sizeof(double));
  } else {
    w.plan.slots.push_back(Level5Slot{w.plan.size, v.rows, v.columns, v.single ? 4u : 8u});
    w.plan.size += valueBytes(v);
  }
  w.padTo8();
}

void element(Writer& w, const Level5Variable& v, bool named) {
  w.tag(kMatrix, contentBytes(v, named));
  arrayHead(w, v, named, v.structure ? kStructClass : v.single ? kSingleClass : kDoubleClass);
  if (!v.structure) return numeric(w, v);
  // The field name length as a small element: type and length in one word, then it.
  w.word((4u << 16) | kInt32);
  w.word(kFieldNameRoom);
  w.tag(kInt8, std::uint64_t{kFieldNameRoom} * v.fields.size());
  for (const Level5Variable& field : v.fields) w.text(field.name, kFieldNameRoom);
  w.padTo8();
  for (const Level5Variable& field : v.fields) element(w, field, false);
}

}  // namespace

bool planLevel5(const std::vector<Level5Variable>& variables, Level5Plan& plan,
                std::string& error) {
  plan = Level5Plan{};
  for (const Level5Variable& v : variables) {
    if (contentBytes(v, true) > kLevel5VariableLimit) {
      error = "the variable " + v.name +
              " would take more than the 2 GiB a variable of a level-5 MAT file can hold";
      return false;
    }
  }
  Writer w{plan};
  header(w);
  for (const Level5Variable& v : variables) element(w, v, true);
  return true;
}

}  // namespace substitute_host::matfile_out
