#include "browser/TagList.h"

#include <algorithm>
#include <vector>

#include "browser/FileListWnd.h"
#include "controls/PanelZOrder.h"
#include "res/ResourceIds.h"

CTagList::CTagList(CFileListWnd& owner) : m_owner(owner), m_slider(owner.Skin()) {}

CTagList::~CTagList() = default;

bool CTagList::Create(HWND listWindow) {
  m_listWindow = listWindow;
  m_thumbnails.SetNotifyWindow(listWindow, WM_THUMBNAILS_READY);
  return m_slider.Create(*this, listWindow);
}

void CTagList::DeliverThumbnails() {
  const std::vector<std::wstring> finished = m_thumbnails.TakeFinished();
  const bool idle = m_thumbnails.PendingCount() == 0;
  for (CListTag& tag : m_tags) {
    if (!tag.IsInUse() || !tag.Exists()) continue;
    const bool shows = std::find(finished.begin(), finished.end(), tag.Entry().widePath) != finished.end();
    if (shows || (idle && tag.LacksThumbnail())) ::PostMessageA(tag.Hwnd(), WM_COMMAND, ID_TAG_REDRAW, 0);
  }
}

void CTagList::EnsureRows(int rows) {
  for (int row = std::min(rows, kRowWindows) - 1; row >= 0; --row) {
    CListTag& tag = m_tags[static_cast<std::size_t>(row)];
    if (!tag.Exists() && m_listWindow) tag.Create(*this, m_listWindow, row);
  }
}

const CSkinDefinition& CTagList::Skin() const { return m_owner.Skin(); }
const Settings& CTagList::Config() const { return m_owner.Config(); }
int CTagList::ListMode() const { return m_owner.ListMode(); }
const FileEntry& CTagList::NowPlaying() const { return m_owner.Model().NowPlaying(); }
int CTagList::Count() const { return static_cast<int>(m_owner.Model().List(ListMode()).size()); }

int CTagList::Cursor() const { return m_cursor[ListMode() == 1 ? 1 : 0]; }
int CTagList::First() const { return m_first[ListMode() == 1 ? 1 : 0]; }
void CTagList::SetCursorIndex(int index) { m_cursor[ListMode() == 1 ? 1 : 0] = index; }

Viewport CTagList::View() const {
  Viewport v;
  v.count = Count();
  v.visibleRows = VisibleRows();
  v.first = First();
  v.cursor = Cursor();
  return v;
}

void CTagList::Apply(const Viewport& v) {
  const int mode = ListMode() == 1 ? 1 : 0;
  m_first[mode] = v.first;
  m_cursor[mode] = v.cursor;
}

void CTagList::Refresh() {
  Viewport v = View();
  v.Clamp();
  Apply(v);
  const std::vector<FileEntry>& list = m_owner.Model().List(ListMode());
  const int shown = v.ShownRows();
  EnsureRows(shown);
  for (int row = kRowWindows - 1; row >= 0; --row) {
    CListTag& tag = m_tags[static_cast<std::size_t>(row)];
    if (row < shown)
      tag.Assign(v.first + row, list[static_cast<std::size_t>(v.first + row)]);
    else
      tag.Release();
  }
  if (m_owner.IsShown()) Layout();
}

void CTagList::Layout() {
  if (m_owner.Screen().IsFrameMinimised()) return;
  const Viewport v = View();
  const int shown = v.ShownRows();
  m_sliderShown = v.NeedsSlider();
  if (m_sliderShown && m_slider.Exists()) {
    const geo::Rect place{m_rect.right - 16, m_rect.top, m_rect.right, m_rect.bottom};
    if (place != m_sliderPlaced || !::IsWindowVisible(m_slider.Hwnd())) {
      ::SetWindowPos(m_slider.Hwnd(), nullptr, place.left, place.top, place.Width(), place.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
      m_sliderPlaced = place;
    }
    m_slider.Slider().SetPageInfo(v.first, shown, v.count);
    m_slider.Slider().SetFraction(v.Fraction());
  } else {
    m_slider.Hide();
  }
  const int width = m_rect.Width() - (m_sliderShown ? 16 : 0);
  for (std::size_t row = 0; row < m_tags.size(); ++row) {
    CListTag& tag = m_tags[row];
    if (!tag.Exists()) continue;
    if (!tag.IsInUse()) {
      if (::IsWindowVisible(tag.Hwnd())) ::ShowWindow(tag.Hwnd(), SW_HIDE);
      continue;
    }
    const int top = m_rect.top + kRowPitch * static_cast<int>(row);
    const geo::Rect place{m_rect.left, top, m_rect.left + width, top + kRowHeight};
    // Moving a window costs a round trip to the display: rows that stand where they are stay.
    if (place == m_placed[row] && ::IsWindowVisible(tag.Hwnd())) continue;
    ::SetWindowPos(tag.Hwnd(), nullptr, place.left, place.top, place.Width(), place.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_placed[row] = place;
  }
}

void CTagList::KeepAbove(HWND listWindow) {
  // One after the other, as the panels are raised: to the top while the program is active (Wine moves a
  // window's X window up only when the window becomes the topmost shown one, so rows put back anywhere
  // lower could stay hidden under the view on the screen), else just above the view.
  const HWND view = listWindow ? ::GetWindow(listWindow, GW_OWNER) : nullptr;
  auto raise = [view](HWND h) {
    if (h && ::IsWindowVisible(h)) RaiseAbove(h, view);
  };
  raise(listWindow);
  raise(m_slider.Hwnd());
  for (CListTag& tag : m_tags) raise(tag.Hwnd());
}

bool CTagList::RowsBelow(HWND window) const {
  if (!window) return false;
  std::vector<HWND> above = TopLevelWindows();
  above.erase(std::find(above.begin(), above.end(), window), above.end());
  std::sort(above.begin(), above.end());
  for (const CListTag& tag : m_tags)
    if (tag.IsInUse() && tag.Exists() && ::IsWindowVisible(tag.Hwnd()) &&
        !std::binary_search(above.begin(), above.end(), tag.Hwnd()))
      return true;
  return false;
}

void CTagList::UpdateStates() {
  for (CListTag& tag : m_tags)
    if (tag.IsInUse()) tag.UpdateState(!m_movedByMouse);
  m_movedByMouse = false;
}

void CTagList::RedrawAll() {
  for (CListTag& tag : m_tags)
    if (tag.IsInUse() && tag.Exists() && ::IsWindowVisible(tag.Hwnd())) tag.Redraw();
}

void CTagList::HideAll() {
  m_slider.Hide();
  for (CListTag& tag : m_tags)
    if (tag.Exists() && ::IsWindowVisible(tag.Hwnd())) tag.Hide();
}

void CTagList::ReloadSkinAll() {
  for (CListTag& tag : m_tags)
    if (tag.Exists()) tag.ReloadSkin();
  RedrawAll();
}

std::optional<FileEntry> CTagList::GetCursorEntry() const {
  const std::vector<FileEntry>& list = m_owner.Model().List(ListMode());
  const int cursor = Cursor();
  if (cursor < 0 || cursor >= static_cast<int>(list.size())) return std::nullopt;
  return list[static_cast<std::size_t>(cursor)];
}

void CTagList::SetCursor(int index) {
  SetCursorIndex(index);
  UpdateStates();
}

void CTagList::CenterOn(int index) {
  Viewport v = View();
  v.CenterOn(index);
  Apply(v);
}

void CTagList::AfterScroll() {
  Refresh();
  SetMovedFlag();
  UpdateStates();
  RedrawAll();
}

int CTagList::Scroll(int (Viewport::*move)()) {
  Viewport v = View();
  const int result = (v.*move)();
  Apply(v);
  if (result != -1) AfterScroll();
  m_owner.RestartIdleTimer();
  return result;
}

int CTagList::ScrollDown() { return Scroll(&Viewport::ScrollDown); }
int CTagList::ScrollUp() { return Scroll(&Viewport::ScrollUp); }
int CTagList::PageDown() { return Scroll(&Viewport::PageDown); }
int CTagList::PageUp() { return Scroll(&Viewport::PageUp); }

void CTagList::MoveCursor(void (Viewport::*move)()) {
  Viewport v = View();
  const int before = v.first;
  (v.*move)();
  Apply(v);
  if (v.first != before) {
    Refresh();
    RedrawAll();
  }
  UpdateStates();
  m_owner.RestartIdleTimer();
}

void CTagList::CursorDown() { MoveCursor(&Viewport::CursorDown); }
void CTagList::CursorUp() { MoveCursor(&Viewport::CursorUp); }

int CTagList::EnsureCursorVisible() {
  Viewport v = View();
  const int result = v.EnsureCursorVisible();
  Apply(v);
  if (result == 0) {
    Refresh();
    RedrawAll();
  }
  return result;
}

void CTagList::ScrollToFraction(double fraction) {
  Viewport v = View();
  if (v.ScrollToFraction(fraction)) {
    Apply(v);
    AfterScroll();
  }
  m_owner.RestartIdleTimer();
}

void CTagList::Wheel(int delta) {
  if (Config().cursorMode) {
    if (delta > 0)
      CursorUp();
    else
      CursorDown();
  } else if (delta > 0) {
    ScrollUp();
  } else {
    ScrollDown();
  }
}
