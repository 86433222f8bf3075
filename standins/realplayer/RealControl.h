#pragma once
// Stand-in for the RealPlayer ActiveX control, whose real component is 32-bit only and cannot be created
// in this x86_64 program. It is a real in-place ActiveX control under the same class identifier with the
// dispatch table the player uses, and it plays its source through DirectShow in its own window: the
// position comes back to 0 with the end flag set when the clip has played out, as the player expects.
// The program never registers it; the project's Wine scripts register it per user, and the program can
// load it from beside itself where the class is not registered.

#include <string>

#include "framework/Com.h"
#include "framework/Win32.h"
#include "standins/common/GraphPlayer.h"

namespace realctl {

// {CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}
extern const CLSID kClassId;
extern HMODULE g_module;
extern LONG g_objects;  // live objects and locks, for DllCanUnloadNow
// What the controls of the process were told, in order, for the tests (the export StandInCalls):
// "put 104=imagewindow;call 277=0;...;call 202;destroy;"; a call of the wrong kind is noted "refused ".
extern std::wstring g_calls;

class RealControl final : public IOleObject, public IOleInPlaceObject, public IDispatch, public IPersistStreamInit {
 public:
  RealControl();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IOleObject
  STDMETHODIMP SetClientSite(IOleClientSite* site) override;
  STDMETHODIMP GetClientSite(IOleClientSite** site) override;
  STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP Close(DWORD) override;
  STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
  STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
  STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT) override;
  STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
  STDMETHODIMP Update() override { return S_OK; }
  STDMETHODIMP IsUpToDate() override { return S_OK; }
  STDMETHODIMP GetUserClassID(CLSID* clsid) override;
  STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
  STDMETHODIMP SetExtent(DWORD, SIZEL* size) override;
  STDMETHODIMP GetExtent(DWORD, SIZEL* size) override;
  STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP Unadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
  STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override;
  STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

  // IOleWindow, IOleInPlaceObject
  STDMETHODIMP GetWindow(HWND* window) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InPlaceDeactivate() override;
  STDMETHODIMP UIDeactivate() override { return S_OK; }
  STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
  STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }

  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT*) override;

  // IPersist, IPersistStreamInit: the control keeps no state of its own.
  STDMETHODIMP GetClassID(CLSID* clsid) override { return GetUserClassID(clsid); }
  STDMETHODIMP IsDirty() override { return S_FALSE; }
  STDMETHODIMP Load(LPSTREAM) override { return S_OK; }
  STDMETHODIMP Save(LPSTREAM, BOOL) override { return S_OK; }
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
  STDMETHODIMP InitNew() override { return S_OK; }

  // The control's window procedure works through these.
  void OnSize(int width, int height);
  void OnPaint();
  void OnWindowGone() { m_window = nullptr; }
  // The source's render has ended: the clip is set up and does what was asked of it meanwhile.
  void OnSourceRendered();
  static constexpr UINT kRenderedMessage = WM_APP + 1;

 private:
  ~RealControl();
  HRESULT ActivateInPlace();
  void DestroyWindowAndGraph();
  void OpenSource();
  // Notices the end of the clip: it stops, goes back to 0 and sets the end flag.
  void CheckEnd();
  void ApplyVolume();
  long PositionMs();
  HRESULT DoMember(DISPID id, WORD flags, const VARIANT* argument, VARIANT* result);

  ULONG m_refs = 1;
  fw::ComPtr<IOleClientSite> m_site;
  fw::ComPtr<IOleInPlaceSite> m_inPlaceSite;
  HWND m_window = nullptr;
  SIZEL m_extent{2540, 2540};
  GraphPlayer m_player;
  std::wstring m_source;
  std::wstring m_console, m_controls;
  bool m_settings[4] = {};  // 235, 277, 305, 307: kept, with no effect on playback here
  short m_volume = 100;
  bool m_mute = false;
  bool m_started = false;
  bool m_ended = false;
  // What DoPlay, DoPause and DoStop asked for while the source was being rendered.
  enum class Asked { kNothing, kPlay, kPause } m_asked = Asked::kNothing;
};

}  // namespace realctl
