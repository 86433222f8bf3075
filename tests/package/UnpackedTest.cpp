// The download as a user unpacks it: tools/check-package.sh unpacks the zip into a folder of its own and
// names that folder in TARN_UNPACKED. From there the program starts, shows its frame and closes cleanly,
// its version resource is the build's, and skin\Example is the built-in skin as the program reads it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <vector>

#include "config/IniProfile.h"
#include "config/SkinDefinition.h"
#include "controls/SkinBitmap.h"
#include "e2e/Process.h"
#include "res/BuiltinBitmaps.h"
#include "wine/VersionResource.h"

namespace {

class UnpackedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("TARN_UNPACKED");
    m_folder = folder ? std::string(folder) + "\\" : "";
    ASSERT_FALSE(m_folder.empty()) << "TARN_UNPACKED names no folder (run tools/check-package.sh)";
  }
  std::string m_folder;
};

// Ends a program that a failed check left running.
struct Started {
  fw::UniqueHandle process;
  DWORD pid = 0;
  ~Started() {
    if (process && ::WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) ::TerminateProcess(process.Get(), 1);
  }
};

HWND FrameOf(DWORD pid) {
  for (HWND frame : e2e::AllFrames()) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(frame, &owner);
    if (owner == pid) return frame;
  }
  return nullptr;
}

// Reads through the INI file and notes every key the loader asks for that the file does not hold.
class PresenceProfile : public Profile {
 public:
  explicit PresenceProfile(const std::string& path) : m_ini(path) {}
  std::string ReadString(const char* section, const char* key, const char* fallback) override {
    static constexpr char kAbsent[] = "\x01";
    std::string value = m_ini.ReadString(section, key, kAbsent);
    if (value != kAbsent) return value;
    missing.push_back(std::string(section) + "/" + key);
    return fallback;
  }
  bool WriteString(const char*, const char*, const char*) override { return false; }
  std::vector<std::string> missing;

 private:
  IniProfile m_ini;
};

}  // namespace

TEST_F(UnpackedTest, StartsFromItsOwnFolderShowsItsFrameAndClosesCleanly) {
  const std::string exe = m_folder + "Tarnvale.exe";
  std::string line = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(::CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(), &si,
                               &pi))
      << "cannot start " << exe;
  ::CloseHandle(pi.hThread);
  Started app{fw::UniqueHandle(pi.hProcess), pi.dwProcessId};

  const DWORD start = ::GetTickCount();
  HWND frame = nullptr, view = nullptr, list = nullptr;
  const bool shown = wt::WaitUntil(
      [&] {
        frame = FrameOf(app.pid);
        view = frame ? e2e::ViewOf(frame) : nullptr;
        list = view ? e2e::ListOf(view) : nullptr;
        return list && ::IsWindowVisible(frame) && ::IsWindowVisible(view) && ::IsWindowVisible(list);
      },
      e2e::kStartMs);
  ASSERT_TRUE(shown) << "no frame with its view and file list within " << e2e::kStartMs << " ms";
  const RECT r = wt::WindowRect(view);
  std::printf("unpacked: frame \"%s\" with view and list after %lu ms, view %ld,%ld %ldx%ld\n",
              wt::WindowText(frame).c_str(), ::GetTickCount() - start, r.left, r.top, r.right - r.left,
              r.bottom - r.top);
  EXPECT_TRUE(e2e::Responds(frame));

  const DWORD closing = ::GetTickCount();
  ASSERT_TRUE(::PostMessageA(frame, WM_CLOSE, 0, 0));
  ASSERT_EQ(::WaitForSingleObject(app.process.Get(), e2e::kStartMs), WAIT_OBJECT_0) << "still running after WM_CLOSE";
  DWORD code = STILL_ACTIVE;
  ASSERT_TRUE(::GetExitCodeProcess(app.process.Get(), &code));
  std::printf("unpacked: closed %lu ms after WM_CLOSE, exit code %lu\n", ::GetTickCount() - closing, code);
  EXPECT_EQ(code, 0u);
  // The settings stay beside the program.
  EXPECT_FALSE(wt::IniSection(m_folder + "TN.INI", "POSITION").empty()) << "no TN.INI written beside the program";
}

TEST_F(UnpackedTest, CarriesTheBuildsVersion) { wt::ExpectTheBuildsVersion(m_folder + "Tarnvale.exe"); }

TEST_F(UnpackedTest, ExampleSkinIsTheBuiltInSkin) {
  const std::string folder = CSkinDefinition::FolderOf(m_folder, "Example");
  PresenceProfile ini(folder + "TNSKIN.INI");
  CSkinDefinition skin;
  skin.LoadFrom(ini, folder);
  EXPECT_TRUE(ini.missing.empty()) << "TNSKIN.INI lacks " << ini.missing.size() << " keys, the first "
                                   << (ini.missing.empty() ? "" : ini.missing.front());
  const CSkinDefinition standard;
  for (auto text : {&CSkinDefinition::listTitleFont, &CSkinDefinition::tagFont, &CSkinDefinition::timeFont,
                    &CSkinDefinition::wallpaperFile})
    EXPECT_EQ(skin.*text, standard.*text);
  for (auto size : {&CSkinDefinition::listTitleFontSize, &CSkinDefinition::tagFontSize, &CSkinDefinition::timeFontSize})
    EXPECT_EQ(skin.*size, standard.*size);
  using Colour = SkinColorRef CSkinDefinition::*;  // the sliders' colours are the base's members
  for (Colour colour : std::initializer_list<Colour>{
           &CSkinDefinition::listTitleColor, &CSkinDefinition::listTitleFrameColor, &CSkinDefinition::tagNormalColor,
           &CSkinDefinition::tagCursorColor, &CSkinDefinition::tagPlayingColor, &CSkinDefinition::timeNormalColor,
           &CSkinDefinition::timeNormalFrameColor, &CSkinDefinition::timeCursorColor,
           &CSkinDefinition::timeCursorFrameColor, &CSkinDefinition::timePlayingColor,
           &CSkinDefinition::timePlayingFrameColor, &CSkinDefinition::sliderBaseColor,
           &CSkinDefinition::sliderBaseFrameColor, &CSkinDefinition::sliderBarColor,
           &CSkinDefinition::sliderOnBarColor, &CSkinDefinition::sliderBarFrameColor})
    EXPECT_EQ(skin.*colour, standard.*colour);

  // Each strip is the built-in bitmap (the resource is the file without its 14-byte file header), and the
  // program's loader takes it with the built-in geometry.
  for (const BuiltinBitmap& b : kBuiltinBitmaps) {
    const std::string path = folder + b.file;
    const std::string bytes = wt::ReadFile(path);
    const HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(b.id), MAKEINTRESOURCEA(2));  // RT_BITMAP
    ASSERT_NE(found, nullptr) << b.file;
    const char* resource = static_cast<const char*>(::LockResource(::LoadResource(nullptr, found)));
    const std::string builtIn(resource, ::SizeofResource(nullptr, found));
    EXPECT_TRUE(bytes.size() == builtIn.size() + 14 && bytes.compare(14, std::string::npos, builtIn) == 0)
        << b.file << " is not the built-in strip";
    CSkinBitmap strip;
    EXPECT_TRUE(strip.LoadFromFile(path, b.frameWidth, b.frameCount) &&
                strip.ImageSize() == (geo::Size{b.width, b.height}))
        << b.file << " is not taken as a strip of the built-in size";
  }
}
