#pragma once
// What the panels' switches and sliders ask of the player. The player view implements it.

enum class PlayerCommand {
  kSettings,
  kStop,
  kPlayOrPause,  // pause or go on; start the playlist when nothing is loaded
  kNext,
  kPrevious,
  kCyclePlayMode,
  kForward,
  kBack,
  kShowFiles,     // the file list, shown
  kShowPlaylist,  // the playlist, shown
  kFullScreen,    // full screen or back
  kMinimise,
  kExit,
};

class IPlayerCommands {
 public:
  virtual void Do(PlayerCommand command) = 0;
  virtual void SeekToFraction(double fraction) = 0;
  virtual void SetVolume(double fraction) = 0;
  // What the switches' faces show: the play mode, and whether the window fills the screen.
  virtual int PlayMode() const = 0;
  virtual bool IsMaximised() const = 0;

 protected:
  ~IPlayerCommands() = default;
};
