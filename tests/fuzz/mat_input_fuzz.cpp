// A MAT file from arbitrary bytes, read as the comparison reads one (any layout of the
// block's signals). Besides not crashing, hanging or leaking: a refusal is one line that
// names the file, and every row the reader hands out has a value for every column.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "matfile_in/mat_row_source.h"

namespace {

using namespace substitute_host;

// The MAT library reads files by name: each input is written to one file of this
// process's own.
const std::string& inputPath() {
  static const std::string path = [] {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr ? folder : "/tmp") + "/corvalent2-fuzz-mat-" +
           std::to_string(::getpid()) + ".mat";
  }();
  return path;
}

bool writeInput(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(inputPath().c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

void checkMessage(const std::string& error) {
  fuzz::check(error.rfind("in.mat: ", 0) == 0, "the message names the file: " + error);
  fuzz::check(error.find('\n') == std::string::npos, "the message is one line: " + error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::check(writeInput(data, size), "the input file is written");
  MatReadOptions options;
  options.purpose = MatPurpose::signals;
  options.slabRows = 64;
  // A crafted 7.3 file may declare billions of rows that HDF5 fills in: a few suffice.
  constexpr std::uint64_t kRowsRead = 4096;
  MatRowSource source;
  if (!source.open(inputPath(), "in.mat", options)) {
    checkMessage(source.error());
  } else {
    const std::size_t columns = source.names().size();
    fuzz::check(columns > 0, "an opened file has columns");
    RowSource::Status status = RowSource::Status::row;
    for (std::uint64_t row = 0; row < kRowsRead; ++row) {
      status = source.next();
      if (status != RowSource::Status::row) break;
      float value = 0.0f;
      for (std::size_t column = 0; column < columns; ++column) source.readSingle(column, value);
      (void)source.field(columns - 1);
    }
    if (status == RowSource::Status::badInput) checkMessage(source.error());
  }
  std::remove(inputPath().c_str());
  return 0;
}
