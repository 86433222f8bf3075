#include "app/PlayerApp.h"
#include "app/StartupText.h"

// The wide command line, which names files the code page cannot.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CPlayerApp app;
  return app.Run(std::wstring(CommandLineArguments(::GetCommandLineW())));
}
