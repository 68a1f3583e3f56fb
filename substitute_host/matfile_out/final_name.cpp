#include "matfile_out/final_name.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdio.h>
#include <unistd.h>

namespace substitute_host::matfile_out {

namespace fs = std::filesystem;

FinalName::~FinalName() {
  if (remover_.joinable()) remover_.join();
}

bool FinalName::give(const fs::path& hidden, const fs::path& final, std::error_code& error) {
  error.clear();
  if (remover_.joinable()) remover_.join();
#ifdef RENAME_EXCHANGE
  // Only a plain file is swapped: anything else under the final name is the rename's to
  // refuse or replace, as before.
  std::error_code unknown;
  const bool earlierFile = fs::symlink_status(final, unknown).type() == fs::file_type::regular;
  if (earlierFile &&
      ::renameat2(AT_FDCWD, hidden.c_str(), AT_FDCWD, final.c_str(), RENAME_EXCHANGE) == 0) {
    removeInBackground(hidden);  // the earlier file, under the hidden name now
    return true;
  }
  // No earlier file to swap with, or a file system that cannot swap: a plain rename.
#endif
  fs::rename(hidden, final, error);
  return !error;
}

void FinalName::removeInBackground(const fs::path& earlier) {
  try {
    remover_ = std::thread([earlier] {
      sigset_t all;  // a stop signal is the loop's to see, never this thread's
      sigfillset(&all);
      pthread_sigmask(SIG_BLOCK, &all, nullptr);
      ::unlink(earlier.c_str());
    });
  } catch (...) {  // no thread (or no memory for one): removed here
    ::unlink(earlier.c_str());
  }
}

}  // namespace substitute_host::matfile_out
