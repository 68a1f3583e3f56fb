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

bool identityOf(std::FILE* opened, BY_HANDLE_FILE_INFORMATION& info) {
  return fileIdentity(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(opened))), info);
}

bool sameIdentity(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return !(a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace

bool isSameFile(std::FILE* opened, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION openedInfo{}, pathInfo{};
  if (!identityOf(opened, openedInfo)) return false;
  // Opened for no access at all: only its identity is read, whoever else has it open.
  HANDLE pathHandle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool known = fileIdentity(pathHandle, pathInfo);
  if (pathHandle != INVALID_HANDLE_VALUE) CloseHandle(pathHandle);
  return known && sameIdentity(pathInfo, openedInfo);
}

bool isSameFile(std::FILE* first, std::FILE* second) {
  BY_HANDLE_FILE_INFORMATION firstInfo{}, secondInfo{};
  return identityOf(first, firstInfo) && identityOf(second, secondInfo) &&
         sameIdentity(firstInfo, secondInfo);
}

// The standard streams start in text mode on Windows, which would turn each "\n" of
// the output into "\r\n" and end the input at a ^Z byte; the CSV passes as bytes,
// as it does from and to files.
void useBinaryMode(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }
#else
namespace {

bool sameRegularFile(const struct stat& a, const struct stat& b) {
  return S_ISREG(a.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

bool isSameFile(std::FILE* opened, const std::string& path) {
  struct stat openedStat {
  }, pathStat{};
  return ::fstat(::fileno(opened), &openedStat) == 0 && ::stat(path.c_str(), &pathStat) == 0 &&
         sameRegularFile(pathStat, openedStat);
}

bool isSameFile(std::FILE* first, std::FILE* second) {
  struct stat firstStat {
  }, secondStat{};
  return ::fstat(::fileno(first), &firstStat) == 0 && ::fstat(::fileno(second), &secondStat) == 0 &&
         sameRegularFile(firstStat, secondStat);
}

void useBinaryMode(std::FILE*) {}
#endif

}  // namespace substitute_host
