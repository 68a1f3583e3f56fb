// replay IN.mat -o OUT.mat, run as the tool on inputs libmatio writes: the outputs come
// back in the input's layout, the time bit for bit, the outputs the very singles of the
// replay of the same rows to CSV; a full disk or an output named as the input leaves
// no file.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/matfile_out/mat_reading.h"
#include "tests/support/test_folder.h"

namespace {

namespace fs = std::filesystem;
using corvalent2_test::readVariable;

constexpr std::size_t kRows = 3000;

// Inputs a controller running from rest reacts to: a DC link near 400 V, a q-current
// command, a speed; the rest drifting. Column-major, kRows by 13.
std::vector<float> inputRows() {
  std::vector<float> x(kRows * 13, 0.0f);
  for (std::size_t r = 0; r < kRows; ++r) {
    for (std::size_t c = 0; c < 13; ++c) x[c * kRows + r] = 0.001f * static_cast<float>((r * (c + 3)) % 997);
    x[4 * kRows + r] = 100.0f;         // omega1
    x[10 * kRows + r] = 400.0f;        // udc
    x[11 * kRows + r] = 20.0f;         // iqCommand
  }
  return x;
}

// A time no single holds: its doubles must come through untouched.
double timeAt(std::size_t row) { return static_cast<double>(row) * 5e-5 + 1e-13; }

class ReplayMatLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = corvalent2_test::freshTestFolder("corvalent2_matlayout_");
  }
  void TearDown() override {
    ::umount((dir_ / "small").c_str());  // mounted by the full-disk case; else refused
    fs::remove_all(dir_);
  }

  int replay(const fs::path& in, const fs::path& out, std::string& err) {
    const std::string command = std::string(CORVALENT2_TOOL) + " replay '" + in.string() +
                                "' -o '" + out.string() + "' 2> '" + (dir_ / "err.txt").string() + "'";
    const int status = std::system(command.c_str());
    std::ifstream text(dir_ / "err.txt");
    std::ostringstream read;
    read << text.rdbuf();
    err = read.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // The six outputs of the CSV replay of `in`, column by column, as the singles printed.
  std::vector<float> csvOutputs(const fs::path& in) {
    std::string err;
    EXPECT_EQ(replay(in, dir_ / "reference.csv", err), 0) << err;
    std::ifstream csv(dir_ / "reference.csv");
    std::string line;
    std::getline(csv, line);
    std::vector<float> y(kRows * 6, 0.0f);
    for (std::size_t r = 0; r < kRows && std::getline(csv, line); ++r) {
      const char* at = line.c_str();
      for (std::size_t c = 0; c < 6; ++c) {
        char* end = nullptr;
        y[c * kRows + r] = std::strtof(at, &end);
        at = end + 1;
      }
    }
    return y;
  }

  fs::path dir_;
};

void writeMatrixWithTime(const fs::path& path) {
  const std::vector<float> x = inputRows();
  std::vector<double> m(kRows * 14);
  for (std::size_t r = 0; r < kRows; ++r) m[r] = timeAt(r);
  for (std::size_t i = 0; i < x.size(); ++i) m[kRows + i] = x[i];
  mat_t* mat = Mat_CreateVer(path.c_str(), nullptr, MAT_FT_MAT5);
  size_t dims[2] = {kRows, 14};
  matvar_t* var = Mat_VarCreate("m", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims, m.data(), 0);
  Mat_VarWrite(mat, var, MAT_COMPRESSION_NONE);
  Mat_VarFree(var);
  Mat_Close(mat);
}

void writeStructureWithTime(const fs::path& path) {
  std::vector<float> x = inputRows();
  std::vector<double> t(kRows);
  for (std::size_t r = 0; r < kRows; ++r) t[r] = timeAt(r);
  size_t column[2] = {kRows, 1}, values[2] = {kRows, 13}, one[2] = {1, 1};
  const char* signalFields[1] = {"values"};
  matvar_t* signals = Mat_VarCreateStruct("signals", 2, one, signalFields, 1);
  Mat_VarSetStructFieldByName(signals, "values", 0,
                              Mat_VarCreate("values", MAT_C_SINGLE, MAT_T_SINGLE, 2, values, x.data(), 0));
  const char* fields[2] = {"time", "signals"};
  matvar_t* log = Mat_VarCreateStruct("log", 2, one, fields, 2);
  Mat_VarSetStructFieldByName(log, "time", 0, Mat_VarCreate("time", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, column, t.data(), 0));
  Mat_VarSetStructFieldByName(log, "signals", 0, signals);
  mat_t* mat = Mat_CreateVer(path.c_str(), nullptr, MAT_FT_MAT5);
  Mat_VarWrite(mat, log, MAT_COMPRESSION_NONE);
  Mat_VarFree(log);
  Mat_Close(mat);
}

TEST_F(ReplayMatLayout, AMatrixWithTimeComesBackSevenWideWithItsTimeFirst) {
  writeMatrixWithTime(dir_ / "in.mat");
  const std::vector<float> y = csvOutputs(dir_ / "in.mat");
  ASSERT_NE(y[kRows - 1], 0.0f);  // the controller answered: a wrong place would show
  std::string err;
  ASSERT_EQ(replay(dir_ / "in.mat", dir_ / "out.mat", err), 0) << err;
  const auto m = readVariable((dir_ / "out.mat").string(), "m");
  ASSERT_TRUE(m.found);
  EXPECT_EQ(m.classType, MAT_C_DOUBLE);
  ASSERT_EQ(m.rows, kRows);
  ASSERT_EQ(m.columns, 7u);
  for (std::size_t r = 0; r < kRows; ++r) {
    ASSERT_EQ(m.at<double>(r), timeAt(r)) << r;
    for (std::size_t c = 0; c < 6; ++c)
      ASSERT_EQ(m.at<double>((c + 1) * kRows + r), static_cast<double>(y[c * kRows + r])) << r << "," << c;
  }
}

TEST_F(ReplayMatLayout, AStructureWithTimeComesBackAsOne) {
  writeStructureWithTime(dir_ / "in.mat");
  const std::vector<float> y = csvOutputs(dir_ / "in.mat");
  std::string err;
  ASSERT_EQ(replay(dir_ / "in.mat", dir_ / "out.mat", err), 0) << err;
  mat_t* mat = Mat_Open((dir_ / "out.mat").c_str(), MAT_ACC_RDONLY);
  ASSERT_NE(mat, nullptr);
  matvar_t* log = Mat_VarRead(mat, "log");
  ASSERT_NE(log, nullptr);
  matvar_t* time = Mat_VarGetStructFieldByName(log, "time", 0);
  matvar_t* signals = Mat_VarGetStructFieldByName(log, "signals", 0);
  ASSERT_TRUE(time != nullptr && signals != nullptr);
  matvar_t* values = Mat_VarGetStructFieldByName(signals, "values", 0);
  matvar_t* dimensions = Mat_VarGetStructFieldByName(signals, "dimensions", 0);
  ASSERT_TRUE(values != nullptr && dimensions != nullptr);
  ASSERT_EQ(values->class_type, MAT_C_SINGLE);
  ASSERT_EQ(values->dims[0], kRows);
  ASSERT_EQ(values->dims[1], 6u);
  const auto* t = static_cast<const double*>(time->data);
  const auto* v = static_cast<const float*>(values->data);
  for (std::size_t r = 0; r < kRows; ++r) ASSERT_EQ(t[r], timeAt(r)) << r;
  for (std::size_t i = 0; i < kRows * 6; ++i) ASSERT_EQ(v[i], y[i]) << i;
  EXPECT_EQ(*static_cast<const double*>(dimensions->data), 6.0);
  Mat_VarFree(log);
  Mat_Close(mat);
}

TEST_F(ReplayMatLayout, AnOutputNamedAsTheInputIsRefusedAndTheInputKept) {
  writeMatrixWithTime(dir_ / "in.mat");
  const auto size = fs::file_size(dir_ / "in.mat");
  std::string err;
  EXPECT_EQ(replay(dir_ / "in.mat", dir_ / "in.mat", err), 2);
  EXPECT_NE(err.find("is the input file"), std::string::npos) << err;
  EXPECT_EQ(fs::file_size(dir_ / "in.mat"), size);
}

TEST_F(ReplayMatLayout, AFullDiskFailsAndLeavesNoFile) {
  writeMatrixWithTime(dir_ / "in.mat");  // its output: 3000 x 7 doubles, 168 kB
  const fs::path small = dir_ / "small";
  fs::create_directories(small);
  if (::geteuid() != 0 || ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a small tmpfs needs root";
  std::string err;
  EXPECT_EQ(replay(dir_ / "in.mat", small / "out.mat", err), 1);
  EXPECT_NE(err.find("No space left on device"), std::string::npos) << err;
  EXPECT_TRUE(fs::is_empty(small));
}

}  // namespace
