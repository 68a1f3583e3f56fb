#include "temp_stream.h"

#include <gtest/gtest.h>

FilePtr emptyStream() {
  FilePtr file(std::tmpfile());
  EXPECT_NE(file, nullptr) << "cannot make a temporary file";
  return file;
}

FilePtr streamOf(std::string_view text) {
  FilePtr file = emptyStream();
  if (file == nullptr) return file;
  EXPECT_EQ(std::fwrite(text.data(), 1, text.size(), file.get()), text.size());
  std::rewind(file.get());
  return file;
}

std::string contentsOf(std::FILE* file) {
  std::string text;
  std::rewind(file);
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
  return text;
}
