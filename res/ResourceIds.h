#pragma once
// Resource and command identifiers shared by the resource script and the code.

#define IDR_MAINFRAME 128

// Program title; its last letter is the edition.
#define IDS_PROGRAM_TITLE 61206

// Commands posted by the skinned controls (WM_COMMAND, lParam 0) and the hand-off of a second start.
#define ID_HANDOFF 55
#define ID_VOLUME_SLIDER 61204
#define ID_POSITION_SLIDER 61205
#define ID_FILE_SLIDER 61207
#define ID_SETTINGS_SWITCH 61208
#define ID_STOP_SWITCH 61209
#define ID_PLAY_SWITCH 61210
#define ID_NEXT_SWITCH 61211
#define ID_PREVIOUS_SWITCH 61212
#define ID_MINIMISE_SWITCH 61213
#define ID_MAXIMISE_SWITCH 61215
#define ID_EXIT_SWITCH 61216
#define ID_SHOW_FILE_LIST 61217
#define ID_PLAYMODE_SWITCH 61218
#define ID_FORWARD_SWITCH 61219
#define ID_BACK_SWITCH 61220
#define ID_HOME_SWITCH 61222
#define ID_ONE_UP_SWITCH 61223
#define ID_SORT_SWITCH 61224
#define ID_SHOW_PLAYLIST 61226
#define ID_TAG_MARK 61227
#define ID_SWITCH_MOUSE_MOVE 61228
#define ID_TAG_REDRAW 61229
#define ID_LIST_HIDE_SWITCH 61230
#define ID_PLAYLIST_DELETE_SWITCH 61231
