// Where the real program opens its window and what it writes to TN.INI when it closes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "e2e/Process.h"

using e2e::Installation;
using e2e::kStartMs;
using e2e::TitleBecomes;

namespace {

std::string Line(const char* key, long value) { return std::string(key) + "=" + std::to_string(value); }

// The POSITION lines of the view; the control panel's STATUS lines must be there too, for a panel of its
// size, and are taken out.
std::vector<std::string> ViewLines(std::vector<std::string> lines) {
  auto status = [](const std::string& l) { return l.rfind("STATUS_", 0) == 0; };
  std::map<std::string, long> panel;
  for (const std::string& l : lines)
    if (status(l)) panel[l.substr(0, l.find('='))] = std::stol(l.substr(l.find('=') + 1));
  EXPECT_EQ(panel["STATUS_RIGHT"] - panel["STATUS_LEFT"], 634);
  EXPECT_EQ(panel["STATUS_BOTTOM"] - panel["STATUS_TOP"], 88);
  lines.erase(std::remove_if(lines.begin(), lines.end(), status), lines.end());
  return lines;
}

// Of the CONFIG section only the control panel's volume is written on close.
const std::vector<std::string> kConfigOnClose{"VOLUME=50"};

}  // namespace

TEST(WindowPosition, AFirstStartIsCentredAndClosingWritesOnlyThePositionsAndTheVolume) {
  Installation app("first");
  int p = app.Start();
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  RECT v = wt::WindowRect(e2e::ViewOf(frame));
  EXPECT_EQ(v.right - v.left, 640);
  EXPECT_EQ(v.bottom - v.top, 480);
  EXPECT_EQ(v.left, (::GetSystemMetrics(SM_CXSCREEN) - 640) / 2);
  EXPECT_EQ(v.top, (::GetSystemMetrics(SM_CYSCREEN) - 480) / 2);
  EXPECT_FALSE(::IsZoomed(frame));

  ASSERT_TRUE(app.Close(p, kStartMs));
  EXPECT_EQ(wt::IniSection(app.IniPath(), "CONFIG"), kConfigOnClose);
  EXPECT_EQ(ViewLines(wt::IniSection(app.IniPath(), "POSITION")),
            (std::vector<std::string>{"FULL_SCREEN=0", Line("MONITOR_TOP", v.top), Line("MONITOR_BOTTOM", v.bottom),
                                      Line("MONITOR_LEFT", v.left), Line("MONITOR_RIGHT", v.right)}));

  // The next start opens where the last one closed.
  app.WriteIni("[POSITION]\r\nFULL_SCREEN=0\r\nMONITOR_TOP=100\r\nMONITOR_BOTTOM=500\r\nMONITOR_LEFT=200\r\n"
               "MONITOR_RIGHT=900\r\n");
  p = app.Start();
  frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  v = wt::WindowRect(e2e::ViewOf(frame));
  EXPECT_EQ(v.left, 200);
  EXPECT_EQ(v.top, 100);
  EXPECT_EQ(v.right, 900);
  EXPECT_EQ(v.bottom, 500);
}

TEST(WindowPosition, MaximisingThenClosingKeepsTheNormalRectangle) {
  Installation app("max");
  int p = app.Start();
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  RECT normal = wt::WindowRect(e2e::ViewOf(frame));
  ::ShowWindow(frame, SW_MAXIMIZE);
  ASSERT_TRUE(wt::WaitUntil([&] { return ::IsZoomed(frame) != FALSE; }, 5000));
  ASSERT_TRUE(wt::WaitUntil(
      [&] { return wt::WindowRect(e2e::ViewOf(frame)).right - wt::WindowRect(e2e::ViewOf(frame)).left > 640; },
      5000));

  ASSERT_TRUE(app.Close(p, kStartMs));
  std::vector<std::string> pos = ViewLines(wt::IniSection(app.IniPath(), "POSITION"));
  EXPECT_EQ(pos, (std::vector<std::string>{"FULL_SCREEN=1", Line("MONITOR_TOP", normal.top),
                                           Line("MONITOR_BOTTOM", normal.bottom), Line("MONITOR_LEFT", normal.left),
                                           Line("MONITOR_RIGHT", normal.right)}));
  EXPECT_EQ(wt::IniSection(app.IniPath(), "CONFIG"), kConfigOnClose);

  // FULL_SCREEN=1 starts the next run maximised.
  p = app.Start();
  frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(wt::WaitUntil([&] { return ::IsZoomed(frame) != FALSE; }, 5000));
}

TEST(WindowPosition, GarbageInTheFileStillStartsAUsableWindow) {
  Installation app("garbage");
  app.WriteIni("[POSITION]\r\nMONITOR_TOP=x\r\nMONITOR_BOTTOM=-99999999999\r\nMONITOR_LEFT=70000\r\n"
               "MONITOR_RIGHT=12\r\n[CONFIG]\r\nSLIDESHOWTIME=-4\r\nSKIN=" + std::string(2000, 'k') + "\r\n");
  int p = app.Start();
  HWND frame = app.WaitForFrame(p, kStartMs);
  ASSERT_NE(frame, nullptr);
  RECT v = wt::WindowRect(e2e::ViewOf(frame));
  EXPECT_EQ(v.right - v.left, 640);
  EXPECT_TRUE(e2e::Responds(frame));
  ASSERT_TRUE(app.Close(p, kStartMs));
  // Only the keys the program owns were rewritten; the rest of the file is as it was.
  std::vector<std::string> config = wt::IniSection(app.IniPath(), "CONFIG");
  EXPECT_EQ(config.front(), "SLIDESHOWTIME=-4");
}
