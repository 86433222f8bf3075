#pragma once
// The settings dialog's rules that need no window: which skins its list offers, and how its fields go
// back into the settings record. Win32-free.

#include <string>
#include <string_view>
#include <vector>

#include "config/Settings.h"

// The skin that needs no folder; the list offers it first.
inline constexpr char kStandardSkinName[] = "標準";

// One entry of a folder listing.
struct ListedItem {
  std::string name;
  bool folder = false;
  bool hidden = false;
};

// The folder that holds every skin, with its trailing backslash: the current skin's folder
// ("…\skin\NAME\") without its trailing backslash and its last component.
std::string SkinsFolderOf(std::string_view skinFolder);

// The names of the skin folders the list offers besides the standard skin, in listing order: every
// visible folder except "." and "..".
std::vector<std::string> SkinFolderNames(const std::vector<ListedItem>& listing);

// Copies every setting the dialog edits from its fields into the record, as typed. A text longer than
// TN.INI reading keeps is cut at a character boundary, so that the record holds what the next start
// reads. The record's other values (the play mode) stay as they are.
void ApplyDialogFields(const Settings& fields, Settings& record);
