#include "browser/ListTag.h"

#include <ctime>

#include "browser/FileListWnd.h"
#include "browser/TagList.h"
#include "browser/TagText.h"
#include "browser/TagViewport.h"
#include "config/Settings.h"
#include "config/SkinDefinition.h"
#include "framework/CodePage.h"
#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "framework/Mbcs.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kIconSize = 32;
constexpr int kIconInset = 2;
constexpr int kTextLeft = 44;
constexpr int kThumbRight = 46;  // the thumbnail's left edge, from the right
constexpr int kThumbSourceHeight = 32;  // the top of the 44 × 36 thumbnail is what the row shows

std::string FolderOf(const CTagList& owner) { return owner.Skin().skinFolder; }

LocalStamp LocalStampOf(std::int64_t unixSeconds) {
  // Seconds since 1970 to the FILETIME scale, then to local time as Explorer shows it.
  const std::int64_t ticks = (unixSeconds + 11644473600LL) * 10000000LL;
  FILETIME utc{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  FILETIME local;
  SYSTEMTIME st{};
  if (ticks < 0 || !::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &st)) return {};
  return {st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute};
}

}  // namespace

CListTag::~CListTag() = default;

bool CListTag::Create(CTagList& owner, HWND parent, int row) {
  m_owner = &owner;
  m_row = row;
  if (!CreateEx(0, nullptr, nullptr, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 400, 40, parent, nullptr)) return false;
  LoadBackground();
  m_icon.SetBackdrop(this);
  return m_icon.Create(Hwnd(), {kIconInset, kIconInset, kIconInset + kIconSize, kIconInset + kIconSize}, ID_TAG_MARK,
                       0, std::string());
}

void CListTag::PreCreate(CREATESTRUCTA& cs) {
  cs.lpszClass = RegisterClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW), nullptr, nullptr);
}

bool CListTag::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CListTag> kRoutes[] = {
      {WM_PAINT, 0, &CListTag::OnPaint},
      {WM_ERASEBKGND, 0, &CListTag::OnEraseBackground},
      {WM_MOUSEACTIVATE, 0, &CListTag::OnMouseActivate},
      {WM_MOUSEMOVE, 0, &CListTag::OnMouseMove},
      {WM_LBUTTONDOWN, 0, &CListTag::OnButtonDown},
      {WM_MBUTTONDOWN, 0, &CListTag::OnButtonDown},
      {WM_LBUTTONUP, 0, &CListTag::OnButtonUp},
      {WM_MBUTTONUP, 0, &CListTag::OnButtonUp},
      {WM_CAPTURECHANGED, 0, &CListTag::OnCaptureChanged},
      {WM_MOUSEWHEEL, 0, &CListTag::OnMouseWheel},
      {WM_COMMAND, ID_TAG_MARK, &CListTag::OnIconClicked},
      {WM_COMMAND, ID_SWITCH_MOUSE_MOVE, &CListTag::OnIconMouseMove},
      {WM_COMMAND, ID_TAG_REDRAW, &CListTag::OnThumbnailReady},
      {WM_TIMER, 0, &CListTag::OnTimer},
      {WM_GETTEXT, 0, &CListTag::OnGetText},
      {WM_GETTEXTLENGTH, 0, &CListTag::OnGetTextLength},
  };
  return fw::Dispatch(*this, kRoutes, m);
}

void CListTag::Assign(int listIndex, const FileEntry& entry) {
  m_inUse = true;
  m_listIndex = listIndex;
  m_entry = entry;
  LoadIcon();
}

void CListTag::Release() {
  m_inUse = false;
  m_state = TAG_NORMAL;
}

void CListTag::LoadIcon() {
  const TagIcon icon = IconForKind(m_entry.kind, m_owner->ListMode());
  if (icon.file && m_icon.Exists()) m_icon.SetBitmap(icon.resource, FolderOf(*m_owner) + icon.file);
}

void CListTag::LoadBackground() {
  m_background.LoadFromFileOrResource(FolderOf(*m_owner) + "TAGBK.bmp", IDB_TAGBK, 0, 4);
  ++m_backgroundGeneration;
}

void CListTag::ReloadSkin() {
  LoadBackground();
  LoadIcon();
}

CListTag::Change CListTag::UpdateState(bool warpAllowed) {
  if (m_state == TAG_PRESSED) return Change::kNone;
  const FileEntry& playing = m_owner->NowPlaying();
  const int mode = m_owner->ListMode();
  const bool isPlaying = (mode == 1 && m_entry.id == playing.id) || (mode == 0 && m_entry.name == playing.name);
  Change change = Change::kNone;
  if (isPlaying && m_state != TAG_PLAYING) {
    m_state = TAG_PLAYING;
    change = Change::kBecamePlaying;
  } else if (!isPlaying && m_state == TAG_PLAYING) {
    m_state = TAG_NORMAL;
    change = Change::kLost;
  }
  m_icon.SetRestFrame(isPlaying ? FRAME_ALTERNATE : FRAME_NORMAL);
  if (m_listIndex == m_owner->Cursor()) {
    if (m_state != TAG_CURSOR) change = Change::kBecameCursor;
    m_state = TAG_CURSOR;
  } else if (m_state == TAG_CURSOR) {
    m_state = TAG_NORMAL;
    change = Change::kLost;
  }
  if (change != Change::kNone) Redraw();
  if (change == Change::kBecameCursor && warpAllowed) WarpPointer();
  return change;
}

void CListTag::WarpPointer() const {
  if (!m_owner->Config().cursorMode || !Exists()) return;
  RECT r;
  POINT p;
  if (!::GetWindowRect(Hwnd(), &r) || !::GetCursorPos(&p)) return;
  const WarpPoint to = PointerWarp({r.left, r.top, r.right, r.bottom}, p.x);
  ::SetCursorPos(to.x, to.y);
}

void CListTag::Hide() {
  m_state = TAG_NORMAL;
  if (Exists()) ::ShowWindow(Hwnd(), SW_HIDE);
}

void CListTag::Redraw() {
  if (!Exists()) return;
  {
    fw::WindowDC dc(Hwnd());
    Draw(dc.Get());
  }
  m_icon.Redraw();
}

void CListTag::OnPaint(fw::Msg&) {
  {
    fw::PaintDC dc(Hwnd());
    Draw(dc.Get());
  }
  m_icon.Redraw();
}

void CListTag::OnEraseBackground(fw::Msg& m) { m.result = 1; }

// A row never takes the activation: the file list window keeps it (and the keyboard).
void CListTag::OnMouseActivate(fw::Msg& m) { m.result = MA_NOACTIVATE; }

void CListTag::Draw(HDC dc) {
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  if (!m_buffer || m_buffer->Width() != client.right || m_buffer->Height() != client.bottom || !m_buffer->Ok())
    m_buffer.emplace(dc, client.right, client.bottom);
  if (!m_buffer->Ok()) return;
  const HDC buffer = m_buffer->Dc();
  TileBackground(buffer, 0, 0, client.right, client.bottom);
  ::SetBkMode(buffer, TRANSPARENT);
  if (KindClass(m_entry.kind) == KIND_PICTURE)
    DrawThumbnail(buffer, client.right);
  else
    m_lacksThumbnail = false;
  RECT text{kTextLeft, 0, client.right, client.bottom};
  if (ShowsDate(m_entry.kind, m_owner->Owner().Model().IsTvFolder())) DrawDate(buffer, text);
  DrawName(buffer, text);
  m_buffer->Present(dc);
}

void CListTag::TileBackground(HDC dc, int originX, int originY, int width, int height) {
  const std::optional<geo::Size> size = m_background.ImageSize();
  const int w = m_background.FrameWidth();
  if (!size || w <= 0 || size->cy <= 0) {
    fw::FillSolid(dc, {0, 0, width, height}, RGB(0, 0, 0));
    return;
  }
  for (int y = -originY; y < height; y += size->cy)
    for (int x = -originX; x < width; x += w) m_background.DrawFrame(m_state, dc, x, y, w, size->cy);
}

void CListTag::PaintBackdrop(HDC dc, int x, int y, int width, int height) {
  const std::optional<geo::Size> size = m_background.ImageSize();
  const int w = m_background.FrameWidth();
  // Tiles start at the tag's origin, so the backdrop continues the tag's own background.
  TileBackground(dc, size && w > 0 ? x % w : x, size && size->cy > 0 ? y % size->cy : y, width, height);
}

void CListTag::DrawThumbnail(HDC dc, int width) {
  std::shared_ptr<const fw::Bitmap> thumb = m_owner->Thumbnails().Get(
      Hwnd(), m_entry.widePath, CThumbnailCache::kWidth, CThumbnailCache::kHeight);
  m_lacksThumbnail = !thumb;
  if (!thumb) return;  // the worker's notice brings the repaint
  fw::MemoryDC source(dc);
  fw::SelectGuard use(source.Get(), thumb->Get());
  ::SetStretchBltMode(dc, HALFTONE);
  ::StretchBlt(dc, width - kThumbRight, 0, CThumbnailCache::kWidth, kRowHeight, source.Get(), 0, 0,
               CThumbnailCache::kWidth, kThumbSourceHeight, SRCCOPY);
}

void CListTag::DrawDate(HDC dc, RECT& text) const {
  const CSkinDefinition& skin = m_owner->Skin();
  const std::string date = TagDateText(LocalStampOf(DateShown(m_entry)));
  fw::Font font = fw::PointFont(skin.timeFont, skin.timeFontSize);
  fw::SelectGuard use(dc, font.Get());
  COLORREF colour = skin.timeNormalColor, frame = skin.timeNormalFrameColor;
  if (m_state == TAG_CURSOR) {
    colour = skin.timeCursorColor;
    frame = skin.timeCursorFrameColor;
  } else if (m_state == TAG_PLAYING) {
    colour = skin.timePlayingColor;
    frame = skin.timePlayingFrameColor;
  }
  fw::DrawOutlinedText(dc, date, text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOCLIP, colour, frame);
  SIZE extent{};
  ::GetTextExtentPoint32A(dc, date.c_str(), static_cast<int>(date.size()), &extent);
  text.left += extent.cx + 16;
}

void CListTag::DrawName(HDC dc, const RECT& text) const {
  const CSkinDefinition& skin = m_owner->Skin();
  // The wide name shows what the code page cannot; a command entry has its text only.
  const std::wstring name = m_entry.widePath.empty() ? fw::Widen(TagDisplayName(m_entry)) : TagDisplayWideName(m_entry);
  const int length = static_cast<int>(name.size());
  COLORREF colour = m_state == TAG_CURSOR    ? skin.tagCursorColor
                    : m_state == TAG_PLAYING ? skin.tagPlayingColor
                                             : skin.tagNormalColor;
  ::SetTextColor(dc, colour);
  fw::Font font = fw::PointFont(skin.tagFont, skin.tagFontSize);
  fw::SelectGuard use(dc, font.Get());
  RECT r = text;
  constexpr UINT kSingle = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  if (m_owner->Config().singleLine) {
    ::DrawTextW(dc, name.c_str(), length, &r, kSingle);
    return;
  }
  RECT measure = text;
  ::DrawTextW(dc, name.c_str(), length, &measure, DT_SINGLELINE | DT_CALCRECT);
  if (measure.right - measure.left <= text.right - text.left) {
    ::DrawTextW(dc, name.c_str(), length, &r, kSingle);
    return;
  }
  const int height = text.bottom - text.top;
  const int size = WrappedFontSize(skin.tagFontSize, height, [&](int tenths) {
    fw::Font trial = fw::PointFont(skin.tagFont, tenths);
    fw::SelectGuard useTrial(dc, trial.Get());
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    return static_cast<int>(tm.tmHeight);
  });
  fw::Font smaller = fw::PointFont(skin.tagFont, size);
  fw::SelectGuard useSmaller(dc, smaller.Get());
  // Word-wrapped text is centred by hand: the system centres single lines only.
  constexpr UINT kWrapped = DT_WORDBREAK | DT_END_ELLIPSIS | DT_EDITCONTROL;
  RECT wrapped = text;
  ::DrawTextW(dc, name.c_str(), length, &wrapped, kWrapped | DT_CALCRECT);
  const int used = wrapped.bottom - wrapped.top;
  if (used < height) r.top += (height - used) / 2;
  ::DrawTextW(dc, name.c_str(), length, &r, kWrapped);
}

// ---- Mouse

void CListTag::TrackMouse() {
  ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
  if (!m_owner->Config().cursorMode || !m_inUse) return;
  m_owner->SetCursorIndex(m_listIndex);
  m_owner->SetMovedFlag();
  m_owner->UpdateStates();
}

void CListTag::OnMouseMove(fw::Msg&) { TrackMouse(); }

void CListTag::OnIconMouseMove(fw::Msg&) { TrackMouse(); }

void CListTag::OnButtonDown(fw::Msg&) {
  ::SetCapture(Hwnd());
  m_pressed = true;
  m_state = TAG_PRESSED;
  m_owner->SetCursorIndex(m_listIndex);
  m_owner->UpdateStates();
  Redraw();
}

// The pressed tag's entry is activated wherever the button comes up: the tag holds the mouse.
void CListTag::OnButtonUp(fw::Msg&) {
  if (!m_pressed) return;
  m_pressed = false;
  m_state = TAG_CURSOR;
  Redraw();
  if (::GetCapture() == Hwnd()) ::ReleaseCapture();
  CFileListWnd& list = m_owner->Owner();
  list.ActivateCursor(false);
  if (list.IsShown() && list.Exists()) ::SetActiveWindow(list.Hwnd());
}

// The mouse taken away while the button was down (another window captured it): no activation follows.
void CListTag::OnCaptureChanged(fw::Msg& m) {
  if (reinterpret_cast<HWND>(m.lp) == Hwnd() || !m_pressed) return;
  m_pressed = false;
  m_state = TAG_CURSOR;
  Redraw();
}

void CListTag::OnMouseWheel(fw::Msg& m) {
  CFileListWnd& list = m_owner->Owner();
  if (list.Exists()) m.result = ::SendMessageA(list.Hwnd(), WM_MOUSEWHEEL, m.wp, m.lp);
}

void CListTag::OnIconClicked(fw::Msg&) {
  if (!m_inUse) return;
  m_owner->SetCursorIndex(m_listIndex);
  m_owner->SetMovedFlag();
  m_owner->UpdateStates();
  m_owner->Owner().ActivateCursor(true);
}

// The worker's notice comes in bursts; one repaint follows a little later, without blocking the thread.
void CListTag::OnThumbnailReady(fw::Msg&) { SetTimer(kThumbnailTimer, kThumbnailDelayMs); }

void CListTag::OnTimer(fw::Msg& m) {
  if (m.wp != kThumbnailTimer) return;
  KillTimer(kThumbnailTimer);
  ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

// ---- Text for accessibility tools and tests; the window title stays empty, so that no row can ever be
// taken for the main window by a search for its title.

std::string CListTag::PlainName() const { return m_inUse ? TagPlainName(m_entry) : std::string(); }

void CListTag::OnGetText(fw::Msg& m) {
  const std::string name = PlainName();
  auto* buffer = reinterpret_cast<char*>(m.lp);
  const std::size_t room = static_cast<std::size_t>(m.wp);
  if (!buffer || room == 0) return;
  const std::size_t n = mbcs::CutBytes(name, room - 1).size();
  name.copy(buffer, n);
  buffer[n] = '\0';
  m.result = static_cast<LRESULT>(n);
}

void CListTag::OnGetTextLength(fw::Msg& m) { m.result = static_cast<LRESULT>(PlainName().size()); }
