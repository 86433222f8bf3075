#pragma once
// One named file mapping backed by the paging file: the hand-off path of a second start, and the running
// instance's published window title.

#include <cstdint>
#include <string>

#include "framework/Handles.h"

class CSharedBlock {
 public:
  CSharedBlock() = default;
  CSharedBlock(const CSharedBlock&) = delete;
  CSharedBlock& operator=(const CSharedBlock&) = delete;
  ~CSharedBlock() = default;  // the members unmap the view and close the handle

  // Stores the size and copies the name (at most 63 characters); an existing mapping is not touched.
  void SetName(const char* name, std::uint32_t size);

  // Creates a new mapping of the stored name and size and returns its zero-filled view, or null: at once
  // when a handle or view is held or the size is 0, and when a mapping of that name already exists.
  void* CreateBlock();
  // Opens the existing mapping of the stored name and maps all of it, or null.
  void* OpenBlock();
  // SetName(name, 0), then OpenBlock.
  void* OpenNamed(const char* name);
  // CreateBlock, else OpenBlock; returns the mapped address (the existing one when already mapped).
  void* CreateOrOpen();
  // Unmaps and closes; true only when both were held and both releases succeeded.
  bool CloseBlock();

  void* Address() const { return m_view.Get(); }
  const char* Name() const { return m_name; }

  // The NUL-terminated text at the start of the mapped view, read without passing the view's end or
  // maxBytes. terminated tells whether a NUL was found in that range.
  std::string ReadText(std::size_t maxBytes, bool* terminated = nullptr) const;
  // Copies text and a NUL into the view; false (nothing written) when no view is mapped or the text and
  // its NUL do not fit in maxBytes.
  bool WriteText(const std::string& text, std::size_t maxBytes);
  // The same for wide text, in units of two bytes: the wide blocks that a newer instance reads first.
  std::wstring ReadWideText(std::size_t maxUnits, bool* terminated = nullptr) const;
  bool WriteWideText(const std::wstring& text, std::size_t maxUnits);

 private:
  // Bytes readable from the mapped address, bounded by the view's committed region.
  std::size_t ViewBytes() const;

  fw::UniqueHandle m_mapping;
  fw::MappedView m_view;
  std::uint32_t m_size = 0;
  char m_name[64] = {};
};
