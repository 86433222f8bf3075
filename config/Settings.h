#pragma once
// The settings record (TN.INI, section CONFIG) and the window geometry keys (section POSITION).
// Win32-free: every read and write goes through a Profile.

#include <string>
#include <string_view>

#include "config/Profile.h"
#include "framework/Geometry.h"

// Field names follow the TN.INI keys they hold.
struct Settings {
  std::string homeDir;                // HOMEDIR
  std::string tvDir;                  // TVDIR
  bool fullScreen = false;            // FULLSCREEN
  bool movieChangeScreenSize = false; // MOVIECHAGESCREENSIZE: keep the video's aspect ratio
  bool pictChangeScreenSize = true;   // PICTCHAGESCREENSIZE: keep the picture's aspect ratio
  bool disableScreenSaver = false;    // DISABLESCREENSAVER
  bool disableMonitor = false;        // DISABLEMONITOR
  std::string extVideo;               // EXT_VIDEO (default by edition, see DefaultSettings)
  std::string extAudio = "wav,mp3,wma,mid,m2a,m4a";  // EXT_AUDIO
  std::string extPicture = "bmp(p),jpg(p),jpeg(p)";  // EXT_PICTURE
  std::string extOpen = "txt,url,exe";                // EXT_OPEN
  int slideshowTime = 5;              // SLIDESHOWTIME, seconds
  bool cursorMode = false;            // CURSORMODE: jog-dial mode
  int fTime = 10;                     // FTIME, forward seek seconds
  int rTime = 10;                     // RTIME, backward seek seconds
  bool topmost = false;               // TOPMOST
  int playMode = 0;                   // PLAYMODE: 0 no repeat, 1 repeat all, 2 repeat one, 3 random
  bool singleLine = false;            // SINGLELINE
  bool doubleExec = false;            // DOUBLEEXEC
  std::string skin = "標準";          // SKIN

  friend bool operator==(const Settings&, const Settings&) = default;
};

inline constexpr char kConfigSection[] = "CONFIG";
inline constexpr char kPositionSection[] = "POSITION";

// Longest string value kept from the file (longer ones are cut, never inside a double-byte character).
constexpr std::size_t kMaxSettingText = 255;

// The defaults. The EXT_VIDEO default depends on the edition letter that ends the program title: "N"
// gives the short list without the QuickTime and RealPlayer formats.
Settings DefaultSettings(std::string_view programTitle);

// Reads every CONFIG key except VOLUME, each with its default, then lower-cases the extension lists.
Settings LoadSettings(Profile& profile, std::string_view programTitle);

// Writes the whole CONFIG section except VOLUME; bools as 0/1, integers with "%d".
void SaveSettings(Profile& profile, const Settings& settings);

// The folder of a module path, with its trailing backslash (empty when the path has none).
std::string FolderOfPath(std::string_view path);

// Where the view's normal window stood, and whether the frame was maximised.
struct WindowPosition {
  geo::Rect rect;  // all zero: nothing stored
  bool fullScreen = false;
};

WindowPosition LoadWindowPosition(Profile& profile);
// FULL_SCREEN always; the MONITOR_* keys only for a window that is not maximised.
void SaveWindowPosition(Profile& profile, const geo::Rect& rect, bool maximised);

// The control panel's keys. VOLUME is a percentage; garbage or out-of-range values are brought into 0…100.
double LoadVolumeFraction(Profile& profile);
void SaveVolume(Profile& profile, double fraction);
geo::Rect LoadStatusRect(Profile& profile);
void SaveStatusRect(Profile& profile, const geo::Rect& rect);

// Consumers' guards against values the file may hold but the program cannot use.
int SlideshowPeriodMs(const Settings& s);  // at least 1 s, at most one day
int SeekStepSeconds(int configured);       // at least 1 s, at most one day
