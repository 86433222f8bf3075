#pragma once
// The extension lists of the documented classification examples, shared by the browser tests.
#include <string>

#include "config/Settings.h"

inline Settings ExampleSettings(const std::string& homeDir = "") {
  Settings s;
  s.extVideo = "avi,mpg,mp4(q)";
  s.extAudio = "wav,mp3";
  s.extPicture = "bmp(p),jpg(p)";
  s.extOpen = "txt,url,exe";
  s.homeDir = homeDir;
  return s;
}
