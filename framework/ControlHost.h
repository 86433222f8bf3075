#pragma once
// Hosting one ActiveX control: a child window of the framework in which the control is created in place
// and which it fills, with the container's side of OLE (client site, in-place site and frame) kept in a
// small site object. The control is driven through its dispatch interface by dispatch identifier.

#include "framework/Com.h"
#include "framework/Window.h"

namespace fw {

class ControlSite;

class ControlHost : public Window {
 public:
  ControlHost();
  ~ControlHost() override;

  // Creates the host window (styles, rectangle, parent and control id as given) and the control of the
  // class inside it. When the class is not registered and localServer names a library, the class is
  // taken from that library's DllGetClassObject instead; the library stays loaded for the process. On
  // failure nothing is left: no window, no control.
  [[nodiscard]] HRESULT CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& rect,
                                      HWND parent, UINT id, const char* localServer = nullptr);
  // Deactivates and closes the control and destroys the host window.
  void DestroyControl();

  bool HasControl() const { return static_cast<bool>(m_object); }
  // The control's own window (inside the host window), or null.
  HWND ControlWindow() const;

  // A property put with one argument, and a method call with none or one; both fail with E_NOINTERFACE
  // when there is no control.
  [[nodiscard]] HRESULT PutProperty(DISPID id, VARIANT value);
  [[nodiscard]] HRESULT CallMethod(DISPID id, const VARIANT* argument, VARIANT* result);

 protected:
  bool OnMessage(Msg& m) override;

 private:
  void OnSize(Msg& m);
  [[nodiscard]] HRESULT CreateObject(REFCLSID clsid, const char* localServer);
  [[nodiscard]] HRESULT Activate();

  ComPtr<IOleObject> m_object;
  ComPtr<IOleInPlaceObject> m_inPlace;
  ComPtr<IDispatch> m_dispatch;
  ComPtr<IOleClientSite> m_site;
  ControlSite* m_siteObject = nullptr;  // the same object as m_site, for its window
};

}  // namespace fw
