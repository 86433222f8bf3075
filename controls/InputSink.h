#pragma once
// Where the windows that float over the player hand the input they do not take: the keys, the system keys,
// the wheel, the middle button and the media keys go on to the player as if they had reached its view.
// The player view implements it.

#include "framework/MessageMap.h"
#include "framework/Win32.h"

class IInputSink {
 public:
  virtual void HandleKey(WPARAM virtualKey, LPARAM flags) = 0;
  // WM_SYSKEYDOWN and WM_SYSCHAR.
  virtual void HandleSystemKey(fw::Msg& m) = 0;
  // False when the system's default processing should follow.
  virtual bool HandleWheel(int delta) = 0;
  virtual void HandleMiddleButton(bool doubleClick) = 0;
  // A media key's WM_APPCOMMAND code; false when it is not the player's.
  virtual bool HandleAppCommand(int command) = 0;
  // Whether a WM_SYSCOMMAND (SC_SCREENSAVE, SC_MONITORPOWER) is refused now.
  virtual bool RefusesSystemCommand(WPARAM command) const = 0;

 protected:
  ~IInputSink() = default;
};
