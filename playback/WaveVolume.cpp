#include "playback/WaveVolume.h"

CWaveVolume::CWaveVolume() {
  WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 44100, 44100 * 4, 4, 16, 0};
  if (::waveOutOpen(&m_device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
    m_device = nullptr;
    return;
  }
  DWORD volume = 0;
  if (::waveOutGetVolume(m_device, &volume) == MMSYSERR_NOERROR) {
    m_volume = volume;
    m_read = true;
  }
}

CWaveVolume::~CWaveVolume() {
  if (!m_device) return;
  if (m_read) ::waveOutSetVolume(m_device, m_volume);
  ::waveOutClose(m_device);
}
