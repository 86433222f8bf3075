#include "standins/realplayer/RealControl.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

#include "standins/common/StandInMath.h"

namespace realctl {

const CLSID kClassId = {0xCFCDAA03, 0x8BE4, 0x11CF, {0xB8, 0x4B, 0x00, 0x20, 0xAF, 0xBB, 0xCC, 0xFA}};
HMODULE g_module = nullptr;
LONG g_objects = 0;
std::wstring g_calls;

namespace {

constexpr wchar_t kWindowClass[] = L"TarnvaleRealControlStandIn";

// Dispatch identifiers and the names the stand-in answers to.
// The three strings are properties to put, every other member is a method: a call of the other kind fails
// as the real control's does.
struct Member {
  DISPID id;
  const wchar_t* name;
  WORD kind = DISPATCH_METHOD;
};
constexpr Member kMembers[] = {
    {102, L"Source", DISPATCH_PROPERTYPUT}, {103, L"Console", DISPATCH_PROPERTYPUT},
    {104, L"Controls", DISPATCH_PROPERTYPUT}, {202, L"DoStop"},     {227, L"SetVolume"},
    {229, L"SetMute"},    {235, L"Setting235"}, {257, L"DoPlay"},    {258, L"DoPause"},    {259, L"GetPosition"},
    {261, L"GetLength"},  {265, L"GetClipWidth"}, {266, L"GetClipHeight"}, {267, L"GetAtEnd"}, {269, L"SetPosition"},
    {277, L"Setting277"}, {305, L"Setting305"}, {307, L"Setting307"}, {316, L"GetStarted"},
};

LRESULT CALLBACK ControlWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE)
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
  auto* control = reinterpret_cast<RealControl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (control) {
    switch (msg) {
      case WM_SIZE:
        control->OnSize(LOWORD(lp), HIWORD(lp));
        return 0;
      case WM_PAINT:
        control->OnPaint();
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case RealControl::kRenderedMessage:
        control->OnSourceRendered();
        return 0;
      case WM_NCDESTROY:
        control->OnWindowGone();
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        break;
      default:
        break;
    }
  }
  return ::DefWindowProcW(hwnd, msg, wp, lp);
}

const wchar_t* WindowClass() {
  static const bool registered = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &ControlWindowProc;
    wc.hInstance = g_module;
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered ? kWindowClass : nullptr;
}

// The call's one argument (named DISPID_PROPERTYPUT for a property put), or null.
const VARIANT* Argument(const DISPPARAMS* params) {
  return params && params->cArgs >= 1 ? &params->rgvarg[0] : nullptr;
}

bool ToBool(const VARIANT* v, bool& out) {
  VARIANT c;
  ::VariantInit(&c);
  if (!v || FAILED(::VariantChangeType(&c, const_cast<VARIANT*>(v), 0, VT_BOOL))) return false;
  out = c.boolVal != VARIANT_FALSE;
  return true;
}

bool ToLong(const VARIANT* v, long& out) {
  VARIANT c;
  ::VariantInit(&c);
  if (!v || FAILED(::VariantChangeType(&c, const_cast<VARIANT*>(v), 0, VT_I4))) return false;
  out = c.lVal;
  return true;
}

bool ToString(const VARIANT* v, std::wstring& out) {
  VARIANT c;
  ::VariantInit(&c);
  if (!v || FAILED(::VariantChangeType(&c, const_cast<VARIANT*>(v), 0, VT_BSTR))) return false;
  out.assign(c.bstrVal ? c.bstrVal : L"", c.bstrVal ? ::SysStringLen(c.bstrVal) : 0);
  ::VariantClear(&c);
  return true;
}

// One entry of the call log: "put 103=_unique;", "call 277=0;", "call 259;".
void Note(WORD flags, DISPID id, const VARIANT* arg) {
  g_calls += (flags & DISPATCH_PROPERTYPUT) ? L"put " : L"call ";
  g_calls += std::to_wstring(id);
  std::wstring text;
  if (arg && arg->vt == VT_BOOL)
    g_calls += arg->boolVal != VARIANT_FALSE ? L"=1" : L"=0";
  else if (arg && ToString(arg, text))
    g_calls += L"=" + text;
  g_calls += L";";
}

void SetLong(VARIANT* result, long value) {
  if (!result) return;
  result->vt = VT_I4;
  result->lVal = value;
}

void SetBool(VARIANT* result, bool value) {
  if (!result) return;
  result->vt = VT_BOOL;
  result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

RealControl::RealControl() { ::InterlockedIncrement(&g_objects); }

RealControl::~RealControl() {
  DestroyWindowAndGraph();
  ::InterlockedDecrement(&g_objects);
}

STDMETHODIMP RealControl::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IOleObject)
    *out = static_cast<IOleObject*>(this);
  else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
    *out = static_cast<IOleInPlaceObject*>(this);
  else if (iid == IID_IDispatch)
    *out = static_cast<IDispatch*>(this);
  else if (iid == IID_IPersist || iid == IID_IPersistStreamInit)
    *out = static_cast<IPersistStreamInit*>(this);
  else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) RealControl::AddRef() { return ++m_refs; }

STDMETHODIMP_(ULONG) RealControl::Release() {
  ULONG left = --m_refs;
  if (left == 0) delete this;  // created by the class factory with one reference
  return left;
}

STDMETHODIMP RealControl::SetClientSite(IOleClientSite* site) {
  m_site.Reset();
  if (site) {
    site->AddRef();
    *m_site.Put() = site;
  }
  return S_OK;
}

STDMETHODIMP RealControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = m_site.Get();
  if (*site) (*site)->AddRef();
  return S_OK;
}

STDMETHODIMP RealControl::Close(DWORD) {
  (void)InPlaceDeactivate();
  m_player.Close();
  return S_OK;
}

STDMETHODIMP RealControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) {
  if (site && !m_site) (void)SetClientSite(site);
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return ActivateInPlace();
    case OLEIVERB_HIDE:
      if (m_window) ::ShowWindow(m_window, SW_HIDE);
      return S_OK;
    default:
      return OLEOBJ_S_INVALIDVERB;
  }
}

HRESULT RealControl::ActivateInPlace() {
  if (m_window) return S_OK;
  if (!m_site) return E_UNEXPECTED;
  HRESULT hr = m_site.As(m_inPlaceSite);
  if (FAILED(hr)) return hr;
  if (m_inPlaceSite->CanInPlaceActivate() != S_OK) return E_FAIL;
  (void)m_inPlaceSite->OnInPlaceActivate();
  HWND parent = nullptr;
  if (FAILED(hr = m_inPlaceSite->GetWindow(&parent))) return hr;
  fw::ComPtr<IOleInPlaceFrame> frame;
  fw::ComPtr<IOleInPlaceUIWindow> document;
  RECT position{}, clip{};
  OLEINPLACEFRAMEINFO info{};
  info.cb = sizeof info;
  if (FAILED(hr = m_inPlaceSite->GetWindowContext(frame.Put(), document.Put(), &position, &clip, &info))) return hr;
  const wchar_t* windowClass = WindowClass();
  if (!windowClass) return E_FAIL;
  m_window = ::CreateWindowExW(0, windowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, position.left,
                               position.top, position.right - position.left, position.bottom - position.top, parent,
                               nullptr, g_module, this);
  if (!m_window) return HRESULT_FROM_WIN32(::GetLastError());
  if (!m_source.empty()) OpenSource();
  return S_OK;
}

STDMETHODIMP RealControl::GetUserClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = kClassId;
  return S_OK;
}

STDMETHODIMP RealControl::SetExtent(DWORD, SIZEL* size) {
  if (!size) return E_POINTER;
  m_extent = *size;
  return S_OK;
}

STDMETHODIMP RealControl::GetExtent(DWORD, SIZEL* size) {
  if (!size) return E_POINTER;
  *size = m_extent;
  return S_OK;
}

STDMETHODIMP RealControl::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
  return S_OK;
}

STDMETHODIMP RealControl::GetWindow(HWND* window) {
  if (!window) return E_POINTER;
  *window = m_window;
  return m_window ? S_OK : E_FAIL;
}

STDMETHODIMP RealControl::InPlaceDeactivate() {
  DestroyWindowAndGraph();
  if (m_inPlaceSite) (void)m_inPlaceSite->OnInPlaceDeactivate();
  m_inPlaceSite.Reset();
  return S_OK;
}

STDMETHODIMP RealControl::SetObjectRects(LPCRECT position, LPCRECT) {
  if (!position) return E_POINTER;
  if (m_window)
    ::SetWindowPos(m_window, nullptr, position->left, position->top, position->right - position->left,
                   position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
  return S_OK;
}

void RealControl::DestroyWindowAndGraph() {
  m_player.Close();
  if (m_window) {
    ::DestroyWindow(m_window);
    g_calls += L"destroy;";
  }
  m_window = nullptr;
}

void RealControl::OnSize(int width, int height) {
  if (m_player.HasVideo()) (void)m_player.PlaceVideo({0, 0, width, height});
}

void RealControl::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(m_window, &ps);
  ::FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  ::EndPaint(m_window, &ps);
}

// The file is rendered without holding the caller: a broken one must not stop the program's interface
// while the render waits on it.
void RealControl::OpenSource() {
  m_started = m_ended = false;
  m_asked = Asked::kNothing;
  if (m_window) (void)m_player.BeginOpen(m_source, m_window, kRenderedMessage);
}

void RealControl::OnSourceRendered() {
  if (!m_window || FAILED(m_player.FinishOpen(m_window))) return;
  RECT client;
  ::GetClientRect(m_window, &client);
  OnSize(client.right, client.bottom);
  ApplyVolume();
  if (m_asked == Asked::kPlay) (void)m_player.Run();
  if (m_asked == Asked::kPause) (void)m_player.Pause();
  m_asked = Asked::kNothing;
}

void RealControl::CheckEnd() {
  if (!m_player.IsOpen() || m_ended || !m_player.Completed()) return;
  (void)m_player.Stop();
  (void)m_player.Seek(0);
  m_ended = true;
}

void RealControl::ApplyVolume() { m_player.SetVolume(CentibelsFromControlVolume(m_volume, m_mute)); }

long RealControl::PositionMs() {
  CheckEnd();
  if (m_ended) return 0;
  const long ms = static_cast<long>(m_player.Position() / 10000);
  if (ms > 0 && m_player.Running()) m_started = true;
  return ms;
}

STDMETHODIMP RealControl::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP RealControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  HRESULT hr = S_OK;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (const Member& m : kMembers) {
    if (names[0] && ::_wcsicmp(names[0], m.name) == 0) ids[0] = m.id;
  }
  if (ids[0] == DISPID_UNKNOWN || count > 1) hr = DISP_E_UNKNOWNNAME;
  return hr;
}

STDMETHODIMP RealControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO*, UINT*) {
  if (result) ::VariantInit(result);
  return DoMember(id, flags, Argument(params), result);
}

HRESULT RealControl::DoMember(DISPID id, WORD flags, const VARIANT* arg, VARIANT* result) {
  const Member* member = std::find_if(std::begin(kMembers), std::end(kMembers), [&](const Member& m) { return m.id == id; });
  if (member == std::end(kMembers) || !(flags & member->kind)) {
    g_calls += L"refused ";
    Note(flags, id, arg);
    return DISP_E_MEMBERNOTFOUND;
  }
  Note(flags, id, arg);
  bool b = false;
  long n = 0;
  switch (id) {
    case 102:
      if (!ToString(arg, m_source)) return DISP_E_TYPEMISMATCH;
      OpenSource();
      return S_OK;
    case 103:
      return ToString(arg, m_console) ? S_OK : DISP_E_TYPEMISMATCH;
    case 104:
      return ToString(arg, m_controls) ? S_OK : DISP_E_TYPEMISMATCH;
    case 235:
    case 277:
    case 305:
    case 307:
      if (!ToBool(arg, b)) return DISP_E_TYPEMISMATCH;
      m_settings[id == 235 ? 0 : id == 277 ? 1 : id == 305 ? 2 : 3] = b;
      return S_OK;
    case 202:
      m_asked = Asked::kNothing;
      (void)m_player.Stop();
      (void)m_player.Seek(0);
      return S_OK;
    case 227:
      if (!ToLong(arg, n)) return DISP_E_TYPEMISMATCH;
      m_volume = static_cast<short>(n < 0 ? 0 : n > 100 ? 100 : n);
      ApplyVolume();
      return S_OK;
    case 229:
      if (!ToBool(arg, m_mute)) return DISP_E_TYPEMISMATCH;
      ApplyVolume();
      return S_OK;
    case 257:
      m_ended = false;
      if (m_player.Opening()) m_asked = Asked::kPlay;
      return m_player.IsOpen() ? m_player.Run() : S_OK;
    case 258:
      if (m_player.Opening()) m_asked = Asked::kPause;
      return m_player.IsOpen() ? m_player.Pause() : S_OK;
    case 259:
      SetLong(result, PositionMs());
      return S_OK;
    case 261:
      SetLong(result, static_cast<long>(m_player.Duration() / 10000));
      return S_OK;
    case 265:
    case 266: {
      long w = 0, h = 0;
      (void)m_player.VideoSize(w, h);
      SetLong(result, id == 265 ? w : h);
      return S_OK;
    }
    case 267:
      CheckEnd();
      SetBool(result, m_ended);
      return S_OK;
    case 269:
      if (!ToLong(arg, n)) return DISP_E_TYPEMISMATCH;
      m_ended = false;
      return m_player.IsOpen() ? m_player.Seek(static_cast<std::int64_t>(n < 0 ? 0 : n) * 10000) : S_OK;
    case 316:
      (void)PositionMs();
      SetBool(result, m_started);
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

}  // namespace realctl
