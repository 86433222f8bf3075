#pragma once
// A picture decoded by the system's OLE picture loader: the shown picture, the skin's wallpaper and the
// list thumbnails. All of them, in every instance of the program, decode one at a time under the named
// mutex "TN_CPICT".

#include <string>

#include "framework/Com.h"
#include "framework/Geometry.h"
#include "framework/Handles.h"

class CPictureFile {
 public:
  CPictureFile();
  CPictureFile(const CPictureFile&) = delete;
  CPictureFile& operator=(const CPictureFile&) = delete;
  ~CPictureFile() = default;

  // Decodes the file; the previous picture is freed first. False (and empty) when the file cannot be
  // read or decoded.
  bool Load(const std::wstring& path);
  bool Load(const std::string& path);
  // Draws the whole picture stretched into the rectangle; nothing when empty.
  void Render(HDC dc, int left, int top, int right, int bottom) const;
  // Width and height in HIMETRIC (0.01 mm); (0, 0) when empty. Only the ratio matters.
  geo::Size GetSize() const;
  // Releases the picture; true when nothing is held afterwards.
  bool Free();
  bool IsLoaded() const { return static_cast<bool>(m_picture); }

  // Files larger than this are not read into memory for decoding.
  static constexpr unsigned long long kMaxFileBytes = 256ull << 20;

 private:
  fw::ComPtr<IPicture> m_picture;
  fw::UniqueHandle m_mutex;
};
