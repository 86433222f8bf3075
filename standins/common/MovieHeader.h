#pragma once
// The time scale and duration a QuickTime or MPEG-4 file declares in its movie header ('mvhd' inside
// 'moov'). Win32-free.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

struct MovieHeader {
  std::int32_t timeScale;
  std::int64_t duration;  // in the time scale
};

// Reads n bytes at offset into buffer; false when they are not all there.
using ByteReader = std::function<bool(std::uint64_t offset, void* buffer, std::size_t n)>;

// The header of a file of fileSize bytes, or nothing when the file has no valid one (not a movie file,
// cut short, a time scale of 0).
std::optional<MovieHeader> ReadMovieHeader(const ByteReader& read, std::uint64_t fileSize);
