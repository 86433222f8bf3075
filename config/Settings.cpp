#include "config/Settings.h"

#include <algorithm>

#include "framework/Mbcs.h"

namespace {

// One CONFIG key and the field that holds it; exactly one of the three members is set.
struct ConfigKey {
  const char* name;
  std::string Settings::*text;
  bool Settings::*flag;
  int Settings::*number;
};

constexpr ConfigKey Text(const char* n, std::string Settings::*m) { return {n, m, nullptr, nullptr}; }
constexpr ConfigKey Flag(const char* n, bool Settings::*m) { return {n, nullptr, m, nullptr}; }
constexpr ConfigKey Number(const char* n, int Settings::*m) { return {n, nullptr, nullptr, m}; }

// Reading order.
constexpr ConfigKey kLoadOrder[] = {
    Text("HOMEDIR", &Settings::homeDir),
    Text("TVDIR", &Settings::tvDir),
    Flag("FULLSCREEN", &Settings::fullScreen),
    Flag("MOVIECHAGESCREENSIZE", &Settings::movieChangeScreenSize),
    Flag("PICTCHAGESCREENSIZE", &Settings::pictChangeScreenSize),
    Flag("DISABLESCREENSAVER", &Settings::disableScreenSaver),
    Flag("DISABLEMONITOR", &Settings::disableMonitor),
    Text("EXT_VIDEO", &Settings::extVideo),
    Text("EXT_AUDIO", &Settings::extAudio),
    Text("EXT_PICTURE", &Settings::extPicture),
    Text("EXT_OPEN", &Settings::extOpen),
    Number("SLIDESHOWTIME", &Settings::slideshowTime),
    Flag("CURSORMODE", &Settings::cursorMode),
    Number("FTIME", &Settings::fTime),
    Number("RTIME", &Settings::rTime),
    Flag("TOPMOST", &Settings::topmost),
    Number("PLAYMODE", &Settings::playMode),
    Flag("SINGLELINE", &Settings::singleLine),
    Flag("DOUBLEEXEC", &Settings::doubleExec),
    Text("SKIN", &Settings::skin),
};

// Writing order.
constexpr ConfigKey kSaveOrder[] = {
    Text("HOMEDIR", &Settings::homeDir),
    Text("TVDIR", &Settings::tvDir),
    Flag("FULLSCREEN", &Settings::fullScreen),
    Flag("MOVIECHAGESCREENSIZE", &Settings::movieChangeScreenSize),
    Flag("PICTCHAGESCREENSIZE", &Settings::pictChangeScreenSize),
    Text("EXT_VIDEO", &Settings::extVideo),
    Text("EXT_AUDIO", &Settings::extAudio),
    Text("EXT_PICTURE", &Settings::extPicture),
    Text("EXT_OPEN", &Settings::extOpen),
    Number("SLIDESHOWTIME", &Settings::slideshowTime),
    Flag("DISABLESCREENSAVER", &Settings::disableScreenSaver),
    Flag("DISABLEMONITOR", &Settings::disableMonitor),
    Flag("CURSORMODE", &Settings::cursorMode),
    Number("FTIME", &Settings::fTime),
    Number("RTIME", &Settings::rTime),
    Flag("TOPMOST", &Settings::topmost),
    Number("PLAYMODE", &Settings::playMode),
    Flag("SINGLELINE", &Settings::singleLine),
    Flag("DOUBLEEXEC", &Settings::doubleExec),
    Text("SKIN", &Settings::skin),
};

constexpr char kShortVideoList[] = "avi,mpg,mp2,wmv,asf,m2v,mp4(q)";
constexpr char kLongVideoList[] = "avi,mpg,mp2,wmv,asf,m2v,mp4(q),mov(q),qt(q),ra(r),ram(r),rm(r),rmvb(r)";

}  // namespace

Settings DefaultSettings(std::string_view programTitle) {
  Settings s;
  bool shortEdition = !programTitle.empty() && programTitle.back() == 'N';
  s.extVideo = shortEdition ? kShortVideoList : kLongVideoList;
  return s;
}

Settings LoadSettings(Profile& profile, std::string_view programTitle) {
  const Settings defaults = DefaultSettings(programTitle);
  Settings s = defaults;
  for (const ConfigKey& k : kLoadOrder) {
    if (k.text) {
      std::string value = profile.ReadString(kConfigSection, k.name, (defaults.*k.text).c_str());
      s.*k.text = std::string(mbcs::CutBytes(value, kMaxSettingText));
    } else if (k.flag) {
      s.*k.flag = ReadProfileInt(profile, kConfigSection, k.name, defaults.*k.flag ? 1 : 0) != 0;
    } else {
      s.*k.number = ReadProfileInt(profile, kConfigSection, k.name, defaults.*k.number);
    }
  }
  s.extVideo = mbcs::LowerAscii(s.extVideo);
  s.extAudio = mbcs::LowerAscii(s.extAudio);
  s.extPicture = mbcs::LowerAscii(s.extPicture);
  s.extOpen = mbcs::LowerAscii(s.extOpen);
  return s;
}

void SaveSettings(Profile& profile, const Settings& s) {
  for (const ConfigKey& k : kSaveOrder) {
    if (k.text)
      profile.WriteString(kConfigSection, k.name, (s.*k.text).c_str());
    else if (k.flag)
      profile.WriteString(kConfigSection, k.name, s.*k.flag ? "1" : "0");
    else
      WriteProfileInt(profile, kConfigSection, k.name, s.*k.number);
  }
}

std::string FolderOfPath(std::string_view path) {
  std::size_t slash = mbcs::FindLast(path, '\\');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

WindowPosition LoadWindowPosition(Profile& p) {
  WindowPosition w;
  w.rect.top = ReadProfileInt(p, kPositionSection, "MONITOR_TOP", 0);
  w.rect.bottom = ReadProfileInt(p, kPositionSection, "MONITOR_BOTTOM", 0);
  w.rect.left = ReadProfileInt(p, kPositionSection, "MONITOR_LEFT", 0);
  w.rect.right = ReadProfileInt(p, kPositionSection, "MONITOR_RIGHT", 0);
  w.fullScreen = ReadProfileInt(p, kPositionSection, "FULL_SCREEN", 0) != 0;
  return w;
}

void SaveWindowPosition(Profile& p, const geo::Rect& r, bool maximised) {
  WriteProfileInt(p, kPositionSection, "FULL_SCREEN", maximised ? 1 : 0);
  if (maximised) return;
  WriteProfileInt(p, kPositionSection, "MONITOR_TOP", r.top);
  WriteProfileInt(p, kPositionSection, "MONITOR_BOTTOM", r.bottom);
  WriteProfileInt(p, kPositionSection, "MONITOR_LEFT", r.left);
  WriteProfileInt(p, kPositionSection, "MONITOR_RIGHT", r.right);
}

double LoadVolumeFraction(Profile& p) {
  int percent = std::clamp(ReadProfileInt(p, kConfigSection, "VOLUME", 50), 0, 100);
  return percent * 0.01;
}

void SaveVolume(Profile& p, double fraction) {
  double percent = (fraction >= 0.0 ? std::min(fraction, 1.0) : 0.0) * 100.0;
  // The fraction was made from a whole percentage; a hair below it still means that percentage.
  WriteProfileInt(p, kConfigSection, "VOLUME", static_cast<int>(percent + 1e-9));
}

geo::Rect LoadStatusRect(Profile& p) {
  geo::Rect r;
  r.top = ReadProfileInt(p, kPositionSection, "STATUS_TOP", 0);
  r.bottom = ReadProfileInt(p, kPositionSection, "STATUS_BOTTOM", 0);
  r.left = ReadProfileInt(p, kPositionSection, "STATUS_LEFT", 0);
  r.right = ReadProfileInt(p, kPositionSection, "STATUS_RIGHT", 0);
  return r;
}

void SaveStatusRect(Profile& p, const geo::Rect& r) {
  WriteProfileInt(p, kPositionSection, "STATUS_TOP", r.top);
  WriteProfileInt(p, kPositionSection, "STATUS_BOTTOM", r.bottom);
  WriteProfileInt(p, kPositionSection, "STATUS_LEFT", r.left);
  WriteProfileInt(p, kPositionSection, "STATUS_RIGHT", r.right);
}

int SlideshowPeriodMs(const Settings& s) { return std::clamp(s.slideshowTime, 1, 86400) * 1000; }

int SeekStepSeconds(int configured) { return std::clamp(configured, 1, 86400); }
