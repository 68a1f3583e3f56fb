#include "readable_memory.h"

#include <stdint.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <errno.h>
#include <unistd.h>
#endif

#if defined(_WIN32)
bool memoryIsReadable(const void* address, size_t size) {
  const auto start = reinterpret_cast<uintptr_t>(address);
  if (start > UINTPTR_MAX - size) return false;
  for (uintptr_t at = start; at < start + size;) {
    MEMORY_BASIC_INFORMATION region;
    if (VirtualQuery(reinterpret_cast<const void*>(at), &region, sizeof region) == 0) return false;
    if (region.State != MEM_COMMIT || (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0)
      return false;
    at = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
  }
  return true;
}
#else
// Writing the bytes into a pipe copies them in the kernel, which answers EFAULT (or
// stops short) at memory the process cannot read, instead of faulting. A page never
// exceeds the pipe's capacity, so a readable range is written whole.
bool memoryIsReadable(const void* address, size_t size) {
  const auto start = reinterpret_cast<uintptr_t>(address);
  if (start > UINTPTR_MAX - size) return false;
  int ends[2];
  if (pipe(ends) != 0) return true;
  const ssize_t written = write(ends[1], address, size);
  const bool readable = written == static_cast<ssize_t>(size) || (written < 0 && errno != EFAULT);
  close(ends[0]);
  close(ends[1]);
  return readable;
}
#endif

// Byte by byte, never past the terminator: the text is the caller's object, and the
// bytes after it are no business of ours even where they could be read.
bool readableTextLength(const char* text, size_t limit, size_t& length) {
  for (length = 0; length <= limit; ++length) {
    if (!memoryIsReadable(text + length, 1)) return false;
    if (text[length] == 0) return true;
  }
  return false;
}
