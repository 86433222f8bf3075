#include "app/PlayerApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  CPlayerApp app;
  return app.Run(commandLine);
}
