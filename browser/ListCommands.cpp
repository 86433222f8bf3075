#include "browser/ListCommands.h"

ListKey ListKeyFor(unsigned vk, bool ctrl, int listMode, EntryKind cursorKind) {
  switch (vk) {
    case 0x08:
      return ListKey::kGoUp;
    case 0x0D:
      return ListKey::kActivate;
    case 0x1B:
      return ListKey::kHide;
    case 0x21:
      return ListKey::kPageUp;
    case 0x22:
      return ListKey::kPageDown;
    case 0x24:
    case '3':
    case 0x63:
    case 0x72:
      return ListKey::kToTop;
    case 0x25:
      return ctrl ? ListKey::kFileList : ListKey::kSeekBack;
    case 0x26:
      return ListKey::kCursorUp;
    case 0x27:
      return ctrl ? ListKey::kPlaylist : ListKey::kSeekForward;
    case 0x28:
      return ListKey::kCursorDown;
    case 0x2D:
      return listMode == 0 ? ListKey::kAlternate : ListKey::kNothing;
    case 0x2E:
      return listMode == 1 && cursorKind > 0xB00 ? ListKey::kAlternate : ListKey::kNothing;
    case '1':
    case 0x61:
    case 0x70:
      return ListKey::kToggleList;
    case '2':
    case 'Q':
    case 0x62:
    case 0x71:
      return ListKey::kCycleSort;
    case '4':
    case 0x64:
    case 0x73:
      return ListKey::kAlternate;
    case 'E':
      return listMode == 0 ? ListKey::kExplore : ListKey::kNothing;
    default:
      return ListKey::kPass;
  }
}

bool HasAlternate(EntryKind kind) {
  switch (kind & 0xF0F) {
    case KIND_FOLDER:
    case KIND_FOLDER | KIND_VIA_SHORTCUT:
      return true;
    default:
      return IsFileKind(kind);
  }
}

Activation ActivationFor(EntryKind kind, bool alternate, int listMode) {
  const EntryKind k = kind & 0xF0F;
  const bool viaShortcut = (k & KIND_VIA_SHORTCUT) != 0;
  switch (k & ~KIND_VIA_SHORTCUT) {
    case KIND_HOME:
      return viaShortcut ? Activation::kNothing : Activation::kGoHome;
    case KIND_CLEAR_PLAYLIST:
      return viaShortcut ? Activation::kNothing : Activation::kClearPlaylist;
    case KIND_SHOW_FILES:
      return viaShortcut ? Activation::kNothing : Activation::kShowFiles;
    case KIND_PLAY_PLAYLIST:
      return viaShortcut ? Activation::kNothing : Activation::kPlayPlaylist;
    case KIND_ADD_FOLDER:
      return viaShortcut ? Activation::kNothing : Activation::kAddFolderTree;
    case KIND_PARENT:
    case KIND_PARENT_ROOT:
      return viaShortcut ? Activation::kNothing : Activation::kGoUp;
    case KIND_DRIVE:
      return viaShortcut ? Activation::kNothing : Activation::kEnterDrive;
    case KIND_FOLDER:
      return alternate ? Activation::kAddTree : Activation::kEnterFolder;
    case KIND_VIDEO:
    case KIND_PICTURE:
    case KIND_AUDIO:
      if (alternate) return listMode == 1 ? Activation::kRemoveEntry : Activation::kAddEntry;
      return KindClass(k) == KIND_AUDIO ? Activation::kPlay : Activation::kPlayHidingList;
    case KIND_OPEN:
      return alternate && listMode == 1 ? Activation::kRemoveEntry : Activation::kShellOpen;
    default:
      return Activation::kNothing;
  }
}
