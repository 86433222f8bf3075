#include "bench/soak/BareOpens.h"

#include <dshow.h>
#include <ocidl.h>
#include <olectl.h>

#include <thread>

#include "bench/BenchPaths.h"
#include "bench/BenchResources.h"
#include "framework/BoundedRender.h"
#include "framework/Com.h"
#include "framework/Handles.h"
#include "framework/VideoRenderer.h"
#include "playback/QuickTimeCalls.h"
#include "playback/QuickTimeDispatch.h"

using bench::NowMs;
using bench::PumpFor;

namespace soak {

namespace {

constexpr double kEntryLimitMs = 6000;

// ---- DirectShow

// Waits for the graph's completion event while the window's messages run; false when it did not come.
bool PlayToEnd(IMediaEventEx* events, double limitMs) {
  const double end = NowMs() + limitMs;
  while (NowMs() < end) {
    long code;
    LONG_PTR p1, p2;
    while (SUCCEEDED(events->GetEvent(&code, &p1, &p2, 0))) {
      (void)events->FreeEventParams(code, p1, p2);
      if (code == EC_COMPLETE) return true;
    }
    PumpFor(10);
  }
  return false;
}

HRESULT RenderOnThread(IGraphBuilder* graph, const std::wstring& path) {
  fw::UniqueHandle done(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!done) return E_FAIL;
  HRESULT hr = E_FAIL;
  std::thread render([&] {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    hr = graph->RenderFile(path.c_str(), nullptr);
    if (SUCCEEDED(com)) ::CoUninitialize();
    ::SetEvent(done.Get());
  });
  // The renderer's window belongs to this thread: its sent messages are answered while the render runs.
  (void)WaitHandlingSentMessages(done.Get(), INFINITE);
  render.join();
  return hr;
}

// ---- The RealPlayer control's container: the least a control needs to activate in place in a window.

class Site final : public IOleClientSite, public IOleInPlaceSite {
 public:
  Site(HWND window, const RECT& rect) : m_window(window), m_rect(rect) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IOleClientSite)
      *out = static_cast<IOleClientSite*>(this);
    else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
      *out = static_cast<IOleInPlaceSite*>(this);
    else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  // The site lives on the caller's stack for longer than the control holds it.
  STDMETHODIMP_(ULONG) AddRef() override { return ++m_refs; }
  STDMETHODIMP_(ULONG) Release() override { return --m_refs; }
  ULONG References() const { return m_refs; }

  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP GetContainer(IOleContainer** c) override {
    *c = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  STDMETHODIMP GetWindow(HWND* window) override {
    *window = m_window;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    *frame = nullptr;
    *document = nullptr;
    *position = *clip = m_rect;
    info->fMDIApp = FALSE;
    info->hwndFrame = m_window;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return S_OK; }
  STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

 private:
  HWND m_window;
  RECT m_rect;
  ULONG m_refs = 0;
};

HRESULT Call(IDispatch* control, DISPID id, const VARIANT* argument, VARIANT* result) {
  VARIANT arg{};
  if (argument) arg = *argument;
  DISPPARAMS params{argument ? &arg : nullptr, nullptr, argument ? 1u : 0u, 0};
  if (result) ::VariantInit(result);
  return control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

HRESULT PutString(IDispatch* control, DISPID id, const wchar_t* text) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = ::SysAllocString(text);
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&v, &named, 1, 1};
  const HRESULT hr =
      control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
  ::VariantClear(&v);
  return hr;
}

void CallWithBool(IDispatch* control, DISPID id, bool value) {
  VARIANT v;
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  (void)Call(control, id, &v, nullptr);
}

long CallForLong(IDispatch* control, DISPID id) {
  VARIANT result;
  if (FAILED(Call(control, id, nullptr, &result))) return 0;
  long value = 0;
  if (SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4))) value = result.lVal;
  ::VariantClear(&result);
  return value;
}

bool CallForBool(IDispatch* control, DISPID id) {
  VARIANT result;
  if (FAILED(Call(control, id, nullptr, &result))) return false;
  bool value = false;
  if (SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_BOOL))) value = result.boolVal != VARIANT_FALSE;
  ::VariantClear(&result);
  return value;
}

}  // namespace

const char* KindName(Kind kind) {
  switch (kind) {
    case Kind::kDirectShow:
      return "DirectShow";
    case Kind::kQuickTime:
      return "QuickTime";
    case Kind::kRealPlayer:
      return "RealPlayer";
    case Kind::kPicture:
      return "picture";
  }
  return "?";
}

bool BareGraphOpen(const std::wstring& path, HWND window, const GraphOptions& options, double limitMs) {
  fw::ComPtr<IGraphBuilder> graph;
  if (FAILED(::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.PutVoid())))
    return false;
  if (options.gdiRenderer && NeedsGdiVideoRenderer()) {
    fw::ComPtr<IBaseFilter> renderer;
    if (FAILED(::CoCreateInstance(kClsidGdiVideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  renderer.PutVoid())) ||
        FAILED(graph->AddFilter(renderer.Get(), L"Video Renderer")))
      return false;
  }
  const HRESULT rendered =
      options.renderOnThread ? RenderOnThread(graph.Get(), path) : graph->RenderFile(path.c_str(), nullptr);
  if (FAILED(rendered)) return false;
  // The DirectShow interfaces carry no __uuidof with this compiler: asked for by their identifiers.
  fw::ComPtr<IMediaControl> control;
  fw::ComPtr<IMediaEventEx> events;
  fw::ComPtr<IVideoWindow> video;
  fw::ComPtr<IBasicAudio> audio;
  fw::ComPtr<IMediaSeeking> seeking;
  if (FAILED(graph->QueryInterface(IID_IMediaControl, control.PutVoid())) ||
      FAILED(graph->QueryInterface(IID_IMediaEventEx, events.PutVoid())) ||
      FAILED(graph->QueryInterface(IID_IVideoWindow, video.PutVoid())) ||
      FAILED(graph->QueryInterface(IID_IBasicAudio, audio.PutVoid())) ||
      FAILED(graph->QueryInterface(IID_IMediaSeeking, seeking.PutVoid())))
    return false;
  const bool owned = SUCCEEDED(video->put_Owner(reinterpret_cast<OAHWND>(window)));
  if (options.videoWindowSetup) {
    if (owned) {
      (void)video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
      (void)video->put_MessageDrain(reinterpret_cast<OAHWND>(window));
      RECT client;
      ::GetClientRect(window, &client);
      (void)video->SetWindowPosition(0, 0, client.right, client.bottom);
    }
    (void)events->SetNotifyWindow(reinterpret_cast<OAHWND>(window), WM_APP + 13, 0);
    (void)audio->put_Volume(0);
  }
  if (FAILED(control->Run())) return false;
  LONGLONG duration = 0;
  (void)seeking->GetDuration(&duration);
  bool ended = true;
  if (options.holdMs > 0)
    PumpFor(options.holdMs);
  else
    ended = PlayToEnd(events.Get(), limitMs);
  (void)control->Stop();
  if (owned) {
    (void)video->put_Visible(OAFALSE);
    (void)video->put_Owner(0);
  }
  if (options.videoWindowSetup) (void)events->SetNotifyWindow(0, 0, 0);
  return ended;
}

BareOpens::BareOpens(HWND window) : m_window(window) {
  // QuickTime draws into a port associated with a window; the program's host keeps one for the process.
  m_movieWindow = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 320, 240, window, nullptr,
                                    nullptr, nullptr);
  if (CQuickTimeLibrary::Process().Start() == qtabi::noErr) {
    qt::EnterMovies();
    qt::CreatePortAssociation(m_movieWindow, nullptr, 0);
    m_port = qt::GetNativeWindowPort(m_movieWindow);
  }
  // Wine 8 does not read per-user class registrations: the control is made from its library, as the
  // program's container does where the class is not registered.
  // The library stays loaded for the process, as the program's container leaves it.
  m_realLibrary = ::LoadLibraryA((bench::ExeFolder() + "TarnvaleReal.dll").c_str());
}

BareOpens::~BareOpens() {
  if (m_port) qt::DestroyPortAssociation(static_cast<qtabi::Port>(m_port));
  if (m_movieWindow) ::DestroyWindow(m_movieWindow);
}

bool BareOpens::Fail(const char* what) {
  m_failure = what;
  return false;
}

bool BareOpens::Open(Kind kind, const std::wstring& path) {
  m_failure.clear();
  switch (kind) {
    case Kind::kDirectShow:
      return BareGraphOpen(path, m_window, GraphOptions{}, kEntryLimitMs) || Fail("the graph did not play to its end");
    case Kind::kQuickTime:
      return OpenQuickTime(path);
    case Kind::kRealPlayer:
      return OpenRealPlayer(path);
    case Kind::kPicture:
      return OpenPicture(path);
  }
  return false;
}

bool BareOpens::OpenQuickTime(const std::wstring& wide) {
  using namespace qtabi;
  if (!m_port) return Fail("QuickTime did not start");
  char name[257] = {};
  const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, name + 1, 255, nullptr, nullptr);
  if (n <= 1) return Fail("the path has no code-page form");
  name[0] = static_cast<char>(n - 1);  // a length-prefixed name
  FSSpec spec{};
  std::int16_t fileRef = 0;
  Movie movie = nullptr;
  qt::FSMakeFSSpec(0, 0, reinterpret_cast<const unsigned char*>(name), &spec);
  qt::SetGWorld(static_cast<Port>(m_port), nullptr);
  if (qt::OpenMovieFile(&spec, &fileRef, fsRdPerm) != noErr) return Fail("OpenMovieFile");
  const OSErr made = qt::NewMovieFromFile(&movie, fileRef, nullptr, nullptr, newMovieActive, nullptr);
  qt::CloseMovieFile(fileRef);
  if (made != noErr || !movie) return Fail("NewMovieFromFile");
  Rect box{};
  qt::GetMovieBox(movie, &box);
  MovieController controller = qt::NewMovieController(movie, &box, mcTopLeftMovie | mcNotVisible);
  qt::SetMovieVolume(movie, 0);
  if (controller) qt::MCDoAction(controller, mcActionPlay, reinterpret_cast<void*>(static_cast<Slot>(0x10000)));
  const TimeValue duration = qt::GetMovieDuration(movie);
  bool ended = false;
  for (const double end = NowMs() + kEntryLimitMs; !ended && NowMs() < end; PumpFor(10)) {
    TimeRecord now{};
    ended = qt::GetMovieTime(movie, &now) >= duration;
  }
  if (controller) qt::DisposeMovieController(controller);
  qt::DisposeMovie(movie);
  return ended || Fail("the movie did not reach its duration");
}

bool BareOpens::OpenRealPlayer(const std::wstring& path) {
  using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  // {CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}
  static const CLSID kClassId = {0xCFCDAA03, 0x8BE4, 0x11CF, {0xB8, 0x4B, 0x00, 0x20, 0xAF, 0xBB, 0xCC, 0xFA}};
  auto getClassObject = m_realLibrary ? reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(
                                            ::GetProcAddress(m_realLibrary, "DllGetClassObject")))
                                      : nullptr;
  if (!getClassObject) return Fail("no RealPlayer control library");
  fw::ComPtr<IClassFactory> factory;
  fw::ComPtr<IOleObject> object;
  if (FAILED(getClassObject(kClassId, IID_IClassFactory, factory.PutVoid())) ||
      FAILED(factory->CreateInstance(nullptr, IID_IOleObject, object.PutVoid())))
    return Fail("the control was not made");
  factory.Reset();
  RECT rect{0, 0, 1, 1};
  Site site(m_window, rect);
  fw::ComPtr<IDispatch> control;
  bool ended = false;
  if (SUCCEEDED(object->SetClientSite(&site)) &&
      SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, m_window, &rect)) &&
      SUCCEEDED(object->QueryInterface(IID_IDispatch, control.PutVoid()))) {
    (void)PutString(control.Get(), 104, L"imagewindow");
    (void)PutString(control.Get(), 103, L"_unique");
    CallWithBool(control.Get(), 277, false);
    CallWithBool(control.Get(), 305, true);
    CallWithBool(control.Get(), 307, true);
    CallWithBool(control.Get(), 235, false);
    (void)PutString(control.Get(), 102, path.c_str());
    (void)Call(control.Get(), 257, nullptr, nullptr);
    bool started = false;
    for (const double end = NowMs() + kEntryLimitMs; !ended && NowMs() < end; PumpFor(10)) {
      const long position = CallForLong(control.Get(), 259);
      if (!started) {
        started = CallForBool(control.Get(), 316) && position > 0 && CallForLong(control.Get(), 261) > 0;
        continue;
      }
      ended = position == 0 && CallForBool(control.Get(), 267);
    }
    (void)Call(control.Get(), 202, nullptr, nullptr);
  }
  control.Reset();
  fw::ComPtr<IOleInPlaceObject> inPlace;
  if (SUCCEEDED(object->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) (void)inPlace->InPlaceDeactivate();
  inPlace.Reset();
  (void)object->Close(OLECLOSE_NOSAVE);
  (void)object->SetClientSite(nullptr);
  object.Reset();
  return ended || Fail("the clip did not play to its end");
}

bool BareOpens::OpenPicture(const std::wstring& path) {
  fw::UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0) return Fail("the picture was not read");
  const DWORD bytes = static_cast<DWORD>(size.QuadPart);
  fw::GlobalBlock block(bytes);
  if (!block.Get()) return Fail("GlobalAlloc");
  DWORD read = 0;
  void* p = ::GlobalLock(block.Get());
  const bool whole = p && ::ReadFile(file.Get(), p, bytes, &read, nullptr) && read == bytes;
  ::GlobalUnlock(block.Get());
  fw::ComPtr<IStream> stream;
  if (!whole || FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, stream.Put()))) return Fail("the picture was not read");
  (void)block.Release();  // the stream frees it now
  fw::ComPtr<IPicture> picture;
  if (FAILED(::OleLoadPicture(stream.Get(), static_cast<LONG>(bytes), FALSE, IID_IPicture, picture.PutVoid())))
    return Fail("OleLoadPicture");
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  (void)picture->get_Width(&w);
  (void)picture->get_Height(&h);
  // Drawn once into the window, as the view paints it.
  fw::WindowDC dc(m_window);
  RECT client;
  ::GetClientRect(m_window, &client);
  (void)picture->Render(dc.Get(), 0, 0, client.right, client.bottom, 0, h, w, -h, nullptr);
  return true;
}

}  // namespace soak
