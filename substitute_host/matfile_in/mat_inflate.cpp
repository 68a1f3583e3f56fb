#include "matfile_in/mat_inflate.h"

#include <zlib.h>

#include <vector>

namespace substitute_host {
namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr int kBeyondLimit = 1000;  // a status of ours, beside zlib's

// One inflation, ended whatever the way out.
struct Inflation {
  z_stream stream{};
  bool started = false;
  Inflation() { started = inflateInit(&stream) == Z_OK; }
  ~Inflation() {
    if (started) inflateEnd(&stream);
  }
  Inflation(const Inflation&) = delete;
  Inflation& operator=(const Inflation&) = delete;
};

// Feeds the element's bytes through zlib into `out`; the zlib status at the end.
int inflateInto(std::FILE* file, std::uint64_t length, std::uint64_t limit, std::FILE* out,
                std::uint64_t& written) {
  Inflation inflation;
  if (!inflation.started) return Z_MEM_ERROR;
  std::vector<unsigned char> in(kChunk), inflated(kChunk);
  int status = Z_OK;
  while (status != Z_STREAM_END && length > 0) {
    const std::size_t want = length < kChunk ? static_cast<std::size_t>(length) : kChunk;
    const std::size_t got = std::fread(in.data(), 1, want, file);
    if (got != want) return Z_DATA_ERROR;
    length -= got;
    inflation.stream.next_in = in.data();
    inflation.stream.avail_in = static_cast<uInt>(got);
    do {
      inflation.stream.next_out = inflated.data();
      inflation.stream.avail_out = kChunk;
      status = inflate(&inflation.stream, Z_NO_FLUSH);
      if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) return status;
      const std::size_t produced = kChunk - inflation.stream.avail_out;
      written += produced;
      if (written > limit) return kBeyondLimit;
      if (std::fwrite(inflated.data(), 1, produced, out) != produced) return Z_ERRNO;
    } while (inflation.stream.avail_out == 0 && status != Z_STREAM_END);
  }
  return status == Z_STREAM_END || status == Z_OK || status == Z_BUF_ERROR ? Z_OK : status;
}

}  // namespace

std::FILE* inflateElement(std::FILE* file, std::uint64_t at, std::uint64_t length,
                          std::uint64_t limit, bool& beyondLimit, std::string& problem) {
  beyondLimit = false;
  std::FILE* out = std::tmpfile();
  if (out == nullptr || std::fseek(file, static_cast<long>(at), SEEK_SET) != 0) {
    if (out != nullptr) std::fclose(out);
    problem = "the file cannot be read";
    return nullptr;
  }
  std::uint64_t written = 0;
  const int status = inflateInto(file, length, limit, out, written);
  if (status == Z_OK && std::fflush(out) == 0) return out;
  beyondLimit = status == kBeyondLimit;
  problem = status == Z_ERRNO ? "no room to check the compressed variable at byte " + std::to_string(at - 8)
                              : "the compressed variable at byte " + std::to_string(at - 8) +
                                    " does not inflate: the file is damaged";
  if (!beyondLimit) {
    std::fclose(out);
    return nullptr;
  }
  return out;
}

}  // namespace substitute_host
