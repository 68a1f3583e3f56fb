// A fuzz target as a plain program: runs its entry point on every file of the corpus
// folders (or files) named on the command line, so the committed seeds and every
// reproducer run in each normal test run, with or without a fuzzing engine.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_support.h"

namespace {

bool runFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return false;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR_OR_FILE...\n", argv[0]);
    return 2;
  }
  std::size_t inputs = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path root = argv[i];
    std::error_code ec;
    if (!std::filesystem::is_directory(root, ec)) {
      if (!runFile(root)) return 1;
      ++inputs;
      continue;
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      if (!entry.is_regular_file()) continue;
      if (!runFile(entry.path())) return 1;
      ++inputs;
    }
  }
  // A corpus that has gone missing must not pass as a corpus that ran clean.
  if (inputs == 0) {
    std::fprintf(stderr, "no corpus input found\n");
    return 1;
  }
  std::printf("%zu inputs ran\n", inputs);
  return 0;
}
