// The file list window: creation, layout, showing and hiding, the list modes, the title bar, the timers
// and the messages. Navigation, activation and keys are in FileListNavigation.cpp.
#include "browser/FileListWnd.h"

#include <utility>

#include "browser/TagText.h"
#include "controls/PanelKey.h"
#include "controls/PanelZOrder.h"
#include "framework/CodePage.h"
#include "framework/DroppedFiles.h"
#include "framework/Gdi.h"
#include "framework/Handles.h"
#include "framework/Mbcs.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kSwitchSize = 32;
constexpr int kSwitchTop = 2;
constexpr int kHiddenHeight = 32;
constexpr int kRowsBelowBar = 40;  // the rows start this far below the bar's top
constexpr int kTitleLeft = 4;
constexpr int kTitleRightMargin = 160;

geo::Rect SwitchAt(int x) { return {x, kSwitchTop, x + kSwitchSize, kSwitchTop + kSwitchSize}; }

}  // namespace

CFileListWnd::CFileListWnd(IListPlayer& player, IListScreen& screen, IInputSink& input, const Settings& settings,
                           const CSkinDefinition& skin)
    : m_player(player),
      m_screen(screen),
      m_input(input),
      m_settings(settings),
      m_skin(skin),
      m_model(settings),
      m_tags(*this) {}

CFileListWnd::~CFileListWnd() = default;

std::string CFileListWnd::SkinFile(const char* name) const { return m_skin.skinFolder + (name ? name : ""); }

bool CFileListWnd::Create(HWND view) {
  if (!CreateEx(WS_EX_ACCEPTFILES, nullptr, nullptr, WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, 0, 0, 0, 0, view,
                nullptr))
    return false;
  const SortFace sort = m_model.CurrentSortFace();
  return m_home.Create(Hwnd(), SwitchAt(0), ID_HOME_SWITCH, IDB_HOMESW, SkinFile("HOMESW.bmp")) &&
         m_oneUp.Create(Hwnd(), SwitchAt(0), ID_ONE_UP_SWITCH, IDB_1UPSW, SkinFile("1UPSW.bmp")) &&
         m_sort.Create(Hwnd(), SwitchAt(0), ID_SORT_SWITCH, static_cast<unsigned>(sort.resource),
                       SkinFile(sort.file)) &&
         m_removePlaylist.Create(Hwnd(), SwitchAt(0), ID_PLAYLIST_DELETE_SWITCH, IDB_REMOVEPLSW,
                                 SkinFile("REMOVEPLSW.bmp")) &&
         m_listHide.Create(Hwnd(), SwitchAt(0), ID_LIST_HIDE_SWITCH, IDB_LISTHIDESW, SkinFile("LISTHIDESW.bmp"));
}

void CFileListWnd::PreCreate(CREATESTRUCTA& cs) { cs.lpszClass = RegisterClass(0, nullptr, nullptr, nullptr); }

bool CFileListWnd::OnMessage(fw::Msg& m) {
  static constexpr fw::Route<CFileListWnd> kRoutes[] = {
      {WM_CREATE, 0, &CFileListWnd::OnCreate},
      {WM_PAINT, 0, &CFileListWnd::OnPaint},
      {WM_MOUSEMOVE, 0, &CFileListWnd::OnMouseMove},
      {WM_MOUSEWHEEL, 0, &CFileListWnd::OnMouseWheel},
      {WM_TIMER, 0, &CFileListWnd::OnTimer},
      {WM_KEYDOWN, 0, &CFileListWnd::OnKeyDown},
      {WM_SYSKEYDOWN, 0, &CFileListWnd::OnSystemKey},
      {WM_SYSCHAR, 0, &CFileListWnd::OnSystemKey},
      {WM_DROPFILES, 0, &CFileListWnd::OnDropFiles},
      {WM_COMMAND, ID_HOME_SWITCH, &CFileListWnd::OnHomeSwitch},
      {WM_COMMAND, ID_ONE_UP_SWITCH, &CFileListWnd::OnOneUpSwitch},
      {WM_COMMAND, ID_SORT_SWITCH, &CFileListWnd::OnSortSwitch},
      {WM_COMMAND, ID_LIST_HIDE_SWITCH, &CFileListWnd::OnListHideSwitch},
      {WM_COMMAND, ID_PLAYLIST_DELETE_SWITCH, &CFileListWnd::OnRemovePlaylistSwitch},
      {WM_COMMAND, ID_SWITCH_MOUSE_MOVE, &CFileListWnd::OnSwitchMouseMove},
      {WM_SYSCOMMAND, 0, &CFileListWnd::OnSysCommand},
      {WM_THUMBNAILS_READY, 0, &CFileListWnd::OnThumbnailsReady},
      {WM_APPCOMMAND, 0, &CFileListWnd::OnAppCommand},
      {WM_GETTEXT, 0, &CFileListWnd::OnGetText},
      {WM_GETTEXTLENGTH, 0, &CFileListWnd::OnGetTextLength},
      {WM_ACTIVATEAPP, 0, &CFileListWnd::OnActivateApp},
      {WM_KILLFOCUS, 0, &CFileListWnd::OnKillFocus},
  };
  return fw::Dispatch(*this, kRoutes, m);
}

void CFileListWnd::OnCreate(fw::Msg& m) {
  Default(m);
  if (m.result == -1) return;
  ApplyPanelTransparency(Hwnd(), m_model.Classify(m_model.NowPlaying()));
  if (!m_tags.Create(Hwnd())) {
    m.result = -1;
    return;
  }
  WakeFocusKeeper();
}

// ---- Showing

void CFileListWnd::Layout() {
  const geo::Rect r = m_screen.ListArea();
  const geo::Rect rows{r.left, r.top + kRowsBelowBar, r.right, r.bottom};
  m_listRect = r;
  if (!Exists()) return;
  if (m_shown && !m_screen.IsFrameMinimised()) {
    PlaceSwitches(r.Width());
    ::SetWindowPos(Hwnd(), nullptr, r.left, r.top, r.Width(), kBarHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PaintTitle();
    m_tags.SetRect(rows);
    m_tags.Refresh();
    m_tags.RedrawAll();
  } else {
    ::SetWindowPos(Hwnd(), nullptr, r.left, r.top, r.Width(), kHiddenHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    m_tags.SetRect(rows);
  }
}

void CFileListWnd::PlaceSwitches(int w) {
  struct Place {
    CSkinSwitch& sw;
    int x;
  } const places[] = {{m_home, w - 168}, {m_oneUp, w - 134}, {m_sort, w - 100}, {m_removePlaylist, w - 66},
                      {m_listHide, w - 32}};
  for (const Place& p : places)
    if (p.sw.Exists())
      ::SetWindowPos(p.sw.Hwnd(), nullptr, p.x, kSwitchTop, kSwitchSize, kSwitchSize, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFileListWnd::ShowNavigationSwitches(bool show) {
  for (CSkinSwitch* sw : {&m_home, &m_oneUp})
    if (sw->Exists()) ::ShowWindow(sw->Hwnd(), show ? SW_SHOWNA : SW_HIDE);
}

void CFileListWnd::ShowList() {
  if (m_shown) return;
  m_shown = true;
  Layout();
  m_tags.Layout();
  m_tags.KeepAbove(Hwnd());
  if (Exists()) ::SetFocus(Hwnd());
  RestartIdleTimer();
  WakeFocusKeeper();
  m_screen.ShowControlPanel(true);
}

void CFileListWnd::HideList() {
  if (!m_shown) return;
  m_shown = false;
  m_screen.ShowCursorAndArm(false);
  m_tags.HideAll();
  if (const HWND view = m_screen.ViewWindow()) {
    ::SetActiveWindow(view);
    ::SetFocus(view);
  }
  if (Exists()) ::ShowWindow(Hwnd(), SW_HIDE);
  WakeFocusKeeper();
  m_screen.ShowControlPanel(false);
  m_screen.Repaint();
}

void CFileListWnd::Conceal() {
  if (Exists()) ::ShowWindow(Hwnd(), SW_HIDE);
  m_tags.HideAll();
}

void CFileListWnd::Reveal() {
  if (!m_shown) return;
  Layout();
  m_tags.UpdateStates();
  m_tags.RedrawAll();
  m_tags.KeepAbove(Hwnd());
  WakeFocusKeeper();
}

void CFileListWnd::ToggleList() {
  if (!m_shown) {
    SetListMode(0);
    ShowList();
    PaintTitle();
  } else if (ListMode() == 0) {
    SetListMode(1);
    PaintTitle();
  } else {
    HideList();
  }
  if (m_idle[1] && ListMode() == 1) FollowPlaying();
}

void CFileListWnd::SetListMode(int mode) {
  if (mode != 0 && mode != 1) return;
  KillTimer(static_cast<UINT_PTR>(mode));
  m_model.StoreListMode(mode);
  if (mode == 0) Layout();
  ShowNavigationSwitches(mode == 0);
  m_tags.Refresh();
  if (!m_settings.cursorMode) m_tags.SetMovedFlag();
  m_tags.UpdateStates();
  m_tags.RedrawAll();
  ApplySortFace(m_model.CurrentSortFace());
  PaintTitle();
  RestartIdleTimer();
}

void CFileListWnd::ReloadSkin() {
  const SortFace sort = m_model.CurrentSortFace();
  m_home.SetBitmap(IDB_HOMESW, SkinFile("HOMESW.bmp"));
  m_oneUp.SetBitmap(IDB_1UPSW, SkinFile("1UPSW.bmp"));
  m_sort.SetBitmap(static_cast<unsigned>(sort.resource), SkinFile(sort.file));
  m_removePlaylist.SetBitmap(IDB_REMOVEPLSW, SkinFile("REMOVEPLSW.bmp"));
  m_listHide.SetBitmap(IDB_LISTHIDESW, SkinFile("LISTHIDESW.bmp"));
  // The slider's track is a child window: invalidating the slider's pop-up alone would not reach it.
  if (m_tags.Slider().Slider().Exists()) ::InvalidateRect(m_tags.Slider().Slider().Hwnd(), nullptr, FALSE);
  PaintTitle();
}

void CFileListWnd::ApplySortFace(const SortFace& face) {
  if (face.file) m_sort.SetBitmap(static_cast<unsigned>(face.resource), SkinFile(face.file));
}

// ---- Title

std::wstring CFileListWnd::TitleText() {
  const bool folder = ListMode() == 0 && !m_model.DriveList();
  const std::wstring current = folder ? m_model.CurrentFolder() : std::wstring();
  // A folder's own name as it is, also where the code page has no character for it.
  if (folder && !wide::IsDriveRoot(current)) return std::wstring(wide::FileName(current));
  const std::string dir = folder ? m_model.Narrow(current).text : std::string();
  return fw::Widen(ListTitleText(ListMode(), m_model.DriveList(), dir, m_model.VolumeLabelOf(dir)));
}

void CFileListWnd::PaintTitle() {
  if (!Exists() || !::IsWindowVisible(Hwnd())) return;
  fw::WindowDC dc(Hwnd());
  RECT client;
  ::GetClientRect(Hwnd(), &client);
  fw::BackBuffer buffer(dc.Get(), client.right, client.bottom);
  if (!buffer.Ok()) return;
  const CSkinDefinition& skin = m_skin;
  // Over the colour key the text must not be smoothed: blended edges would not be see-through.
  fw::Font font = fw::PointFont(skin.listTitleFont, skin.listTitleFontSize, NONANTIALIASED_QUALITY);
  fw::SelectGuard use(buffer.Dc(), font.Get());
  ::SetBkMode(buffer.Dc(), TRANSPARENT);
  fw::FillSolid(buffer.Dc(), client, kPanelKeyColour);
  const RECT text{client.left + kTitleLeft, 0, client.right - kTitleRightMargin, client.bottom};
  fw::DrawOutlinedText(buffer.Dc(), DoubleAmpersands(TitleText()), text,
                       DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOCLIP, skin.listTitleColor,
                       skin.listTitleFrameColor);
  buffer.Present(dc.Get());
}

void CFileListWnd::OnPaint(fw::Msg&) {
  { fw::PaintDC dc(Hwnd()); }
  PaintTitle();
}

void CFileListWnd::OnGetText(fw::Msg& m) {
  // The window's text goes through the code page; the drawn title shows the wide name.
  const std::string title = fw::Narrow(TitleText()).text;
  auto* buffer = reinterpret_cast<char*>(m.lp);
  if (!buffer || m.wp == 0) return;
  const std::size_t n = mbcs::CutBytes(title, static_cast<std::size_t>(m.wp) - 1).size();
  title.copy(buffer, n);
  buffer[n] = '\0';
  m.result = static_cast<LRESULT>(n);
}

void CFileListWnd::OnGetTextLength(fw::Msg& m) { m.result = static_cast<LRESULT>(fw::Narrow(TitleText()).text.size()); }

// ---- Playback notices

void CFileListWnd::OnPlaybackStarted() {
  if (m_idle[ListMode() == 1 ? 1 : 0] && ListMode() == 1) FollowPlaying();
  m_tags.SetMovedFlag();
  m_tags.UpdateStates();
}

void CFileListWnd::FollowPlaying() {
  m_tags.CenterOn(m_model.IndexOfNowPlaying());
  m_tags.Refresh();
  m_tags.SetMovedFlag();
  m_tags.UpdateStates();
  m_tags.RedrawAll();
}

void CFileListWnd::HideIfVideoOrPicture() {
  const EntryKind c = KindClass(m_model.NowPlaying().kind);
  if (c == KIND_PICTURE || c == KIND_VIDEO) HideList();
}

// ---- Timers

void CFileListWnd::RestartIdleTimer() {
  const int mode = ListMode() == 1 ? 1 : 0;
  KillTimer(static_cast<UINT_PTR>(mode));
  SetTimer(static_cast<UINT_PTR>(mode), m_idleMs);
  m_idle[mode] = false;
}

void CFileListWnd::OnTimer(fw::Msg& m) {
  switch (m.wp) {
    case kIdleTimerFiles:
    case kIdleTimerPlaylist:
      IdleTimerFired(static_cast<int>(m.wp));
      break;
    case kFocusTimer:
      if (KeepFocus())
        m_focusIdleTicks = 0;
      else if (++m_focusIdleTicks >= kFocusIdleTicks && std::exchange(m_focusKeeperRuns, false))
        KillTimer(kFocusTimer);
      break;
    default:
      break;
  }
}

// After a while without list activity the list follows what plays from the playlist (music switches the
// file list to the playlist).
void CFileListWnd::IdleTimerFired(int mode) {
  if (ListMode() == mode && m_shown && PlaysFromPlaylist()) {
    if (mode == 0 && KindClass(m_model.NowPlaying().kind) == KIND_AUDIO) SetListMode(1);
    FollowPlaying();
  }
  KillTimer(static_cast<UINT_PTR>(mode));
  m_idle[mode] = true;
}

// The rows are owned by this window and must stand above the view. The system keeps owned windows above
// their owner, but Wine's handling of the X focus events raises the frame and the view over older owned
// pop-ups without moving them along; the keeper puts them back.
// While the settings dialog runs (its activation is what raises the view), the rows come back under it:
// they go to the top as always and the dialog is put above them again. The focus is the dialog's then.
// Nothing is raised or focused while another program is active: the rows would come up over it.
bool CFileListWnd::KeepFocus() {
  if (!ProgramIsActive()) return false;
  bool acted = false;
  if (m_shown && m_tags.RowsBelow(m_screen.ViewWindow())) {
    m_tags.KeepAbove(Hwnd());
    if (const HWND dialog = m_screen.SettingsDialogWindow())
      ::SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    acted = true;
  }
  if (m_screen.SettingsDialogOpen() || !::GetActiveWindow()) return acted;
  const HWND target = m_shown ? Hwnd() : m_screen.ViewWindow();
  if (target && ::GetFocus() != target) {
    ::SetFocus(target);
    acted = true;
  }
  return acted;
}

void CFileListWnd::WakeFocusKeeper() {
  m_focusIdleTicks = 0;
  if (Exists() && !std::exchange(m_focusKeeperRuns, true)) SetTimer(kFocusTimer, kFocusMs);
}

void CFileListWnd::OnActivateApp(fw::Msg& m) {
  WakeFocusKeeper();
  Default(m);
}

void CFileListWnd::OnKillFocus(fw::Msg& m) {
  WakeFocusKeeper();
  Default(m);
}

bool CFileListWnd::PlaysFromPlaylist() const {
  return m_model.NowPlaying().id == m_model.PlaylistCurrent().id && m_player.IsLoaded();
}

// ---- Messages

void CFileListWnd::OnMouseMove(fw::Msg& m) {
  if (m_screen.DraggingWindow()) {
    Layout();
    return;
  }
  m_tags.Layout();
  Default(m);
}

void CFileListWnd::OnMouseWheel(fw::Msg& m) {
  if (m_shown) Wheel(GET_WHEEL_DELTA_WPARAM(m.wp));
}

void CFileListWnd::OnKeyDown(fw::Msg& m) {
  if (!m_shown) {
    Default(m);
    return;
  }
  if (HandleKey(m.wp, m.lp)) return;
  m_input.HandleKey(m.wp, m.lp);
  Default(m);  // which makes WM_APPCOMMAND of a media key
}

void CFileListWnd::OnAppCommand(fw::Msg& m) {
  if (m_input.HandleAppCommand(GET_APPCOMMAND_LPARAM(m.lp)))
    m.result = TRUE;
  else
    Default(m);
}

void CFileListWnd::OnSystemKey(fw::Msg& m) { m_input.HandleSystemKey(m); }

void CFileListWnd::OnDropFiles(fw::Msg& m) {
  const std::wstring path = fw::DroppedFiles(m.wp).First();
  if (!path.empty()) OpenPath(path);
}

void CFileListWnd::OnHomeSwitch(fw::Msg&) { GoHome(false, false); }
void CFileListWnd::OnOneUpSwitch(fw::Msg&) { GoUp(false); }
void CFileListWnd::OnSortSwitch(fw::Msg&) { CycleSort(); }
void CFileListWnd::OnListHideSwitch(fw::Msg&) { HideList(); }
void CFileListWnd::OnRemovePlaylistSwitch(fw::Msg&) { ClearPlaylist(); }
// The bar's switches report every hover tick; nothing here follows the mouse.
void CFileListWnd::OnSwitchMouseMove(fw::Msg&) {}

void CFileListWnd::OnThumbnailsReady(fw::Msg&) { m_tags.DeliverThumbnails(); }

void CFileListWnd::OnSysCommand(fw::Msg& m) {
  const WPARAM command = m.wp & 0xFFF0;
  if (m_input.RefusesSystemCommand(command)) {
    m.result = 0;
    return;
  }
  Default(m);
}
