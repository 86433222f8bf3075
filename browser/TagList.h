#pragma once
// The tag controller of the file list window: it shows the current list (file list or playlist) through
// 64 row windows, keeps the first visible index of each list mode and the cursor, moves them for keys,
// wheel and the file slider, assigns entries to rows, places the rows and the slider, and asks the rows
// to recompute their states. The arithmetic is Viewport's; this class applies it to the windows.

#include <array>
#include <optional>

#include "browser/ListTag.h"
#include "browser/TagViewport.h"
#include "browser/ThumbnailCache.h"
#include "controls/FileSlider.h"
#include "framework/Geometry.h"

class CFileListWnd;
struct Settings;
class CSkinDefinition;

class CTagList : public IScrollTarget {
 public:
  explicit CTagList(CFileListWnd& owner);
  virtual ~CTagList();
  CTagList(const CTagList&) = delete;
  CTagList& operator=(const CTagList&) = delete;

  // The file slider, owned by the list window. The rows' windows are made when a listing first needs
  // them (creating a pop-up costs Wine a few milliseconds each) and kept from then on.
  bool Create(HWND listWindow);
  // The area below the title bar, in screen coordinates.
  void SetRect(const geo::Rect& r) { m_rect = r; }
  const geo::Rect& Rect() const { return m_rect; }

  // Clamps the first visible index and assigns the entries to the rows; places them when the list shows.
  void Refresh();
  // Places the shown rows and the slider (16 pixels of the width while it shows); hides the rest.
  void Layout();
  void UpdateStates();
  void RedrawAll();
  void HideAll();
  void ReloadSkinAll();
  void SetMovedFlag() { m_movedByMouse = true; }
  // Puts the list window, the slider and the shown rows at the top of the Z order.
  void KeepAbove(HWND listWindow);
  // Whether any shown row lies under the window in the Z order.
  bool RowsBelow(HWND window) const;

  // A copy of the entry under the cursor; none when the cursor lies beyond the list.
  std::optional<FileEntry> GetCursorEntry() const;
  void SetCursor(int index);
  void CenterOn(int index);
  int ScrollDown();
  int ScrollUp();
  int PageDown();
  int PageUp();
  void CursorDown();
  void CursorUp();
  int EnsureCursorVisible();
  void ScrollToFraction(double fraction) override;
  // One wheel message: one line, by the cursor in jog-dial mode, else by the view.
  void Wheel(int delta);

  int Cursor() const;
  int First() const;
  int VisibleRows() const { return VisibleRowsFor(m_rect.Height()); }
  const CListTag& Tag(int row) const { return m_tags[static_cast<std::size_t>(row)]; }
  CFileSlider& Slider() { return m_slider; }
  CThumbnailCache& Thumbnails() { return m_thumbnails; }
  // The worker's notice: every shown row of a finished picture repaints; once nothing waits any more, so
  // do the picture rows still without a thumbnail (their requests were dropped as newer ones came).
  void DeliverThumbnails();

  // What the rows read.
  CFileListWnd& Owner() { return m_owner; }
  const CSkinDefinition& Skin() const;
  const Settings& Config() const;
  int ListMode() const;
  const FileEntry& NowPlaying() const;
  // The cursor of the current list mode, set by a row under the mouse.
  void SetCursorIndex(int index);

 private:
  Viewport View() const;
  void Apply(const Viewport& v);
  // After a user move of the view: rows, states, redraw and the list's idle timer.
  void AfterScroll();
  // Makes the windows of rows 0 … rows − 1 that do not exist yet, the lowest row last.
  void EnsureRows(int rows);
  int Scroll(int (Viewport::*move)());
  void MoveCursor(void (Viewport::*move)());
  int Count() const;

  CFileListWnd& m_owner;
  HWND m_listWindow = nullptr;
  std::array<CListTag, kRowWindows> m_tags;
  CThumbnailCache m_thumbnails;
  geo::Rect m_rect;
  int m_first[2] = {0, 0};
  int m_cursor[2] = {0, 1};  // the playlist starts on "ファイルリストを表示"
  CFileSlider m_slider;
  bool m_movedByMouse = false;
  std::array<geo::Rect, kRowWindows> m_placed{};  // where each row window stands, to skip needless moves
  bool m_sliderShown = false;
  geo::Rect m_sliderPlaced;
};
