#include "playback/RealAudio.h"

#include "framework/CodePage.h"
#include "playback/PlaybackMath.h"

namespace {

// Dispatch identifiers of the control.
enum : DISPID {
  kSource = 102,
  kConsole = 103,
  kControls = 104,
  kStop = 202,
  kVolume = 227,
  kMute = 229,
  kSetting235 = 235,
  kPlay = 257,
  kPause = 258,
  kPosition = 259,
  kLength = 261,
  kClipWidth = 265,
  kClipHeight = 266,
  kAtEnd = 267,
  kSeek = 269,
  kSetting277 = 277,
  kSetting305 = 305,
  kSetting307 = 307,
  kStarted = 316,
};

// A string property put; the string is freed after the call.
HRESULT PutString(fw::ControlHost& host, DISPID id, const std::wstring& wide) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  HRESULT hr = host.PutProperty(id, v);
  ::VariantClear(&v);
  return hr;
}

std::string ProgramFolder() {
  const std::string s = fw::ModulePath(nullptr);
  return s.substr(0, s.find_last_of('\\') + 1);
}

bool IsMouseMessage(UINT m) { return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST; }

}  // namespace

const CLSID CRealAudio::kClassId = {0xCFCDAA03, 0x8BE4, 0x11CF, {0xB8, 0x4B, 0x00, 0x20, 0xAF, 0xBB, 0xCC, 0xFA}};

CRealAudio::~CRealAudio() { DestroyControl(); }

bool CRealAudio::Create(const RECT& rect, HWND parent) {
  const std::string standIn = ProgramFolder() + kStandInFile;
  m_createResult = CreateControl(kClassId, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, parent, kControlId,
                                 standIn.c_str());
  (void)PutString(*this, kControls, L"imagewindow");
  (void)PutString(*this, kConsole, L"_unique");
  CallWithBool(kSetting277, false);
  CallWithBool(kSetting305, true);
  CallWithBool(kSetting307, true);
  CallWithBool(kSetting235, false);
  return SUCCEEDED(m_createResult);
}

void CRealAudio::SetSource(const std::wstring& path) { (void)PutString(*this, kSource, path); }
void CRealAudio::Play() { (void)CallMethod(kPlay, nullptr, nullptr); }
void CRealAudio::Pause() { (void)CallMethod(kPause, nullptr, nullptr); }
void CRealAudio::Stop() { (void)CallMethod(kStop, nullptr, nullptr); }
long CRealAudio::GetPosition() { return CallForLong(kPosition); }
long CRealAudio::GetLength() { return CallForLong(kLength); }

void CRealAudio::GetNaturalSize(long& width, long& height) {
  width = CallForLong(kClipWidth);
  height = CallForLong(kClipHeight);
}

bool CRealAudio::IsAtEnd() { return CallForBool(kAtEnd); }
bool CRealAudio::IsStarted() { return CallForBool(kStarted); }

void CRealAudio::Seek(long milliseconds) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = milliseconds;
  (void)CallMethod(kSeek, &v, nullptr);
}

void CRealAudio::SetVolume(double fraction) {
  const RealControlVolume level = RealVolumeFor(m_waveVolume.Left(), m_waveVolume.Right(), fraction);
  CallWithBool(kMute, level.mute);
  VARIANT v;
  v.vt = VT_I2;
  v.iVal = level.volume;
  (void)CallMethod(kVolume, &v, nullptr);
}

void CRealAudio::CallWithBool(DISPID id, bool value) {
  VARIANT v;
  v.vt = VT_BOOL;
  v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  (void)CallMethod(id, &v, nullptr);
}

long CRealAudio::CallForLong(DISPID id) {
  VARIANT result;
  if (FAILED(CallMethod(id, nullptr, &result))) return 0;
  long value = 0;
  if (SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_I4))) value = result.lVal;
  ::VariantClear(&result);
  return value;
}

bool CRealAudio::CallForBool(DISPID id) {
  VARIANT result;
  if (FAILED(CallMethod(id, nullptr, &result))) return false;
  bool value = false;
  if (SUCCEEDED(::VariantChangeType(&result, &result, 0, VT_BOOL))) value = result.boolVal != VARIANT_FALSE;
  ::VariantClear(&result);
  return value;
}

bool CRealAudio::PreTranslateMessage(MSG& msg) {
  if (!IsMouseMessage(msg.message)) return fw::ControlHost::PreTranslateMessage(msg);
  HWND view = ::GetParent(Hwnd());
  if (!view) return false;
  // The point in the view's client coordinates, where the view's handlers expect it.
  POINT pt{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  ::MapWindowPoints(msg.hwnd, view, &pt, 1);
  const LPARAM inView = MAKELPARAM(pt.x, pt.y);
  switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      ::SendMessageA(view, msg.message, msg.wParam, inView);
      return true;
    case WM_MOUSEWHEEL:
      ::SendMessageA(view, WM_MOUSEWHEEL, msg.wParam, msg.lParam);  // a wheel message's point is on the screen
      return true;
    case WM_RBUTTONDOWN:
      return true;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONUP:
      ::DefWindowProcA(view, msg.message, msg.wParam, inView);
      return true;
    default:
      return fw::ControlHost::PreTranslateMessage(msg);
  }
}
