// An output file appears under its name complete or not at all: what the folder holds
// after a commit, after an abandon, and after a failure at each step on the way.
#include "table/output_file.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Output = substitute_host::OutputFile;
using Names = std::vector<std::string>;

class OutputFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = (fs::temp_directory_path() / "corvalent2_output_XXXXXX").string();
    ASSERT_NE(::mkdtemp(name.data()), nullptr);
    directory_ = name;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }
  std::string path(const std::string& name) const { return (directory_ / name).string(); }
  // What the folder holds, by name, hidden files included.
  Names entries() const {
    Names names;
    for (const auto& entry : fs::directory_iterator(directory_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  static void write(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
  }
  static std::string contents(const std::string& file) {
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
  }
  fs::path directory_;
};

TEST_F(OutputFile, TakesItsNameOnlyOnceComplete) {
  Output out;
  ASSERT_TRUE(out.open(path("out.csv"))) << out.error();
  ASSERT_GE(std::fputs("a,b\n1,2\n", out.stream()), 0);
  ASSERT_EQ(std::fflush(out.stream()), 0);
  // Written, but under a hidden name beside the final one.
  const Names during = entries();
  ASSERT_EQ(during.size(), 1u);
  EXPECT_EQ(during[0].rfind(".out.csv.", 0), 0u) << during[0];
  ASSERT_TRUE(out.commit()) << out.error();
  EXPECT_EQ(entries(), Names{"out.csv"});
  EXPECT_EQ(contents(path("out.csv")), "a,b\n1,2\n");
}

TEST_F(OutputFile, AnAbandonedOutputLeavesNothingAndAnEarlierFileAsItWas) {
  write(path("out.csv"), "earlier\n");
  {
    Output out;
    ASSERT_TRUE(out.open(path("out.csv"))) << out.error();
    ASSERT_GE(std::fputs("partial", out.stream()), 0);
    out.abandon();
    EXPECT_EQ(out.stream(), nullptr);
  }
  {
    Output uncommitted;  // its end abandons it
    ASSERT_TRUE(uncommitted.open(path("new.csv"))) << uncommitted.error();
    ASSERT_GE(std::fputs("partial", uncommitted.stream()), 0);
  }
  EXPECT_EQ(entries(), Names{"out.csv"});
  EXPECT_EQ(contents(path("out.csv")), "earlier\n");
}

TEST_F(OutputFile, ReplacesAFileWithItsPermissionsAndFollowsALinkToIt) {
  write(path("real.csv"), "earlier\n");
  ASSERT_EQ(::chmod(path("real.csv").c_str(), 0640), 0);
  fs::create_symlink("real.csv", path("link.csv"));
  Output out;
  ASSERT_TRUE(out.open(path("link.csv"))) << out.error();
  ASSERT_GE(std::fputs("new\n", out.stream()), 0);
  ASSERT_TRUE(out.commit()) << out.error();
  EXPECT_EQ(entries(), (Names{"link.csv", "real.csv"}));
  EXPECT_TRUE(fs::is_symlink(path("link.csv")));
  EXPECT_EQ(contents(path("real.csv")), "new\n");
  EXPECT_EQ(fs::status(path("real.csv")).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(OutputFile, RefusesWhatCannotBeWrittenBeforeAnythingIsWritten) {
  fs::create_directory(path("folder.csv"));
  Output out;
  EXPECT_FALSE(out.open(path("folder.csv")));
  EXPECT_EQ(out.error(), "Is a directory");
  EXPECT_FALSE(out.open(path("no/such/out.csv")));
  EXPECT_EQ(out.error(), "No such file or directory");
  EXPECT_FALSE(out.open(path("folder.csv/../no/out.csv")));
  EXPECT_EQ(out.error(), "No such file or directory");
  // A file the user may not write stays refused, though a new file could take its name.
  write(path("kept.csv"), "kept\n");
  ASSERT_EQ(::chmod(path("kept.csv").c_str(), 0444), 0);
  const bool writable = ::access(path("kept.csv").c_str(), W_OK) == 0;
  EXPECT_EQ(out.open(path("kept.csv")), writable);
  if (!writable) {
    EXPECT_EQ(out.error(), "Permission denied");
  }
  out.abandon();
  EXPECT_EQ(entries(), (Names{"folder.csv", "kept.csv"}));
  EXPECT_EQ(contents(path("kept.csv")), "kept\n");
}

TEST_F(OutputFile, WritesADeviceDirectlyAndReportsItsFailure) {
  Output null;
  ASSERT_TRUE(null.open("/dev/null")) << null.error();
  ASSERT_GE(std::fputs("x", null.stream()), 0);
  EXPECT_TRUE(null.commit()) << null.error();
  EXPECT_TRUE(fs::is_character_file("/dev/null"));

  Output full;
  ASSERT_TRUE(full.open("/dev/full")) << full.error();
  ASSERT_GE(std::fputs("x", full.stream()), 0);  // held in the stream's buffer
  EXPECT_FALSE(full.commit());
  EXPECT_EQ(full.error(), "No space left on device");
}

TEST_F(OutputFile, ANameTakenByAFolderMeanwhileLeavesNoFile) {
  Output out;
  ASSERT_TRUE(out.open(path("out.csv"))) << out.error();
  ASSERT_GE(std::fputs("a,b\n", out.stream()), 0);
  fs::create_directory(path("out.csv"));  // after the output was opened
  EXPECT_FALSE(out.commit());
  EXPECT_EQ(out.error(), "Is a directory");
  EXPECT_EQ(entries(), Names{"out.csv"});
  EXPECT_TRUE(fs::is_empty(path("out.csv")));
}

// Streams over a new file that accept every write into their buffer but fail when it
// is handed on at the close, or at the close itself, as a file system may that reports
// a lost write only then.
ssize_t writeThrough(void* cookie, const char* data, std::size_t size) {
  return static_cast<ssize_t>(std::fwrite(data, 1, size, static_cast<std::FILE*>(cookie)));
}
ssize_t writeNothing(void*, const char*, std::size_t) {
  errno = ENOSPC;
  return -1;
}
int closeThrough(void* cookie) { return std::fclose(static_cast<std::FILE*>(cookie)); }
int closeFailing(void* cookie) {
  std::fclose(static_cast<std::FILE*>(cookie));
  errno = EIO;
  return -1;
}

std::FILE* wrapNewFile(const fs::path& path, cookie_io_functions_t io) {
  std::FILE* file = substitute_host::createNewFile(path);
  if (file == nullptr) return nullptr;
  std::FILE* stream = ::fopencookie(file, "w", io);
  // A buffer larger than anything written: nothing reaches the file before the close.
  if (stream != nullptr) std::setvbuf(stream, nullptr, _IOFBF, 1 << 16);
  return stream;
}
std::FILE* newFileFailingToFlush(const fs::path& path) {
  return wrapNewFile(path, {nullptr, writeNothing, nullptr, closeThrough});
}
std::FILE* newFileFailingToClose(const fs::path& path) {
  return wrapNewFile(path, {nullptr, writeThrough, nullptr, closeFailing});
}

TEST_F(OutputFile, AFailureAtCloseLeavesNoFile) {
  struct Case {
    Output::Creator createNew;
    std::string error;
  };
  for (const Case& c : {Case{newFileFailingToFlush, "No space left on device"},
                        Case{newFileFailingToClose, "Input/output error"}}) {
    write(path("out.csv"), "earlier\n");
    Output out;
    ASSERT_TRUE(out.open(path("out.csv"), c.createNew)) << out.error();
    ASSERT_GE(std::fputs("a,b\n1,2\n", out.stream()), 0) << "the writes themselves succeed";
    EXPECT_FALSE(out.commit()) << c.error;
    EXPECT_EQ(out.error(), c.error);
    EXPECT_EQ(entries(), Names{"out.csv"}) << c.error;
    EXPECT_EQ(contents(path("out.csv")), "earlier\n") << c.error;
  }
}

TEST(CloseChecked, AWriteThatFailedEarlierIsAFailureThoughTheFlushSucceeds) {
  std::FILE* full = std::fopen("/dev/full", "wb");
  ASSERT_NE(full, nullptr);
  ASSERT_EQ(std::setvbuf(full, nullptr, _IONBF, 0), 0);
  EXPECT_EQ(std::fputs("x", full), EOF);
  int error = 0;
  EXPECT_FALSE(substitute_host::closeChecked(full, error));
  EXPECT_EQ(error, EIO);
}

}  // namespace
