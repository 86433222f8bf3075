#pragma once
// The files of a WM_DROPFILES message; the drop is finished (its memory freed) when the object ends.

#include <string>

#include "framework/Win32.h"

namespace fw {

class DroppedFiles {
 public:
  explicit DroppedFiles(WPARAM drop) : m_drop(reinterpret_cast<HDROP>(drop)) {}
  DroppedFiles(const DroppedFiles&) = delete;
  DroppedFiles& operator=(const DroppedFiles&) = delete;
  ~DroppedFiles() {
    if (m_drop) ::DragFinish(m_drop);
  }
  // The first dropped file, in its wide form; the program takes one path of at most 260 characters.
  std::wstring First() const {
    wchar_t path[MAX_PATH] = {};
    if (!m_drop || ::DragQueryFileW(m_drop, 0, path, MAX_PATH) == 0) return {};
    return path;
  }

 private:
  HDROP m_drop;
};

}  // namespace fw
