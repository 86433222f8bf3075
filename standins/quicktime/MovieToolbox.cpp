#include "standins/quicktime/MovieToolbox.h"

#include <algorithm>

#include "framework/Handles.h"
#include "standins/common/MovieHeader.h"
#include "standins/common/StandInMath.h"

namespace qts {
namespace {

template <class T>
T* As(Slot s) {
  return reinterpret_cast<T*>(s);
}

std::wstring WidePascal(const unsigned char* name) {
  const int n = name[0];
  int w = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(name + 1), n, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(w > 0 ? w : 0), L'\0');
  if (w > 0) ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(name + 1), n, out.data(), w);
  return out;
}

// The time scale and duration the file declares, read straight from the file.
std::optional<MovieHeader> FileMovieHeader(const std::wstring& path) {
  fw::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.Get(), &size)) return std::nullopt;
  ByteReader read = [&file](std::uint64_t offset, void* buffer, std::size_t n) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    DWORD got = 0;
    return ::SetFilePointerEx(file.Get(), at, nullptr, FILE_BEGIN) &&
           ::ReadFile(file.Get(), buffer, static_cast<DWORD>(n), &got, nullptr) && got == n;
  };
  return ReadMovieHeader(read, static_cast<std::uint64_t>(size.QuadPart));
}

bool SameRect(const Rect& a, const Rect& b) {
  return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

}  // namespace

Toolbox& Toolbox::Instance() {
  static Toolbox toolbox;
  return toolbox;
}

MovieData* Toolbox::FindMovie(Movie movie) {
  auto it = m_movies.find(movie);
  return it == m_movies.end() ? nullptr : it->second.get();
}

ControllerData* Toolbox::FindController(MovieController mc) {
  auto it = m_controllers.find(mc);
  return it == m_controllers.end() ? nullptr : it->second.get();
}

PortData* Toolbox::FindPort(Port port) {
  auto it = m_ports.find(port);
  return it == m_ports.end() ? nullptr : it->second.get();
}

Slot Toolbox::Dispatch(std::uint32_t selector, Slot a1, Slot a2, Slot a3, Slot a4, Slot, Slot) {
  switch (selector) {
    case kInitializeQTML:
      ++m_initialised;
      return noErr;
    case kEnterMovies:
      return m_initialised > 0 ? noErr : paramErr;
    case kFSMakeFSSpec:
      return MakeFSSpec(As<const unsigned char>(a3), As<FSSpec>(a4));
    case kOpenMovieFile:
      return OpenMovieFile(As<const FSSpec>(a1), As<std::int16_t>(a2));
    case kCloseMovieFile:
      return m_files.erase(static_cast<std::int16_t>(a1)) ? noErr : paramErr;
    case kNewMovieFromFile:
      return NewMovieFromFile(As<OpaqueMovie*>(a1), static_cast<std::int16_t>(a2));
    case kDisposeMovie: {
      // A controller of the movie goes with it.
      const Movie movie = reinterpret_cast<Movie>(a1);
      std::erase_if(m_controllers, [movie](const auto& c) { return c.second->movie == movie; });
      m_movies.erase(movie);
      return noErr;
    }
    case kUpdateMovie:
      return FindMovie(reinterpret_cast<Movie>(a1)) ? noErr : invalidMovie;
    case kGetMovieTimeScale: {
      MovieData* m = FindMovie(reinterpret_cast<Movie>(a1));
      return m ? m->scale : 0;
    }
    case kGetMovieDuration: {
      MovieData* m = FindMovie(reinterpret_cast<Movie>(a1));
      return m ? static_cast<Slot>(std::min<std::int64_t>(m->duration, INT32_MAX)) : 0;
    }
    case kSetMovieVolume:
      if (MovieData* m = FindMovie(reinterpret_cast<Movie>(a1)))
        m->player.SetVolume(CentibelsFromMovieVolume(static_cast<std::int16_t>(a2)));
      return noErr;
    case kGetMovieTime:
      return MovieTime(reinterpret_cast<Movie>(a1), As<TimeRecord>(a2));
    case kGetMovieBox:
      if (MovieData* m = FindMovie(reinterpret_cast<Movie>(a1)); m && a2) *As<Rect>(a2) = m->box;
      return noErr;
    case kSetMovieBox:
      SetMovieBox(reinterpret_cast<Movie>(a1), As<const Rect>(a2));
      return noErr;
    case kNewMovieController:
      return reinterpret_cast<Slot>(NewController(reinterpret_cast<Movie>(a1), As<const Rect>(a2),
                                                  static_cast<std::int32_t>(a3)));
    case kDisposeMovieController:
      m_controllers.erase(reinterpret_cast<MovieController>(a1));
      return noErr;
    case kSetGWorld:
      m_currentPort = FindPort(reinterpret_cast<Port>(a1)) ? reinterpret_cast<Port>(a1) : nullptr;
      return noErr;
    case kCreatePortAssociation:
      return reinterpret_cast<Slot>(CreatePort(reinterpret_cast<HWND>(a1)));
    case kDestroyPortAssociation:
      if (m_currentPort == reinterpret_cast<Port>(a1)) m_currentPort = nullptr;
      m_ports.erase(reinterpret_cast<Port>(a1));
      return noErr;
    case kGetNativeWindowPort:
      for (const auto& [port, data] : m_ports)
        if (data->window == reinterpret_cast<HWND>(a1)) return reinterpret_cast<Slot>(port);
      return 0;
    case kWinEventToMacEvent:
      return ToEvent(As<const MessageRecord>(a1), As<EventRecord>(a2));
    case kSizeWindow:
      SizeWindow(reinterpret_cast<Port>(a1), static_cast<std::int16_t>(a2), static_cast<std::int16_t>(a3), a4 != 0);
      return noErr;
    case kOffsetRect:
      if (Rect* r = As<Rect>(a1)) {
        const auto dx = static_cast<std::int16_t>(a2), dy = static_cast<std::int16_t>(a3);
        *r = {static_cast<std::int16_t>(r->top + dy), static_cast<std::int16_t>(r->left + dx),
              static_cast<std::int16_t>(r->bottom + dy), static_cast<std::int16_t>(r->right + dx)};
      }
      return noErr;
    case kCallComponent:
      return CallComponent(As<void>(a1), As<ComponentParameters>(a2));
    default:
      return paramErr;
  }
}

OSErr Toolbox::MakeFSSpec(const unsigned char* name, FSSpec* spec) {
  if (!name || !spec) return paramErr;
  *spec = {};
  std::copy(name, name + 1 + name[0], spec->name);
  return ::GetFileAttributesW(WidePascal(name).c_str()) == INVALID_FILE_ATTRIBUTES ? fnfErr : noErr;
}

OSErr Toolbox::OpenMovieFile(const FSSpec* spec, std::int16_t* fileRef) {
  if (!spec || !fileRef) return paramErr;
  std::wstring path = WidePascal(spec->name);
  fw::UniqueHandle probe(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
  if (!probe) return fnfErr;
  if (m_nextFile <= 0) m_nextFile = 1;
  *fileRef = m_nextFile++;
  m_files[*fileRef] = std::move(path);
  return noErr;
}

OSErr Toolbox::NewMovieFromFile(Movie* out, std::int16_t fileRef) {
  if (!out) return paramErr;
  *out = nullptr;
  auto file = m_files.find(fileRef);
  if (file == m_files.end()) return paramErr;
  PortData* port = FindPort(m_currentPort);
  auto movie = std::make_unique<MovieData>();
  if (FAILED(movie->player.Open(file->second, port ? port->window : nullptr))) return invalidMovie;
  const std::int64_t mediaDuration = movie->player.Duration();
  if (std::optional<MovieHeader> header = FileMovieHeader(file->second)) {
    movie->scale = header->timeScale;
    movie->duration = header->duration;
  }
  if (movie->duration <= 0) movie->duration = MovieTimeFromMediaTime(mediaDuration, movie->scale);
  long w = 0, h = 0;
  if (SUCCEEDED(movie->player.VideoSize(w, h))) movie->box = {0, 0, static_cast<std::int16_t>(h), static_cast<std::int16_t>(w)};
  const Movie handle = reinterpret_cast<Movie>(movie.get());
  m_movies.emplace(handle, std::move(movie));
  *out = handle;
  return noErr;
}

TimeValue Toolbox::MovieTime(Movie movie, TimeRecord* now) {
  MovieData* m = FindMovie(movie);
  if (!m) return 0;
  // At its end a movie stands at its duration, whatever the streams' own lengths were.
  std::int64_t t = m->player.Completed() ? m->duration
                                         : std::min(MovieTimeFromMediaTime(m->player.Position(), m->scale), m->duration);
  t = std::clamp<std::int64_t>(t, 0, INT32_MAX);
  if (now) *now = {t, m->scale, nullptr};
  return static_cast<TimeValue>(t);
}

void Toolbox::SetMovieBox(Movie movie, const Rect* box) {
  MovieData* m = FindMovie(movie);
  if (!m || !box) return;
  m->box = *box;
  (void)m->player.PlaceVideo({box->left, box->top, box->right, box->bottom});
}

MovieController Toolbox::NewController(Movie movie, const Rect* box, std::int32_t flags) {
  if (!FindMovie(movie) || !box) return nullptr;
  auto c = std::make_unique<ControllerData>(ControllerData{movie, *box, flags});
  const MovieController handle = reinterpret_cast<MovieController>(c.get());
  m_controllers.emplace(handle, std::move(c));
  return handle;
}

Port Toolbox::CreatePort(HWND window) {
  if (!::IsWindow(window)) return nullptr;
  for (const auto& [port, data] : m_ports)
    if (data->window == window) return port;
  auto data = std::make_unique<PortData>(PortData{window});
  const Port handle = reinterpret_cast<Port>(data.get());
  m_ports.emplace(handle, std::move(data));
  return handle;
}

void Toolbox::SizeWindow(Port port, int width, int height, bool update) {
  PortData* p = FindPort(port);
  if (!p || width < 0 || height < 0) return;
  ::SetWindowPos(p->window, nullptr, 0, 0, width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (update ? 0 : SWP_NOREDRAW));
}

std::int32_t Toolbox::ToEvent(const MessageRecord* message, EventRecord* event) {
  if (!message || !event) return 0;
  *event = {};
  switch (message->message) {
    case WM_PAINT:
      event->what = updateEvt;
      break;
    case WM_LBUTTONDOWN:
      event->what = mouseDown;
      break;
    case WM_LBUTTONUP:
      event->what = mouseUp;
      break;
    case WM_KEYDOWN:
      event->what = keyDown;
      break;
    case WM_KEYUP:
      event->what = keyUp;
      break;
    case WM_ACTIVATE:
      event->what = activateEvt;
      break;
    default:
      event->what = nullEvent;
      break;
  }
  event->message = static_cast<std::uintptr_t>(message->wParam);
  event->when = message->time;
  event->where = {static_cast<std::int16_t>(message->y), static_cast<std::int16_t>(message->x)};
  return event->what != nullEvent;
}

ComponentResult Toolbox::CallComponent(void* instance, ComponentParameters* params) {
  const auto mc = static_cast<MovieController>(instance);
  ControllerData* c = FindController(mc);
  if (!c) return badComponentInstance;
  if (!params) return paramErr;
  switch (params->what) {
    case kMCIsPlayerEvent:
      // The controller is never visible: it takes no event, but notes it and notices the end of its movie
      // meanwhile.
      if (const auto* event = As<const EventRecord>(params->params[0]); event && event->what != nullEvent) {
        if (m_events.size() > 4096) m_events.erase(0, 2048);
        m_events += std::to_string(event->what) + ";";
      }
      if (MovieData* m = FindMovie(c->movie)) (void)m->player.Completed();
      return 0;
    case kMCDoAction:
      return DoAction(mc, *c, static_cast<std::int16_t>(params->params[0]), params->params[1]);
    case kMCGetControllerBoundsRect:
      if (!params->params[0]) return paramErr;
      *As<Rect>(params->params[0]) = c->bounds;
      return noErr;
    case kMCSetControllerBoundsRect:
      return SetBounds(mc, *c, As<const Rect>(params->params[0]));
    case kMCSetActionFilterWithRefCon:
      c->filter = reinterpret_cast<ActionFilter>(params->params[0]);
      c->refCon = params->params[1];
      return noErr;
    default:
      return badComponentSelector;
  }
}

ComponentResult Toolbox::DoAction(MovieController, ControllerData& c, std::int16_t action, Slot param) {
  MovieData* m = FindMovie(c.movie);
  switch (action) {
    case mcActionPlay:
      return m ? Play(*m, static_cast<Fixed>(param)) : invalidMovie;
    case mcActionGoToTime:
      return m ? GoToTime(*m, As<const TimeRecord>(param)) : invalidMovie;
    case mcActionSetGrowBoxBounds:
      if (param) c.growBounds = *As<const Rect>(param);
      return noErr;
    case mcActionSetFlags:
      c.flags = static_cast<std::int32_t>(param);
      return noErr;
    case mcActionGetFlags:
      if (!param) return paramErr;
      *As<std::int32_t>(param) = c.flags;
      return noErr;
    default:
      return badComponentSelector;
  }
}

ComponentResult Toolbox::SetBounds(MovieController mc, ControllerData& c, const Rect* bounds) {
  if (!bounds) return paramErr;
  const bool changed = !SameRect(c.bounds, *bounds);
  c.bounds = *bounds;
  // The window is sized to the controller first, so that the picture is placed into a window that shows
  // all of it (a paused picture is drawn once, when it is placed). The controller is invisible and leaves
  // the movie top-left: the movie fills its bounds.
  if (changed && c.filter) c.filter(mc, mcActionControllerSizeChanged, nullptr, c.refCon);
  SetMovieBox(c.movie, bounds);
  return noErr;
}

ComponentResult Toolbox::Play(MovieData& m, Fixed rate) {
  m.rate = rate;
  // Rate 0 stands still on the current frame: a paused graph shows it.
  if (rate == 0) return SUCCEEDED(m.player.Pause()) ? noErr : paramErr;
  if (rate < 0) return paramErr;  // DirectShow plays forward only
  (void)m.player.SetRate(RateFromFixed(rate));
  return SUCCEEDED(m.player.Run()) ? noErr : paramErr;
}

ComponentResult Toolbox::GoToTime(MovieData& m, const TimeRecord* when) {
  if (!when) return paramErr;
  const TimeScale scale = when->scale > 0 ? when->scale : m.scale;
  std::int64_t target = MediaTimeFromMovieTime(std::max<std::int64_t>(when->value, 0), scale);
  const std::int64_t end = MediaTimeFromMovieTime(m.duration, m.scale);
  if (end > 0) target = std::min(target, end);
  return SUCCEEDED(m.player.Seek(target)) ? noErr : paramErr;
}

}  // namespace qts
