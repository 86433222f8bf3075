#pragma once
// What a key does while the file list is shown, and what activating an entry does: the two decision
// tables of the browser. Win32-free; the file list window carries the decisions out.

#include "browser/FileEntry.h"

enum class ListKey {
  kPass,         // not the list's: the player view's key handler gets it
  kGoUp,         // Backspace
  kActivate,     // Enter
  kHide,         // Escape
  kPageUp,
  kPageDown,
  kToTop,        // Home, '3', pad 3, F3
  kFileList,     // Ctrl+Left
  kSeekBack,     // Left
  kCursorUp,
  kPlaylist,     // Ctrl+Right
  kSeekForward,  // Right
  kCursorDown,
  kAlternate,    // Insert (file list), Delete (playlist, files only), '4', pad 4, F4
  kToggleList,   // '1', pad 1, F1
  kCycleSort,    // '2', 'Q', pad 2, F2
  kExplore,      // 'E' in the file list
  kNothing,      // the list's key, but nothing to do in this state
};

// virtualKey as WM_KEYDOWN reports it; cursorKind: the kind of the entry under the cursor (0 when none).
ListKey ListKeyFor(unsigned virtualKey, bool ctrl, int listMode, EntryKind cursorKind);

enum class Activation {
  kNothing,
  kGoHome,
  kClearPlaylist,
  kShowFiles,      // list mode 0
  kPlayPlaylist,   // start the playlist unless it plays already, then list mode 1
  kAddFolderTree,  // the current directory's tree to the playlist
  kGoUp,
  kEnterDrive,
  kEnterFolder,    // the entry's folder (a folder shortcut's target)
  kAddTree,        // the folder's tree to the playlist
  kPlayHidingList, // video, picture: the list hides, the entry plays
  kPlay,           // audio: the entry plays with the list shown
  kAddEntry,       // a media file to the playlist
  kRemoveEntry,    // a playlist file out of the playlist
  kShellOpen,      // a file opened with its associated application
};

// The action for an entry by its kind (engine bits ignored), whether the alternate action was asked for
// (the icon, Insert, '4', or a Shift key for the kinds that have an alternate) and the list mode.
Activation ActivationFor(EntryKind kind, bool alternate, int listMode);
// Whether the kind has an alternate action, so that a Shift key is asked about at all.
bool HasAlternate(EntryKind kind);
