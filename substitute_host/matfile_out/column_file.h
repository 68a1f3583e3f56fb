#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace substitute_host::matfile_out {

class FinalName;
struct PlacedOutput;

enum class MatVersion {
  v73,  // HDF5 based: rows streamed into the file in blocks, memory flat (two blocks)
  v5,   // level 5, for readers that know no other: rows held in memory until the end
};

// One N-by-1 variable of the file: its name (made a valid MAT name, see validMatName)
// and whether it holds singles (else doubles).
struct MatColumn {
  std::string name;
  bool single = false;
};

// Rows handed to a 7.3 file at once: the chunk shape of every variable is fixed by its
// first block, so blocks are long. A full block is written on a thread of its own while
// the next one fills, so a 7.3 file holds two blocks in memory (for the simulation log's
// 36 columns, 7 MB, whatever the length of the run).
inline constexpr std::size_t kBlockRows = 16384;
// The most a level-5 file may hold in memory before it is written; a longer log is
// refused when the file is opened.
inline constexpr std::uint64_t kLevel5MemoryBytes = std::uint64_t{1} << 30;

// Bytes that rows of these columns take in memory (and in a level-5 file).
std::uint64_t columnBytes(std::span<const MatColumn> columns, std::uint64_t rows);

// A MAT file of named columns that appears under its name complete or not at all: it is
// written under a hidden name beside the final one, closed (each step checked), read
// back to check that every column has every row, and only then renamed. A file of that
// name from before stays as it was until then. Never throws.
class MatColumnFile {
 public:
  MatColumnFile();
  MatColumnFile(const MatColumnFile&) = delete;
  MatColumnFile& operator=(const MatColumnFile&) = delete;
  ~MatColumnFile();  // what was not committed is abandoned

  // Starts the file. expectedRows bounds a level-5 file's memory: above
  // kLevel5MemoryBytes the file is refused before any row. False with error() set.
  bool open(const std::string& path, MatVersion version, const std::vector<MatColumn>& columns,
            std::uint64_t expectedRows = 0);
  // Adds a column after those open named; only before the first row. False otherwise.
  bool addColumn(const MatColumn& column);
  // One value per column, in the columns' order (a single column takes the value as a
  // single). False once writing has failed.
  bool appendRow(std::span<const double> values);
  // The same in two steps, for a row made where the file keeps it rather than copied
  // there: nextRow gives room for one value per column (empty once writing has failed),
  // finishRow adds what was put there.
  std::span<double> nextRow();
  bool finishRow();
  // Variables written beside the columns when the file is committed: a 1-by-N char
  // array of the text, a 1-by-1 double.
  void addText(std::string_view name, std::string_view utf8);
  void addScalar(std::string_view name, double value);

  // Writes what is held, closes and checks the file, then gives it its name. False,
  // with error() saying why, when a step failed; nothing is left behind then.
  bool commit();
  // Closes and removes what was written: for a command that failed.
  void abandon();

  std::uint64_t rows() const;
  const std::string& error() const { return error_; }

 private:
  struct State;
  bool grow(State& state);
  bool flushTile(State& state);
  bool awaitPending(State& state);
  bool handOverBlock(State& state);
  bool finishWriting(State& state);
  void replaceFinal(const PlacedOutput& placed, std::error_code& renamed);

  std::unique_ptr<State> state_;
  std::unique_ptr<FinalName> finalName_;  // removes the file a commit replaced
  std::string error_;
};

}  // namespace substitute_host::matfile_out
