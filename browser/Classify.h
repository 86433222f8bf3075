#pragma once
// The rule that turns a file name into an entry kind by the four extension lists and their engine suffixes.
// Win32-free: the shortcut resolution is handed in.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "browser/FileEntry.h"
#include "framework/FileSystem.h"
#include "framework/Mbcs.h"

struct Settings;

// Resolves a shortcut given by its code-page path and, where the caller has it, its wide one.
using ShortcutResolver = std::function<ShortcutTarget(const std::string& shortcutPath, const std::wstring& widePath)>;

// A shortcut whose target is again a shortcut is followed this many times at most.
constexpr int kMaxShortcutHops = 8;

// The text after the last '.' of the whole path (multibyte-aware), empty when there is none. The dot may
// lie in a folder name: C:\a.b\file gives b\file.
std::string_view ExtensionOf(std::string_view path);

// The extension lists of one moment, prepared for many classifications (a listing takes one snapshot, so
// a settings change applies from the next listing on). It remembers the kinds of the extensions it has
// classified, since a folder holds few distinct ones; a snapshot is therefore used by one thread at a time.
class ExtensionRules {
 public:
  explicit ExtensionRules(const Settings& settings);
  ExtensionRules(std::string_view video, std::string_view audio, std::string_view picture, std::string_view open);

  // The kind of a path; 0 when it is not listed. A .lnk is resolved through resolve; target, when given,
  // receives the final target of a shortcut (after every hop), and is left alone for other paths. widePath,
  // when given, is the path's wide form, for the resolution of a shortcut.
  EntryKind Classify(std::string_view path, const ShortcutResolver& resolve, ShortcutTarget* target = nullptr,
                     std::wstring_view widePath = {}) const;

  // ExtensionOf with this snapshot's copy of the lead-byte table (the same result, for the listing's loop).
  std::string_view Extension(std::string_view path) const;

  // The same for an extension already taken from a path; path is only needed for a "lnk" extension.
  EntryKind ClassifyExtension(std::string_view ext, std::string_view path, const ShortcutResolver& resolve,
                              ShortcutTarget* target = nullptr, std::wstring_view widePath = {}) const;

 private:
  // One list's text with the positions where a character starts, so that a match is only taken at a
  // character boundary (a trail byte never starts a match).
  class List {
   public:
    explicit List(std::string text);
    bool Contains(std::string_view s) const;
    // The engine of the first suffix found after s, in the order "(d)", "(q)", "(r)", "(p)".
    EntryKind EngineAfter(std::string_view s) const;

   private:
    std::string m_text;
    std::string m_starts;  // m_starts[i] != 0 when a character starts at m_text[i]
  };

  EntryKind ClassifyLowered(std::string_view ext, std::string_view path, std::wstring_view widePath,
                            const ShortcutResolver& resolve, ShortcutTarget* target, int hops) const;
  EntryKind ClassifyFileExtension(std::string_view ext) const;

  std::string Lower(std::string_view s) const;

  mbcs::LeadBytes m_lead;
  List m_video, m_audio, m_picture, m_open, m_all;
  // Lower-cased extensions (not "lnk") already classified, with their kinds.
  static constexpr std::size_t kCacheSize = 32;
  mutable std::vector<std::pair<std::string, EntryKind>> m_cache;
};

// One classification with the current lists of the settings.
EntryKind Classify(std::string_view path, const Settings& settings, const ShortcutResolver& resolve);
