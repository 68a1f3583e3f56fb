#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// An anonymous temporary file holding text, positioned at its start.
FilePtr streamOf(std::string_view text);
// An empty anonymous temporary file to write into.
FilePtr emptyStream();
// Everything in the stream, read from its start.
std::string contentsOf(std::FILE* file);
