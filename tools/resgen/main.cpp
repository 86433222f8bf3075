// resgen: draws the program's built-in resources from code into a folder, for the resource script.
//   resgen <output folder>
#include <cstdio>
#include <string>

#include "Icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: resgen <output folder>\n");
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  bool ok = resgen::WriteIco({resgen::DrawProgramIcon(32), resgen::DrawProgramIcon(16),
                              resgen::DrawProgramIcon(48)},
                             out + "Tarnvale.ico");
  if (!ok) {
    std::fprintf(stderr, "resgen: cannot write into %s\n", out.c_str());
    return 1;
  }
  return 0;
}
