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

// Built-in bitmap strips, named after the skin file each one stands in for (see res/BuiltinBitmaps.h).
#define IDB_NUMBER 139
#define IDB_INDICATOR 140
#define IDB_VOLUME 145
#define IDB_SETTINGSW 147
#define IDB_PLAYSW 149
#define IDB_STOPSW 150
#define IDB_FSW 151
#define IDB_RSW 152
#define IDB_MINSW 153
#define IDB_MAXSW 154
#define IDB_MIDSW 155
#define IDB_BATUSW 156
#define IDB_PAUSESW 157
#define IDB_TAGBK 158
#define IDB_NAMESORTFSW 159
#define IDB_TIMESORTFSW 160
#define IDB_HOMESW 161
#define IDB_1UPSW 162
#define IDB_FFSW 163
#define IDB_RRSW 164
#define IDB_FILELISTSW 165
#define IDB_REPEATALLSW 166
#define IDB_PLAYLISTSW 167
#define IDB_MUSICSW 168
#define IDB_FOLDERSW 169
#define IDB_PICTURESW 170
#define IDB_VIDEOSW 171
#define IDB_OPENSW 172
#define IDB_LISTHIDESW 173
#define IDB_NAMESORTRSW 174
#define IDB_TIMESORTRSW 175
#define IDB_REMOVEPLSW 176
#define IDB_ADDPLAYLISTSW 178
#define IDB_PLAYPLAYLISTSW 179
#define IDB_MUSICPLSW 180
#define IDB_VIDEOPLSW 181
#define IDB_PICTUREPLSW 182
#define IDB_REPEAT1SW 183
#define IDB_RANDOMSW 184
#define IDB_NOREPEATSW 185
#define IDB_DRIVESW 186
