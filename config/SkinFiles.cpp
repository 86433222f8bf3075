#include "config/IniProfile.h"
#include "config/SkinDefinition.h"

void CSkinDefinition::Load() {
  std::string folder = FolderOf(ProgramFolder(), skinName);
  IniProfile ini(folder + "TNSKIN.INI");
  LoadFrom(ini, folder);
}
