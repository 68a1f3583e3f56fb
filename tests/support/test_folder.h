#pragma once

// A folder of its own for the running test case, empty at the start: named after the
// case and the process, so that cases run side by side (CTest -j) never share one.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace corvalent2_test {

inline std::filesystem::path freshTestFolder(std::string_view prefix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      (std::string(prefix) + info->name() + "_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace corvalent2_test
