// The QuickTime dispatch layer with real library files: where the library is looked for and in which
// order, start-up once per process, and the failure mode in which every call returns -2095. Each case
// uses its own library file name, so that the process's own QuickTime is not touched.
#include "playback/QuickTimeDispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "playback/QuickTimeCalls.h"
#include "wine/WineSupport.h"

namespace {

using namespace qtabi;

constexpr const char* kName = "TnLocate.qts";

std::string BuiltLibrary() { return wt::ExeFolder() + CQuickTimeLibrary::kFileName; }

std::string SystemFolder() {
  char s[MAX_PATH] = {};
  ::GetSystemDirectoryA(s, MAX_PATH);
  return s;
}

std::string Normalised(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return path;
}

// Sets (or with nullptr removes) the library folder value under root, and removes what it made at the end.
class RegistryFolder {
 public:
  explicit RegistryFolder(HKEY root) : m_root(root) {}
  ~RegistryFolder() {
    ::RegDeleteKeyValueA(m_root, CQuickTimeLibrary::kRegistryKey, CQuickTimeLibrary::kRegistryValue);
    if (m_created) ::RegDeleteKeyA(m_root, CQuickTimeLibrary::kRegistryKey);
  }
  void Set(const std::string& folder) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(::RegCreateKeyExA(m_root, CQuickTimeLibrary::kRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                &disposition),
              ERROR_SUCCESS);
    m_created = m_created || disposition == REG_CREATED_NEW_KEY;
    ::RegSetValueExA(key, CQuickTimeLibrary::kRegistryValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                     static_cast<DWORD>(folder.size() + 1));
    ::RegCloseKey(key);
  }

 private:
  HKEY m_root;
  bool m_created = false;
};

// Every selector of the table and the two component calls give -2095 and touch nothing.
void ExpectFailureMode(const CQuickTimeLibrary& lib) {
  const std::uint32_t selectors[] = {kCallComponent, kEnterMovies, kUpdateMovie, kDisposeMovie, kGetMovieTimeScale,
                                     kGetMovieDuration, kSetMovieVolume, kGetMovieTime, kCloseMovieFile,
                                     kNewMovieFromFile, kGetMovieBox, kSetMovieBox, kNewMovieController,
                                     kDisposeMovieController, kOpenMovieFile, kSetGWorld, kCreatePortAssociation,
                                     kDestroyPortAssociation, kGetNativeWindowPort, kInitializeQTML,
                                     kWinEventToMacEvent, kFSMakeFSSpec, kSizeWindow, kOffsetRect};
  Rect untouched{1, 2, 3, 4};
  for (std::uint32_t s : selectors)
    EXPECT_EQ(lib.Call(s, reinterpret_cast<Slot>(&untouched), reinterpret_cast<Slot>(&untouched)), kLibraryUnavailable)
        << std::hex << s;
  EXPECT_EQ(untouched.right, 4);
  ComponentParameters block{0, 4, kMCIsPlayerEvent, {}};
  EXPECT_EQ(lib.CallComponent(&block, &block), kLibraryUnavailable);
  EXPECT_EQ(lib.CallComponentWithStorage(nullptr, &block, nullptr), kLibraryUnavailable);
  EXPECT_EQ(lib.LoadedPath(), "");
}

class QuickTimeDispatch : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& f : m_files) ::DeleteFileA(f.c_str());
  }
  // A copy of the built library at path, removed at the end.
  void CopyLibrary(const std::string& path, const std::string& from = BuiltLibrary()) {
    ASSERT_TRUE(::CopyFileA(from.c_str(), path.c_str(), FALSE)) << path;
    m_files.push_back(path);
  }
  wt::TempDir a{"qtlib_a"}, b{"qtlib_b"};
  std::vector<std::string> m_files;
};

}  // namespace

TEST_F(QuickTimeDispatch, AMissingLibraryGivesMinus2093AndTheFailureMode) {
  CQuickTimeLibrary lib(kName);
  EXPECT_EQ(lib.Start(), kLibraryNotFound);
  EXPECT_EQ(lib.StartCount(), 0);
  ExpectFailureMode(lib);
  // A later start looks again: now the library is in the program folder.
  CopyLibrary(wt::ExeFolder() + kName);
  EXPECT_EQ(lib.Start(), noErr);
  EXPECT_EQ(lib.StartCount(), 1);
  EXPECT_EQ(lib.Call(kEnterMovies), noErr);
}

TEST_F(QuickTimeDispatch, ALibraryWithoutTheEntryPointsGivesMinus2094AndIsFreed) {
  CopyLibrary(wt::ExeFolder() + kName, SystemFolder() + "\\version.dll");
  CQuickTimeLibrary lib(kName);
  EXPECT_EQ(lib.Start(), kEntryPointMissing);
  ExpectFailureMode(lib);
  EXPECT_EQ(::GetModuleHandleA(kName), nullptr);
}

TEST_F(QuickTimeDispatch, ASecondStartOnlyCounts) {
  CopyLibrary(wt::ExeFolder() + kName);
  CQuickTimeLibrary lib(kName);
  int hookCalls = 0;
  static int* calls = nullptr;
  calls = &hookCalls;
  lib.SetPreCallHook([] { ++*calls; });
  EXPECT_EQ(lib.Call(kEnterMovies), kLibraryUnavailable);  // before the start: the hook, then nothing
  EXPECT_EQ(hookCalls, 1);
  ASSERT_EQ(lib.Start(), noErr);
  const std::string path = lib.LoadedPath();
  EXPECT_EQ(Normalised(path), Normalised(wt::ExeFolder() + kName));
  EXPECT_EQ(lib.Start(), noErr);
  EXPECT_EQ(lib.StartCount(), 2);
  EXPECT_EQ(lib.LoadedPath(), path);
  EXPECT_EQ(lib.Call(kEnterMovies), noErr);
  EXPECT_EQ(hookCalls, 1);  // the start cleared the hook
}

TEST_F(QuickTimeDispatch, TheLocateOrder) {
  RegistryFolder machine(HKEY_LOCAL_MACHINE), user(HKEY_CURRENT_USER);
  CopyLibrary(a.File(kName));
  CopyLibrary(b.File(kName));
  const std::string folderA = a.Path().substr(0, a.Path().size() - 1);  // without the trailing backslash
  const std::string folderB = b.Path().substr(0, b.Path().size() - 1);
  auto located = [] {
    CQuickTimeLibrary lib(kName);
    HMODULE m = lib.Locate();
    char path[MAX_PATH] = {};
    if (m) ::GetModuleFileNameA(m, path, MAX_PATH);
    if (m) ::FreeLibrary(m);
    return Normalised(path);
  };

  EXPECT_EQ(located(), "");
  user.Set(folderB);  // no trailing separator: one is added
  EXPECT_EQ(located(), Normalised(b.File(kName)));
  machine.Set(folderA + "/");  // ends in '/': none is added
  EXPECT_EQ(located(), Normalised(a.File(kName)));
  CopyLibrary(wt::ExeFolder() + kName);  // the program folder comes before the registry
  EXPECT_EQ(located(), Normalised(wt::ExeFolder() + kName));

  // A library of that name already loaded in the process is loaded again by its path.
  HMODULE held = ::LoadLibraryA(b.File(kName).c_str());
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(located(), Normalised(b.File(kName)));
  ::FreeLibrary(held);
}

TEST_F(QuickTimeDispatch, TheSystemFolderIsTheLastPlace) {
  CopyLibrary(SystemFolder() + "\\" + kName);
  CQuickTimeLibrary lib(kName);
  EXPECT_EQ(lib.Start(), noErr);
  EXPECT_EQ(Normalised(lib.LoadedPath()), Normalised(SystemFolder() + "\\" + kName));
}

TEST_F(QuickTimeDispatch, StartWaitsForTheProcesssStartMutex) {
  CopyLibrary(wt::ExeFolder() + kName);
  char name[64];
  std::snprintf(name, sizeof name, "QTMLInitTermMutex%lx", static_cast<unsigned long>(::GetCurrentProcessId()));
  HANDLE held = ::CreateMutexA(nullptr, TRUE, name);
  ASSERT_NE(held, nullptr);
  CQuickTimeLibrary lib(kName);
  std::atomic<bool> done{false};
  std::thread starter([&] {
    (void)lib.Start();
    done = true;
  });
  ::Sleep(300);
  EXPECT_FALSE(done);
  ::ReleaseMutex(held);
  starter.join();
  EXPECT_TRUE(done);
  EXPECT_EQ(lib.StartCount(), 1);
  ::CloseHandle(held);
}

TEST(QuickTimeStandIn, ForeignHandlesDoNothing) {
  ASSERT_EQ(CQuickTimeLibrary::Process().Start(), noErr);
  auto bogus = reinterpret_cast<Movie>(static_cast<Slot>(kLibraryUnavailable));
  EXPECT_EQ(qt::GetMovieDuration(bogus), 0);
  EXPECT_EQ(qt::GetMovieTime(bogus, nullptr), 0);
  qt::DisposeMovie(bogus);
  EXPECT_EQ(qt::MCDoAction(reinterpret_cast<MovieController>(bogus), mcActionPlay, nullptr),
            static_cast<ComponentResult>(0x80008001u));
  EXPECT_EQ(qt::NewMovieController(bogus, nullptr, 9), nullptr);
  // A file that is not there is no movie.
  unsigned char name[64] = "\x0e" "Z:\\nothing.mov";
  FSSpec spec{};
  std::int16_t ref = -1;
  EXPECT_NE(qt::FSMakeFSSpec(0, 0, name, &spec), noErr);
  EXPECT_NE(qt::OpenMovieFile(&spec, &ref, fsRdPerm), noErr);
}
