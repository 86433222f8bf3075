#pragma once
// The RealPlayer ActiveX control in a child window of the player view, driven by dispatch identifier.
// One is made for every "(r)" entry and destroyed when the entry ends. The control never sees the mouse:
// its mouse messages go to the view's own handlers, so the picture behaves like the view.

#include <string>

#include "framework/ControlHost.h"
#include "playback/WaveVolume.h"

class CRealAudio : public fw::ControlHost {
 public:
  // {CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}
  static const CLSID kClassId;
  static constexpr UINT kControlId = 2;
  // The stand-in control shipped beside the program, used where the class is not registered.
  static constexpr char kStandInFile[] = "TarnvaleReal.dll";

  CRealAudio() = default;
  // The control goes first; the wave-out volume is given back after it, since a control may still set
  // the device's volume while it stops and closes.
  ~CRealAudio() override;

  // Creates the control in a child window of parent and sets it up; false when it could not be made.
  bool Create(const RECT& rect, HWND parent);
  void SetSource(const std::wstring& path);
  void Play();
  void Pause();
  void Stop();
  // Milliseconds.
  long GetPosition();
  long GetLength();
  void GetNaturalSize(long& width, long& height);
  // True together with position 0 once the clip has ended.
  bool IsAtEnd();
  void Seek(long milliseconds);
  // True once the clip is really playing.
  bool IsStarted();
  // The view's volume fraction 0…1, scaled by the wave-out volume read when the wrapper was made.
  void SetVolume(double fraction);

  const CWaveVolume& WaveVolume() const { return m_waveVolume; }
  HRESULT CreateResult() const { return m_createResult; }

  // Filters the control's mouse messages before they are dispatched.
  bool PreTranslateMessage(MSG& msg) override;

 private:
  void CallWithBool(DISPID id, bool value);
  long CallForLong(DISPID id);
  bool CallForBool(DISPID id);

  CWaveVolume m_waveVolume;
  HRESULT m_createResult = E_FAIL;
};
