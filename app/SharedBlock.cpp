#include "app/SharedBlock.h"

#include <algorithm>
#include <cstring>

#include "app/BlockText.h"

void CSharedBlock::SetName(const char* name, std::uint32_t size) {
  m_size = size;
  std::size_t n = name ? std::min<std::size_t>(std::strlen(name), sizeof m_name - 1) : 0;
  std::memcpy(m_name, name, n);
  m_name[n] = '\0';
}

void* CSharedBlock::CreateBlock() {
  if (m_mapping || m_view || m_size == 0) return nullptr;
  HANDLE h = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, m_size, m_name);
  if (!h) return nullptr;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(h);
    return nullptr;
  }
  m_mapping.Reset(h);
  m_view = fw::MappedView(::MapViewOfFile(h, FILE_MAP_WRITE, 0, 0, m_size));
  if (!m_view) return nullptr;
  std::memset(m_view.Get(), 0, m_size);
  return m_view.Get();
}

void* CSharedBlock::OpenBlock() {
  if (m_mapping || m_view) return nullptr;
  m_mapping.Reset(::OpenFileMappingA(FILE_MAP_WRITE, TRUE, m_name));
  if (!m_mapping) return nullptr;
  m_view = fw::MappedView(::MapViewOfFile(m_mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
  return m_view.Get();
}

void* CSharedBlock::OpenNamed(const char* name) {
  SetName(name, 0);
  return OpenBlock();
}

void* CSharedBlock::CreateOrOpen() {
  if (!CreateBlock()) OpenBlock();
  return m_view.Get();
}

bool CSharedBlock::CloseBlock() {
  bool hadBoth = m_view && m_mapping;
  bool unmapped = m_view.Unmap();
  bool closed = m_mapping.Close();
  return hadBoth && unmapped && closed;
}

std::size_t CSharedBlock::ViewBytes() const {
  if (!m_view) return 0;
  MEMORY_BASIC_INFORMATION info{};
  if (::VirtualQuery(m_view.Get(), &info, sizeof info) == 0) return 0;
  const char* base = static_cast<const char*>(info.BaseAddress);
  return info.RegionSize - static_cast<std::size_t>(static_cast<const char*>(m_view.Get()) - base);
}

std::string CSharedBlock::ReadText(std::size_t maxBytes, bool* terminated) const {
  const char* p = static_cast<const char*>(m_view.Get());
  BlockText block = ReadBlockText(p ? std::string_view(p, ViewBytes()) : std::string_view(), maxBytes);
  if (terminated) *terminated = block.terminated;
  return std::move(block.text);
}

std::wstring CSharedBlock::ReadWideText(std::size_t maxUnits, bool* terminated) const {
  const auto* p = static_cast<const wchar_t*>(m_view.Get());
  WideBlockText block =
      ReadWideBlockText(p ? std::wstring_view(p, ViewBytes() / sizeof(wchar_t)) : std::wstring_view(), maxUnits);
  if (terminated) *terminated = block.terminated;
  return std::move(block.text);
}

bool CSharedBlock::WriteWideText(const std::wstring& text, std::size_t maxUnits) {
  auto* p = static_cast<wchar_t*>(m_view.Get());
  if (!p || text.size() + 1 > std::min(maxUnits, ViewBytes() / sizeof(wchar_t))) return false;
  std::memcpy(p, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  return true;
}

bool CSharedBlock::WriteText(const std::string& text, std::size_t maxBytes) {
  char* p = static_cast<char*>(m_view.Get());
  if (!p || text.size() + 1 > std::min(maxBytes, ViewBytes())) return false;
  std::memcpy(p, text.c_str(), text.size() + 1);
  return true;
}
