#include "matfile_out/column_file.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <future>
#include <new>
#include <utility>

#include "matfile_out/final_name.h"
#include "matfile_out/hdf5_check.h"
#include "matfile_out/mat_name.h"
#include "matfile_out/mat_text.h"
#include "matfile_out/matio_calls.h"
#include "matfile_out/temporary_path.h"

namespace substitute_host::matfile_out {

namespace fs = std::filesystem;

namespace {

// A column's rows not yet in the file, as the type it is stored in. A level-5 file's
// storage is left unwritten until a row arrives, so room reserved for a long log costs
// memory only as it fills.
//
// Rows reach every column a run at a time. Large buffers all start at the same offset
// within a page, so without a skew the columns' latest rows would all fall into one set
// of the processor's cache and evict each other; each column starts `skew` values in, a
// different cache line for each of 32 neighbours.
struct HeldColumn {
  std::string name;
  bool single = false;
  std::size_t skew = 0;  // values before the first row
  std::unique_ptr<float[]> singles;
  std::unique_ptr<double[]> doubles;

  const void* data() const {
    return single ? static_cast<const void*>(singles.get() + skew) : doubles.get() + skew;
  }
  // count rows from every stride-th value of `from`, from row `row` on.
  void putRun(std::size_t row, const double* from, std::size_t stride, std::size_t count) {
    if (single) {
      float* to = singles.get() + skew + row;
      for (std::size_t i = 0; i < count; ++i) to[i] = static_cast<float>(from[i * stride]);
    } else {
      double* to = doubles.get() + skew + row;
      for (std::size_t i = 0; i < count; ++i) to[i] = from[i * stride];
    }
  }
  // Writes the whole room once, so that the system provides its pages now, not row by
  // row as the first block fills.
  void touch(std::size_t capacity) {
    if (single)
      std::fill_n(singles.get(), skew + capacity, 0.0f);
    else
      std::fill_n(doubles.get(), skew + capacity, 0.0);
  }
  // Room for capacity rows, keeping the first `kept`.
  void resize(std::size_t capacity, std::size_t kept) {
    if (single)
      singles = grown(singles, capacity, kept);
    else
      doubles = grown(doubles, capacity, kept);
  }

 private:
  template <typename T>
  std::unique_ptr<T[]> grown(const std::unique_ptr<T[]>& old, std::size_t capacity,
                             std::size_t kept) const {
    auto room = std::make_unique_for_overwrite<T[]>(skew + capacity);
    if (kept > 0) std::memcpy(room.get() + skew, old.get() + skew, kept * sizeof(T));
    return room;
  }
};

// The skew of the column at this index: whole cache lines, 32 different ones.
std::size_t columnSkew(std::size_t index, bool single) {
  constexpr std::size_t kLineBytes = 64;
  return (index % 32) * kLineBytes / (single ? sizeof(float) : sizeof(double));
}

struct TextVariable {
  std::string name;
  std::vector<std::uint16_t> units;
};

struct ScalarVariable {
  std::string name;
  double value = 0.0;
};

}  // namespace

// Rows gathered before they go to the columns; a block is a whole number of tiles.
constexpr std::size_t kTileRows = 64;
static_assert(kBlockRows % kTileRows == 0);

struct MatColumnFile::State {
  MatVersion version = MatVersion::v73;
  PlacedOutput placed;
  mat_t* mat = nullptr;
  std::vector<HeldColumn> columns;
  std::size_t room = 0;  // rows each column has room for
  // A 7.3 file's full block being written on a thread of its own, from the spare
  // columns, while the next block fills the others; why it failed lands in pendingError.
  std::vector<HeldColumn> spare;
  std::future<bool> pending;
  std::string pendingError;
  // The latest rows as they came, row by row, before they go to the columns: a few rows
  // kept close at hand, then a run of rows copied to each column at once, so that each
  // column's stores fill whole cache lines instead of one value in each of 36 lines.
  std::vector<double> tile;
  std::size_t tiled = 0;  // rows in the tile
  std::vector<TextVariable> texts;
  std::vector<ScalarVariable> scalars;
  std::size_t held = 0;    // rows in the columns, not yet in the file
  std::uint64_t rows = 0;  // rows appended in all
  bool failed = false;
};

std::uint64_t columnBytes(std::span<const MatColumn> columns, std::uint64_t rows) {
  std::uint64_t perRow = 0;
  for (const MatColumn& column : columns) perRow += column.single ? 4 : 8;
  return perRow * rows;
}

MatColumnFile::MatColumnFile() = default;
MatColumnFile::~MatColumnFile() { abandon(); }

std::uint64_t MatColumnFile::rows() const { return state_ ? state_->rows : 0; }

namespace {

// The columns as the file holds them, with room for the rows they hold at once; the
// first of them is the file's column number `first`. A 7.3 file's block buffers serve
// the whole run: their memory is touched here rather than page by page in the run.
std::vector<HeldColumn> heldColumns(const std::vector<MatColumn>& columns, std::size_t room,
                                    MatVersion version, std::size_t first = 0) {
  std::vector<HeldColumn> held;
  for (const MatColumn& column : columns) {
    const std::size_t skew = columnSkew(first + held.size(), column.single);
    HeldColumn h{validMatName(column.name), column.single, skew, {}, {}};
    h.resize(room, 0);
    if (version == MatVersion::v73) h.touch(room);
    held.push_back(std::move(h));
  }
  return held;
}

}  // namespace

bool MatColumnFile::open(const std::string& path, MatVersion version,
                         const std::vector<MatColumn>& columns, std::uint64_t expectedRows) {
  abandon();
  error_.clear();
  if (version == MatVersion::v5 && columnBytes(columns, expectedRows) > kLevel5MemoryBytes) {
    error_ = "a level-5 file is held in memory until the end, and " + std::to_string(expectedRows) +
             " rows would take more than 1 GiB: use the 7.3 " + "format or fewer rows";
    return false;
  }
  try {
    auto state = std::make_unique<State>();
    state->version = version;
    state->room = version == MatVersion::v73 ? kBlockRows : expectedRows;
    state->columns = heldColumns(columns, state->room, version);
    if (version == MatVersion::v73) state->spare = heldColumns(columns, state->room, version);
    state->tile.resize(kTileRows * columns.size());
    if (!reserveTemporary(path, state->placed, error_)) return false;
    state_ = std::move(state);
  } catch (const std::bad_alloc&) {
    error_ = "out of memory for the MAT file's rows";
    return false;
  }
  state_->mat = createMat(state_->placed.temporaryPath, version, error_);
  if (state_->mat != nullptr) return true;
  abandon();
  return false;
}

bool MatColumnFile::addColumn(const MatColumn& column) {
  if (!state_ || state_->rows > 0) return false;
  try {
    const std::size_t index = state_->columns.size();
    std::vector<HeldColumn> added = heldColumns({column}, state_->room, state_->version, index);
    state_->columns.push_back(std::move(added.front()));
    if (state_->version == MatVersion::v73) {
      added = heldColumns({column}, state_->room, state_->version, index);
      state_->spare.push_back(std::move(added.front()));
    }
    state_->tile.resize(kTileRows * state_->columns.size());
  } catch (const std::bad_alloc&) {
    error_ = "out of memory for the MAT file's rows";
    return false;
  }
  return true;
}

namespace {

// Hands the held rows of every column to a 7.3 file, as one more block of each.
bool appendHeld(mat_t* mat, std::vector<HeldColumn>& columns, std::size_t rows,
                std::string& error) {
  for (HeldColumn& column : columns) {
    if (!appendColumn(mat, column.name, column.single, column.data(), rows, error)) return false;
  }
  return true;
}

// appendHeld on a thread of its own. Signals are left to the thread that runs the loop:
// it is the one that looks for a stop. Nothing is thrown across to the loop.
bool appendHeldQuietly(mat_t* mat, std::vector<HeldColumn>& columns, std::size_t rows,
                       std::string& error) noexcept {
  sigset_t all;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, nullptr);
  try {
    return appendHeld(mat, columns, rows, error);
  } catch (...) {  // out of memory for a message: the failure still shows
    return false;
  }
}

}  // namespace

// Waits for the block being written, if any; false (the file failed) when it was not.
// Only one thread is ever inside the file's library: every other call waits here first.
bool MatColumnFile::awaitPending(State& s) {
  if (!s.pending.valid()) return !s.failed;
  if (!s.pending.get()) {
    error_ = s.pendingError;
    s.failed = true;
  }
  return !s.failed;
}

// Hands the full block to the file on a thread of its own, so that the loop fills the
// next block meanwhile instead of waiting on the file system; the two take turns with
// the two sets of buffers. Where no thread can be had, the block is written here.
bool MatColumnFile::handOverBlock(State& s) {
  if (!awaitPending(s)) return false;
  std::swap(s.columns, s.spare);
  const std::size_t rows = std::exchange(s.held, 0);
  try {
    s.pending = std::async(std::launch::async, appendHeldQuietly, s.mat, std::ref(s.spare), rows,
                           std::ref(s.pendingError));
    return true;
  } catch (const std::exception&) {  // no thread, or no memory to start one
    s.failed = !appendHeld(s.mat, s.spare, rows, error_);
    return !s.failed;
  }
}

// More room for a level-5 file's rows than the run said it would log.
bool MatColumnFile::grow(State& s) {
  try {
    const std::size_t room = std::max<std::size_t>(2 * s.room, kBlockRows);
    for (HeldColumn& column : s.columns) column.resize(room, s.held);
    s.room = room;
    return true;
  } catch (const std::bad_alloc&) {
    error_ = "out of memory for the MAT file's rows";
    s.failed = true;
    return false;
  }
}

// The tile's rows to the columns, each column a run of rows at once; a full block of a
// 7.3 file then goes to the file.
bool MatColumnFile::flushTile(State& s) {
  if (s.held + s.tiled > s.room && !grow(s)) return false;
  const std::size_t width = s.columns.size();
  for (std::size_t i = 0; i < width; ++i)
    s.columns[i].putRun(s.held, s.tile.data() + i, width, s.tiled);
  s.held += s.tiled;
  s.tiled = 0;
  if (s.version == MatVersion::v73 && s.held == kBlockRows) return handOverBlock(s);
  return !s.failed;
}

std::span<double> MatColumnFile::nextRow() {
  if (!state_ || state_->failed) return {};
  State& s = *state_;
  const std::size_t width = s.columns.size();
  return {s.tile.data() + s.tiled * width, width};
}

bool MatColumnFile::finishRow() {
  if (!state_ || state_->failed) return false;
  State& s = *state_;
  ++s.tiled;
  ++s.rows;
  return s.tiled < kTileRows || flushTile(s);
}

bool MatColumnFile::appendRow(std::span<const double> values) {
  if (!state_ || state_->failed) return false;
  const std::span<double> row = nextRow();
  const std::size_t given = std::min(values.size(), row.size());
  std::copy_n(values.data(), given, row.data());
  std::fill(row.begin() + static_cast<std::ptrdiff_t>(given), row.end(), 0.0);
  return finishRow();
}

void MatColumnFile::addText(std::string_view name, std::string_view utf8) {
  if (!state_) return;
  try {
    state_->texts.push_back(TextVariable{validMatName(name), utf16Units(utf8)});
  } catch (const std::bad_alloc&) {
    error_ = "out of memory for the MAT file's text";
    state_->failed = true;
  }
}

void MatColumnFile::addScalar(std::string_view name, double value) {
  if (!state_) return;
  try {
    state_->scalars.push_back(ScalarVariable{validMatName(name), value});
  } catch (const std::bad_alloc&) {
    error_ = "out of memory for the MAT file's variables";
    state_->failed = true;
  }
}

namespace {

// The rows still held: one last (shorter) block of a 7.3 file, every row of a level-5
// file. A 7.3 file without any row gets its empty columns here.
bool writeHeld(mat_t* mat, MatVersion version, std::vector<HeldColumn>& columns, std::size_t held,
               std::uint64_t rows, std::string& error) {
  if (version == MatVersion::v73 && rows > 0) {
    return held == 0 || appendHeld(mat, columns, held, error);
  }
  for (const HeldColumn& column : columns) {
    if (!writeColumn(mat, column.name, column.single, column.data(), held, error)) return false;
  }
  return true;
}

bool writeExtras(mat_t* mat, const std::vector<TextVariable>& texts,
                 const std::vector<ScalarVariable>& scalars, std::string& error) {
  for (const TextVariable& text : texts) {
    if (!writeText(mat, text.name, text.units, error)) return false;
  }
  for (const ScalarVariable& scalar : scalars) {
    if (!writeScalar(mat, scalar.name, scalar.value, error)) return false;
  }
  return true;
}

std::vector<std::string> columnNames(const std::vector<HeldColumn>& columns) {
  std::vector<std::string> names;
  for (const HeldColumn& column : columns) names.push_back(column.name);
  return names;
}

}  // namespace

// Gives the finished file its name (see FinalName: an earlier file is removed off this
// thread).
void MatColumnFile::replaceFinal(const PlacedOutput& placed, std::error_code& renamed) {
  try {
    if (!finalName_) finalName_ = std::make_unique<FinalName>();
  } catch (const std::bad_alloc&) {
    fs::rename(placed.temporaryPath, placed.finalPath, renamed);
    return;
  }
  finalName_->give(placed.temporaryPath, placed.finalPath, renamed);
}

namespace {

// The rows' memory given back once the rows are in the file, the names kept: the
// system takes it back fastest while no other thread of ours is running.
void releaseRows(std::vector<HeldColumn>& columns) {
  for (HeldColumn& column : columns) {
    column.singles.reset();
    column.doubles.reset();
  }
}

}  // namespace

// Waits for the block on its way, writes the rows still held and the variables beside
// them, and closes the file.
bool MatColumnFile::finishWriting(State& s) {
  bool ok = awaitPending(s) && flushTile(s) && awaitPending(s) &&
            writeHeld(s.mat, s.version, s.columns, s.held, s.rows, error_) &&
            writeExtras(s.mat, s.texts, s.scalars, error_);
  releaseRows(s.columns);
  releaseRows(s.spare);
  mat_t* const mat = std::exchange(s.mat, nullptr);
  return closeMat(mat, error_) && ok;
}

bool MatColumnFile::commit() {
  if (!state_) {
    if (error_.empty()) error_ = "the MAT file was not opened";
    return false;
  }
  State& s = *state_;
  bool ok = finishWriting(s);
  try {
    // An empty 7.3 variable is stored in a form of its own, which libmatio knows.
    const std::vector<std::string> names = columnNames(s.columns);
    ok = ok && (s.version == MatVersion::v73 && s.rows > 0
                    ? checkColumns73(s.placed.temporaryPath, names, s.rows, error_)
                    : checkColumns(s.placed.temporaryPath, names, s.rows, error_));
  } catch (const std::bad_alloc&) {
    error_ = "out of memory checking the MAT file";
    ok = false;
  }
  std::error_code renamed;
  if (ok) replaceFinal(s.placed, renamed);
  if (renamed) error_ = renamed.message();
  if (!ok || renamed) {
    abandon();
    return false;
  }
  s.placed.temporaryPath.clear();
  state_.reset();
  return true;
}

void MatColumnFile::abandon() {
  if (!state_) return;
  if (state_->pending.valid()) state_->pending.wait();  // the file is not closed under it
  if (state_->mat != nullptr) {
    std::string ignored;  // the file is thrown away: whether it closed no longer matters
    closeMat(state_->mat, ignored);
  }
  removeTemporary(state_->placed);
  state_.reset();
}

}  // namespace substitute_host::matfile_out
