#include "framework/PictureFile.h"

#include "framework/CodePage.h"
#include "framework/Handles.h"
#include "framework/MutexLock.h"

namespace {

bool ReadWhole(HANDLE file, HGLOBAL block, DWORD bytes) {
  void* p = ::GlobalLock(block);
  if (!p) return false;
  DWORD read = 0;
  BOOL ok = ::ReadFile(file, p, bytes, &read, nullptr);
  ::GlobalUnlock(block);
  return ok && read == bytes;
}

}  // namespace

CPictureFile::CPictureFile() : m_mutex(::CreateMutexA(nullptr, FALSE, "TN_CPICT")) {}

bool CPictureFile::Load(const std::string& path) { return Load(fw::Widen(path)); }

bool CPictureFile::Load(const std::wstring& path) {
  // A wait that times out does not stop the load.
  fw::MutexLock turn(m_mutex.Get(), 3000);
  Free();

  fw::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
      static_cast<unsigned long long>(size.QuadPart) > kMaxFileBytes)
    return false;
  const DWORD bytes = static_cast<DWORD>(size.QuadPart);
  fw::GlobalBlock block(bytes);
  if (!block.Get() || !ReadWhole(file.Get(), block.Get(), bytes)) return false;
  file.Close();

  fw::ComPtr<IStream> stream;
  if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, stream.Put()))) return false;
  block.Release();  // the stream frees it now
  HRESULT hr = ::OleLoadPicture(stream.Get(), static_cast<LONG>(bytes), FALSE, IID_IPicture, m_picture.PutVoid());
  if (FAILED(hr)) m_picture.Reset();
  return IsLoaded();
}

void CPictureFile::Render(HDC dc, int left, int top, int right, int bottom) const {
  if (!m_picture) return;
  geo::Size s = GetSize();
  (void)m_picture->Render(dc, left, top, right - left, bottom - top, 0, s.cy, s.cx, -s.cy, nullptr);
}

geo::Size CPictureFile::GetSize() const {
  if (!m_picture) return {};
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  if (FAILED(m_picture->get_Width(&w)) || FAILED(m_picture->get_Height(&h))) return {};
  return {static_cast<int>(w), static_cast<int>(h)};
}

bool CPictureFile::Free() {
  m_picture.Reset();
  return !m_picture;
}
