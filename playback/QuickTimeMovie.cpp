#include "playback/QuickTimeMovie.h"

#include <cstring>

#include "framework/Mbcs.h"
#include "playback/QuickTimeCalls.h"

using namespace qtabi;

bool CQuickTimeMovie::OpenMovie(const char* path) {
  if (!path || !*path) return false;
  CloseMovie();
  // A QuickTime file name holds at most 255 bytes; a longer path is refused rather than cut.
  if (std::strlen(path) > 255) {
    m_path[0] = '\0';
    UpdateTitle();
    return false;
  }
  std::strcpy(m_path, path);
  ToLengthPrefixed(m_path);
  FSSpec spec{};
  std::int16_t fileRef = 0;
  Movie movie = nullptr;
  qt::FSMakeFSSpec(0, 0, reinterpret_cast<const unsigned char*>(m_path), &spec);
  qt::SetGWorld(m_port, nullptr);
  OSErr err = qt::OpenMovieFile(&spec, &fileRef, fsRdPerm);
  if (err == noErr) {
    err = qt::NewMovieFromFile(&movie, fileRef, nullptr, nullptr, newMovieActive, nullptr);
    qt::CloseMovieFile(fileRef);
  }
  if (err != noErr || !movie) {
    m_path[0] = '\0';
    UpdateTitle();
    return false;
  }
  m_movie = movie;
  AttachController(movie);
  m_movieOpen = true;
  ToZeroTerminated(m_path);
  UpdateTitle();
  return true;
}

void CQuickTimeMovie::CloseMovie() {
  if (!m_movieOpen) return;
  m_movieOpen = false;
  if (m_controller) qt::DisposeMovieController(m_controller);
  qt::DisposeMovie(m_movie);
  m_controller = nullptr;
  m_movie = nullptr;
  qt::SizeWindow(m_port, 320, 1, 0);
  m_path[0] = '\0';
  UpdateTitle();
}

bool CQuickTimeMovie::HandleMessage(HWND window, UINT message, WPARAM wp, LPARAM lp) {
  if (!m_controller) return false;
  const DWORD pos = ::GetMessagePos();
  MessageRecord record{window, message, wp, lp, static_cast<std::uint32_t>(::GetMessageTime()),
                       static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
  EventRecord event{};
  qt::WinEventToMacEvent(&record, &event);
  return qt::MCIsPlayerEvent(m_controller, &event) > 0;
}

void CQuickTimeMovie::Attach(HWND window, CREATESTRUCTA& creation) {
  m_window = window;
  m_parent = ::GetParent(window);
  creation.cx = 320;
  creation.cy = GetFrameHeight() + GetCaptionHeight();
  UpdateTitle();
  qt::CreatePortAssociation(window, nullptr, 0);
  m_port = qt::GetNativeWindowPort(window);
}

void CQuickTimeMovie::Terminate() {
  CloseMovie();
  if (m_port) qt::DestroyPortAssociation(m_port);
  m_port = nullptr;
}

void CQuickTimeMovie::AttachController(Movie movie) {
  Rect box{};
  qt::GetMovieBox(movie, &box);
  qt::MacOffsetRect(&box, static_cast<std::int16_t>(-box.left), static_cast<std::int16_t>(-box.top));
  m_movieBox = box;
  m_controller = qt::NewMovieController(movie, &box, mcTopLeftMovie | mcNotVisible);
  if (!m_controller) return;
  qt::MCSetControllerBoundsRect(m_controller, &box);
  qt::SetMovieBox(movie, &box);
  std::int32_t flags = 0;
  qt::MCDoAction(m_controller, mcActionGetFlags, &flags);
  qt::MCDoAction(m_controller, mcActionSetFlags, reinterpret_cast<void*>(static_cast<Slot>(flags | mcFlagsUseWindowPalette)));
  qt::MCSetActionFilterWithRefCon(m_controller, &CQuickTimeMovie::ActionFilter, reinterpret_cast<Slot>(this));
  Rect desktop = GetDesktopRect();
  qt::MCDoAction(m_controller, mcActionSetGrowBoxBounds, &desktop);
}

std::int32_t CQuickTimeMovie::ActionFilter(MovieController mc, std::int16_t action, void*, Slot refCon) {
  if (action == mcActionControllerSizeChanged) {
    auto* self = reinterpret_cast<CQuickTimeMovie*>(refCon);
    Rect bounds{};
    if (qt::MCGetControllerBoundsRect(mc, &bounds) == noErr) qt::SizeWindow(self->m_port, bounds.right, bounds.bottom, 1);
  }
  return 0;
}

void CQuickTimeMovie::UpdateTitle() {
  if (!m_parent) return;
  const std::string title = GetTitleText(), name = GetFileName();
  const std::string text = title + (!title.empty() && !name.empty() ? " - " : "") + name;
  ::SetWindowTextA(m_parent, text.c_str());
}

std::string CQuickTimeMovie::GetFileName() const {
  std::string_view path = m_path;
  std::size_t back = mbcs::FindLast(path, '\\'), slash = mbcs::FindLast(path, '/');
  std::size_t cut = back == std::string_view::npos ? slash
                    : slash == std::string_view::npos ? back
                                                      : std::max(back, slash);
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

void CQuickTimeMovie::ToLengthPrefixed(char* text) {
  const std::size_t n = std::strlen(text);
  std::memmove(text + 1, text, n);
  text[0] = static_cast<char>(static_cast<unsigned char>(n));
}

void CQuickTimeMovie::ToZeroTerminated(char* text) {
  const std::size_t n = static_cast<unsigned char>(text[0]);
  std::memmove(text, text + 1, n);
  text[n] = '\0';
}

int CQuickTimeMovie::GetFrameHeight() const {
  if (!m_parent) return 0;
  RECT window, client;
  ::GetWindowRect(m_parent, &window);
  ::GetClientRect(m_parent, &client);
  return (window.bottom - window.top) - client.bottom - GetCaptionHeight();
}

int CQuickTimeMovie::GetCaptionHeight() const {
  const bool caption = m_parent && (::GetWindowLongPtrA(m_parent, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  return caption ? ::GetSystemMetrics(SM_CYCAPTION) : 0;
}

Rect CQuickTimeMovie::GetDesktopRect() {
  RECT r;
  ::GetWindowRect(::GetDesktopWindow(), &r);
  return {0, 0, static_cast<std::int16_t>(r.bottom - r.top), static_cast<std::int16_t>(r.right - r.left)};
}
