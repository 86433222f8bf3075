#pragma once
// The kind code that says what an entry is and how it is played: the list classifies files by it, the
// player picks the engine by it and the panels draw the status line and take their colour key by it.
// Win32-free.

#include <cstdint>

// Bits 8–11: the class; bits 4–7: the engine; bit 0: reached through a shell shortcut.
using EntryKind = std::uint32_t;

constexpr EntryKind KIND_HOME = 0x100;
constexpr EntryKind KIND_CLEAR_PLAYLIST = 0x200;
constexpr EntryKind KIND_SHOW_FILES = 0x300;
constexpr EntryKind KIND_PLAY_PLAYLIST = 0x400;
constexpr EntryKind KIND_ADD_FOLDER = 0x500;
constexpr EntryKind KIND_PARENT = 0x600;
constexpr EntryKind KIND_PARENT_ROOT = 0x700;
constexpr EntryKind KIND_DRIVE = 0x800;
constexpr EntryKind KIND_FOLDER = 0x900;
constexpr EntryKind KIND_VIDEO = 0xC00;
constexpr EntryKind KIND_AUDIO = 0xD00;
constexpr EntryKind KIND_PICTURE = 0xE00;
constexpr EntryKind KIND_OPEN = 0xF00;

constexpr EntryKind ENGINE_DIRECTSHOW = 0x00;
constexpr EntryKind ENGINE_QUICKTIME = 0x10;
constexpr EntryKind ENGINE_REALPLAYER = 0x20;
constexpr EntryKind ENGINE_PICTURE = 0xF0;

constexpr EntryKind KIND_VIA_SHORTCUT = 0x1;

constexpr EntryKind KindClass(EntryKind k) { return k & 0xF00; }
constexpr EntryKind KindEngine(EntryKind k) { return k & 0xF0; }
constexpr bool IsViaShortcut(EntryKind k) { return (k & KIND_VIA_SHORTCUT) != 0; }
// Classes above 0xB00 are files that can be played or opened.
constexpr bool IsFileKind(EntryKind k) { return KindClass(k) > 0xB00; }
