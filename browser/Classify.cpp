#include "browser/Classify.h"

#include "config/Settings.h"
#include "framework/Mbcs.h"

std::string_view ExtensionOf(std::string_view path) {
  std::size_t dot = mbcs::FindLast(path, '.');
  if (dot == std::string_view::npos) return {};
  return path.substr(dot + 1);
}

ExtensionRules::List::List(std::string text) : m_text(std::move(text)), m_starts(m_text.size(), '\0') {
  for (std::size_t i = 0; i < m_text.size(); i += mbcs::CharLength(m_text, i)) m_starts[i] = 1;
}

bool ExtensionRules::List::Contains(std::string_view s) const {
  std::string_view text(m_text);
  for (std::size_t pos = text.find(s); pos != std::string_view::npos; pos = text.find(s, pos + 1))
    if (m_starts[pos]) return true;
  return false;
}

EntryKind ExtensionRules::List::EngineAfter(std::string_view s) const {
  // Suffix ranks: (d) 0, (q) 1, (r) 2, (p) 3; the lowest found wins.
  static constexpr struct {
    char letter;
    EntryKind engine;
  } kSuffixes[] = {{'d', ENGINE_DIRECTSHOW}, {'q', ENGINE_QUICKTIME}, {'r', ENGINE_REALPLAYER}, {'p', ENGINE_PICTURE}};
  std::string_view text(m_text);
  int best = 4;
  for (std::size_t pos = text.find(s); pos != std::string_view::npos && best > 0; pos = text.find(s, pos + 1)) {
    if (!m_starts[pos]) continue;
    std::string_view rest = text.substr(pos + s.size());
    if (rest.size() < 3 || rest[0] != '(' || rest[2] != ')') continue;
    for (int rank = 0; rank < best; ++rank)
      if (rest[1] == kSuffixes[rank].letter) best = rank;
  }
  return best < 4 ? kSuffixes[best].engine : ENGINE_DIRECTSHOW;
}

ExtensionRules::ExtensionRules(const Settings& s)
    : ExtensionRules(s.extVideo, s.extAudio, s.extPicture, s.extOpen) {}

// The lists are lower-cased when the settings are loaded; they are lower-cased here again so that a list
// set by other means (the settings dialog, a test) follows the same rule.
ExtensionRules::ExtensionRules(std::string_view video, std::string_view audio, std::string_view picture,
                               std::string_view open)
    : m_lead(mbcs::LeadBytes::Current()),
      m_video(mbcs::LowerAscii(video)),
      m_audio(mbcs::LowerAscii(audio)),
      m_picture(mbcs::LowerAscii(picture)),
      m_open(mbcs::LowerAscii(open)),
      m_all(mbcs::LowerAscii(std::string(video) + std::string(audio) + std::string(picture))) {}

std::string_view ExtensionRules::Extension(std::string_view path) const {
  std::size_t dot = m_lead.FindLast(path, '.');
  return dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
}

std::string ExtensionRules::Lower(std::string_view s) const { return m_lead.LowerAscii(s); }

EntryKind ExtensionRules::Classify(std::string_view path, const ShortcutResolver& resolve, ShortcutTarget* target,
                                   std::wstring_view widePath) const {
  return ClassifyExtension(Extension(path), path, resolve, target, widePath);
}

EntryKind ExtensionRules::ClassifyExtension(std::string_view ext, std::string_view path,
                                            const ShortcutResolver& resolve, ShortcutTarget* target,
                                            std::wstring_view widePath) const {
  if (ext.empty()) return 0;
  return ClassifyLowered(Lower(ext), path, widePath, resolve, target, 0);
}

EntryKind ExtensionRules::ClassifyLowered(std::string_view ext, std::string_view path, std::wstring_view widePath,
                                          const ShortcutResolver& resolve, ShortcutTarget* target,
                                          int hops) const {
  if (ext.empty()) return 0;
  EntryKind kind = 0;
  if (ext == "lnk") {
    if (!resolve || hops >= kMaxShortcutHops) return 0;
    ShortcutTarget t = resolve(std::string(path), std::wstring(widePath));
    if (t.path.empty()) return 0;
    if (t.isFolder) {
      kind = KIND_FOLDER | KIND_VIA_SHORTCUT;
      if (target) *target = std::move(t);
      return kind;
    }
    const std::string targetExt = Lower(Extension(t.path));
    if (targetExt.empty()) return 0;
    kind = ClassifyLowered(targetExt, t.path, t.widePath, resolve, target, hops + 1);
    if (kind == 0) return 0;
    // A chain of shortcuts reports its last target; a single hop reports this one.
    if (target && targetExt != "lnk") *target = std::move(t);
    kind |= KIND_VIA_SHORTCUT;
    // The suffix step runs again with the extension "lnk"; it can only add an engine to a file kind that
    // has none yet (a folder shortcut or an engine already chosen by the target stays as it is).
    if (IsFileKind(kind) && KindEngine(kind) == 0) kind |= m_all.EngineAfter(ext);
    return kind;
  }
  for (const auto& [known, knownKind] : m_cache)
    if (known == ext) return knownKind;
  kind = ClassifyFileExtension(ext);
  if (m_cache.size() < kCacheSize) m_cache.emplace_back(ext, kind);
  return kind;
}

EntryKind ExtensionRules::ClassifyFileExtension(std::string_view ext) const {
  EntryKind kind = 0;
  if (m_video.Contains(ext))
    kind = KIND_VIDEO;
  else if (m_audio.Contains(ext))
    kind = KIND_AUDIO;
  else if (m_picture.Contains(ext))
    kind = KIND_PICTURE;
  else if (m_open.Contains(ext))
    kind = KIND_OPEN;
  else
    return 0;
  return kind | m_all.EngineAfter(ext);
}

EntryKind Classify(std::string_view path, const Settings& settings, const ShortcutResolver& resolve) {
  return ExtensionRules(settings).Classify(path, resolve);
}
