#pragma once
// The wave mapper's volume, read when the object is made and written back when it ends, so that whatever
// a player does to the device's volume meanwhile is undone.

#include "framework/Win32.h"

#include <mmsystem.h>

class CWaveVolume {
 public:
  CWaveVolume();
  CWaveVolume(const CWaveVolume&) = delete;
  CWaveVolume& operator=(const CWaveVolume&) = delete;
  ~CWaveVolume();

  // Channel levels 0…65535. A device whose volume cannot be read counts as full volume, so that the
  // player's own volume still means something.
  unsigned Left() const { return m_volume & 0xFFFF; }
  unsigned Right() const { return m_volume >> 16; }
  bool Read() const { return m_read; }
  // The wave-out handle through which the volume is given back; open for the object's whole life.
  HWAVEOUT Device() const { return m_device; }

 private:
  HWAVEOUT m_device = nullptr;
  DWORD m_volume = 0xFFFFFFFF;
  bool m_read = false;
};
