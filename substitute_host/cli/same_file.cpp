#include "same_file.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace substitute_host {

#if defined(_WIN32)
namespace {

// The C library's stat gives every file the inode 0 on Windows; a file is named by its
// volume serial number and file index instead.
bool fileIdentity(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK &&
         GetFileInformationByHandle(handle, &info) != 0;
}

}  // namespace

bool isSameFile(std::FILE* opened, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION openedInfo{}, pathInfo{};
  if (!fileIdentity(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(opened))), openedInfo))
    return false;
  // Opened for no access at all: only its identity is read, whoever else has it open.
  HANDLE pathHandle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool known = fileIdentity(pathHandle, pathInfo);
  if (pathHandle != INVALID_HANDLE_VALUE) CloseHandle(pathHandle);
  return known && !(pathInfo.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         openedInfo.dwVolumeSerialNumber == pathInfo.dwVolumeSerialNumber &&
         openedInfo.nFileIndexHigh == pathInfo.nFileIndexHigh &&
         openedInfo.nFileIndexLow == pathInfo.nFileIndexLow;
}

void useBinaryMode(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }
#else
bool isSameFile(std::FILE* opened, const std::string& path) {
  struct stat openedStat {
  }, pathStat{};
  return ::fstat(::fileno(opened), &openedStat) == 0 && ::stat(path.c_str(), &pathStat) == 0 &&
         S_ISREG(pathStat.st_mode) && openedStat.st_dev == pathStat.st_dev &&
         openedStat.st_ino == pathStat.st_ino;
}

void useBinaryMode(std::FILE*) {}
#endif

}  // namespace substitute_host
