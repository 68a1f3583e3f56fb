#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <matio.h>

#include "matfile_in/mat_layout.h"
#include "matfile_in/mat_sniff.h"
#include "table/row_source.h"
#include "table/single_text.h"

namespace substitute_host {

struct MatReadOptions {
  std::string variable;  // the structure or matrix to read; empty: the one that fits
  MatPurpose purpose = MatPurpose::inputs;
  // A compressed level-5 variable cannot be read in parts without inflating it from
  // its start for every part, so it is read whole when it inflates to no more than
  // this, and refused beyond.
  std::uint64_t wholeReadLimitBytes = std::uint64_t{64} << 20;
  std::size_t slabRows = 4096;  // rows read at a time
  // A 7.3 file is read through once in a child process first (mat_probe.h).
  bool probeInChild = true;
};

// The rows of a MAT file (level 5, compressed or not, or 7.3), one layout of its
// variables (mat_layout.h) read a slab of rows at a time, so memory stays the same
// whatever the number of rows. Each value is read as the nearest single.
class MatRowSource final : public RowSource {
 public:
  MatRowSource() = default;
  ~MatRowSource() override;
  MatRowSource(const MatRowSource&) = delete;
  MatRowSource& operator=(const MatRowSource&) = delete;

  // Opens the file at path and finds its layout; false with error() set, naming the
  // file (as shownName) and the variable at fault. Never throws.
  bool open(const std::string& path, const std::string& shownName,
            const MatReadOptions& options) noexcept;

  const std::vector<std::string>& names() const override { return layout_.names; }
  Status next() override;
  std::string_view field(std::size_t index) override;
  bool readSingle(std::size_t index, float& value) override {
    value = slab_[inSlab_ * layout_.names.size() + index];
    return true;
  }
  const float* rowSingles() const override { return slab_.data() + inSlab_ * layout_.names.size(); }
  // The time column keeps its doubles; any other column is a single.
  bool readDouble(std::size_t index, double& value) override;
  std::uint64_t rowNumber() const override { return row_; }
  // A file of numbers has no lines.
  std::uint64_t lineNumber() const override { return 0; }
  Status countRemainingRows(std::uint64_t& rows) override;
  bool failHeader(const std::string& message) override;
  // The layout found when the file was opened: which kind, which variable, how many rows.
  const MatLayout& layout() const { return layout_; }
  const std::string& error() const override { return error_; }
  bool readFailed() const override { return false; }
  const std::string& sourceName() const override { return sourceName_; }

 private:
  bool openFile(const std::string& path, const MatReadOptions& options);
  bool readVariableList();
  bool readCompressedWhole(const MatReadOptions& options);
  bool applyLabels(const std::string& path, MatKind kind);
  bool fillSlab();
  bool readSlabOf(const MatColumnBlock& block, std::size_t rows);
  bool readBlock(const MatColumnBlock& block, std::size_t firstColumn, std::size_t rows);
  bool fail(const std::string& message);
  void close();

  mat_t* file_ = nullptr;
  std::vector<matvar_t*> variables_;  // the file's top-level variables
  MatLayout layout_;
  std::size_t slabRows_ = 0;
  std::vector<float> slab_;            // slabRows_ rows, each row's values side by side
  std::vector<unsigned char> raw_;     // one block's slab as the file holds it
  std::size_t timeColumn_ = 0;         // the column named "time"; names().size() if none
  std::vector<double> times_;          // the time column's slab, as doubles
  std::uint64_t row_ = 0;              // rows handed out
  std::uint64_t slabFirstRow_ = 0;     // the row (0-based) at the slab's start
  std::size_t slabFilled_ = 0;         // rows in the slab
  std::size_t inSlab_ = 0;             // the current row's place in the slab
  std::string sourceName_;
  std::string error_;
  char text_[kMaxOutputValueChars] = {};
};

}  // namespace substitute_host
