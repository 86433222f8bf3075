#include "standins/common/MovieHeader.h"

#include <cstring>

namespace {

std::uint32_t Be32(const unsigned char* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
std::uint64_t Be64(const unsigned char* p) { return (std::uint64_t{Be32(p)} << 32) | Be32(p + 4); }

struct Box {
  std::uint64_t start, size, body;  // body: where the contents begin
  char type[4];
};

// The box at offset within [.., end); false when its header is cut short or its size is impossible.
bool ReadBox(const ByteReader& read, std::uint64_t offset, std::uint64_t end, Box& box) {
  unsigned char h[16];
  if (end < offset + 8 || !read(offset, h, 8)) return false;
  box.start = offset;
  box.size = Be32(h);
  std::memcpy(box.type, h + 4, 4);
  box.body = offset + 8;
  if (box.size == 1) {
    if (end < offset + 16 || !read(offset + 8, h + 8, 8)) return false;
    box.size = Be64(h + 8);
    box.body = offset + 16;
  } else if (box.size == 0) {
    box.size = end - offset;  // to the end of its container
  }
  return box.size >= box.body - offset && box.size <= end - offset;
}

// The first box of the type in [from, end), or false.
bool FindBox(const ByteReader& read, std::uint64_t from, std::uint64_t end, const char* type, Box& found) {
  // A damaged file could chain a great many empty boxes; a movie has a handful at each level.
  for (int i = 0; i < 4096 && from < end; ++i) {
    Box box;
    if (!ReadBox(read, from, end, box)) return false;
    if (std::memcmp(box.type, type, 4) == 0) {
      found = box;
      return true;
    }
    if (box.size == 0) return false;
    from += box.size;
  }
  return false;
}

}  // namespace

std::optional<MovieHeader> ReadMovieHeader(const ByteReader& read, std::uint64_t fileSize) {
  Box moov, mvhd;
  if (!FindBox(read, 0, fileSize, "moov", moov)) return std::nullopt;
  if (!FindBox(read, moov.body, moov.start + moov.size, "mvhd", mvhd)) return std::nullopt;
  unsigned char b[32];
  const std::uint64_t bodySize = mvhd.start + mvhd.size - mvhd.body;
  if (bodySize < 4 || !read(mvhd.body, b, 4)) return std::nullopt;
  MovieHeader header{};
  if (b[0] == 1) {  // version 1: 64-bit times
    if (bodySize < 32 || !read(mvhd.body, b, 32)) return std::nullopt;
    header.timeScale = static_cast<std::int32_t>(Be32(b + 20));
    header.duration = static_cast<std::int64_t>(Be64(b + 24) & 0x7FFFFFFFFFFFFFFFull);
  } else {
    if (bodySize < 20 || !read(mvhd.body, b, 20)) return std::nullopt;
    header.timeScale = static_cast<std::int32_t>(Be32(b + 12));
    header.duration = Be32(b + 16);
  }
  if (header.timeScale <= 0) return std::nullopt;
  return header;
}
