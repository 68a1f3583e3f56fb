#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "subprocess.h"

// A test with a fresh folder of its own for the files it hands the tool, removed after.
class ScratchDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override { directory_ = makeScratchDirectory(); }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
  std::string path(const std::string& name) const { return directory_ + "/" + name; }
  std::string file(const std::string& name, const std::string& text) const {
    writeFile(path(name), text);
    return path(name);
  }
  std::string directory_;
};
