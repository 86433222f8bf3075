#pragma once
// The mute key's memory: the level a mute took away, so that the next press gives it back. A press
// toggles against the volume as it stands: above 0 it mutes, at 0 it gives the remembered level back.
// A volume set some other way to above 0 ends the mute, so that no stale level comes back later.

class VolumeMute {
 public:
  // The level given back when nothing was muted (the volume was simply at 0).
  static constexpr double kUnmutedLevel = 0.5;

  // The volume after a press, from the volume before it.
  double Toggle(double volume) {
    if (volume > 0.0) {
      m_level = volume;
      return 0.0;
    }
    const double back = m_level > 0.0 ? m_level : kUnmutedLevel;
    m_level = 0.0;
    return back;
  }
  void VolumeChanged(double volume) {
    if (volume > 0.0) m_level = 0.0;
  }
  bool Muted(double volume) const { return volume == 0.0 && m_level > 0.0; }
  // What the settings keep: while muted the level before the mute, so that the next start is not silent.
  double LevelToKeep(double volume) const { return Muted(volume) ? m_level : volume; }

 private:
  double m_level = 0.0;  // 0 while not muted
};
