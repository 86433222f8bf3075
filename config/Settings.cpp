#include "config/Settings.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "framework/Mbcs.h"

namespace {

// One CONFIG key and the field that holds it; exactly one of the three members is set. readAt is the key's
// place in the reading order, which differs from the writing order in where the two DISABLE keys stand.
struct ConfigKey {
  const char* name;
  int readAt;
  std::string Settings::*text;
  bool Settings::*flag;
  int Settings::*number;
};

constexpr ConfigKey Text(const char* n, int at, std::string Settings::*m) { return {n, at, m, nullptr, nullptr}; }
constexpr ConfigKey Flag(const char* n, int at, bool Settings::*m) { return {n, at, nullptr, m, nullptr}; }
constexpr ConfigKey Number(const char* n, int at, int Settings::*m) { return {n, at, nullptr, nullptr, m}; }

// The CONFIG keys in the order TN.INI is written in.
constexpr ConfigKey kConfigKeys[] = {
    Text("HOMEDIR", 0, &Settings::homeDir),
    Text("TVDIR", 1, &Settings::tvDir),
    Flag("FULLSCREEN", 2, &Settings::fullScreen),
    Flag("MOVIECHAGESCREENSIZE", 3, &Settings::movieChangeScreenSize),
    Flag("PICTCHAGESCREENSIZE", 4, &Settings::pictChangeScreenSize),
    Text("EXT_VIDEO", 7, &Settings::extVideo),
    Text("EXT_AUDIO", 8, &Settings::extAudio),
    Text("EXT_PICTURE", 9, &Settings::extPicture),
    Text("EXT_OPEN", 10, &Settings::extOpen),
    Number("SLIDESHOWTIME", 11, &Settings::slideshowTime),
    Flag("DISABLESCREENSAVER", 5, &Settings::disableScreenSaver),
    Flag("DISABLEMONITOR", 6, &Settings::disableMonitor),
    Flag("CURSORMODE", 12, &Settings::cursorMode),
    Number("FTIME", 13, &Settings::fTime),
    Number("RTIME", 14, &Settings::rTime),
    Flag("TOPMOST", 15, &Settings::topmost),
    Number("PLAYMODE", 16, &Settings::playMode),
    Flag("SINGLELINE", 17, &Settings::singleLine),
    Flag("DOUBLEEXEC", 18, &Settings::doubleExec),
    Text("SKIN", 19, &Settings::skin),
};
constexpr std::size_t kConfigKeyCount = std::size(kConfigKeys);

// The table's entries in reading order; zero entries where the readAt values are not a permutation.
constexpr std::array<const ConfigKey*, kConfigKeyCount> ReadingOrder() {
  std::array<const ConfigKey*, kConfigKeyCount> order{};
  for (const ConfigKey& k : kConfigKeys)
    if (k.readAt >= 0 && static_cast<std::size_t>(k.readAt) < kConfigKeyCount) order[k.readAt] = &k;
  return order;
}
constexpr std::array<const ConfigKey*, kConfigKeyCount> kReadingOrder = ReadingOrder();
static_assert(std::find(kReadingOrder.begin(), kReadingOrder.end(), nullptr) == kReadingOrder.end(),
              "every CONFIG key has its own place in the reading order");

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
  for (const ConfigKey* key : kReadingOrder) {
    const ConfigKey& k = *key;
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
  for (const ConfigKey& k : kConfigKeys) {
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
