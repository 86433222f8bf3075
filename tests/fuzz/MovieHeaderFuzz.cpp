// The stand-ins' movie header reader on any file: it reads only what the file holds, ends on chains of
// boxes, and a header it returns has a positive time scale.

#include <cstring>

#include "standins/common/MovieHeader.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t reads = 0;
  const ByteReader read = [&](std::uint64_t offset, void* buffer, std::size_t n) {
    ++reads;
    FUZZ_CHECK(n <= 64);
    if (offset > size || n > size - offset) return false;
    std::memcpy(buffer, data + offset, n);
    return true;
  };
  for (std::uint64_t fileSize : {std::uint64_t{size}, std::uint64_t{size} + 4096, std::uint64_t{size} / 2}) {
    reads = 0;
    const std::optional<MovieHeader> header = ReadMovieHeader(read, fileSize);
    FUZZ_CHECK(reads <= 4 * 4096 + 16);  // two levels of at most 4096 boxes, two reads each
    if (header) FUZZ_CHECK(header->timeScale > 0 && header->duration >= 0);
  }
  return 0;
}
