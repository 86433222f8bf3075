// The classification of any path by any four extension lists, through chains of shortcuts: the kind is
// one the program knows, follows the lists' plain rule, and does not depend on the snapshot's memory.

#include <fuzzer/FuzzedDataProvider.h>

#include "browser/Classify.h"
#include "config/Settings.h"
#include "FuzzSupport.h"

namespace {

// The lists' rule stated plainly: an extension is listed where it occurs starting at a character.
bool Listed(const std::string& list, const std::string& ext) {
  const std::vector<bool> starts = fuzz::CharacterStarts(list);
  for (std::size_t pos = list.find(ext); pos != std::string::npos; pos = list.find(ext, pos + 1))
    if (starts[pos]) return true;
  return false;
}

EntryKind ReferenceClass(const Settings& s, const std::string& ext) {
  if (Listed(mbcs::LowerAscii(s.extVideo), ext)) return KIND_VIDEO;
  if (Listed(mbcs::LowerAscii(s.extAudio), ext)) return KIND_AUDIO;
  if (Listed(mbcs::LowerAscii(s.extPicture), ext)) return KIND_PICTURE;
  if (Listed(mbcs::LowerAscii(s.extOpen), ext)) return KIND_OPEN;
  return 0;
}

bool KnownKind(EntryKind kind) {
  if (kind == 0) return true;
  if (kind == (KIND_FOLDER | KIND_VIA_SHORTCUT)) return true;
  const EntryKind engine = KindEngine(kind);
  return (kind & ~0xFF1u) == 0 && IsFileKind(kind) && KindClass(kind) != 0xB00 &&
         (engine == ENGINE_DIRECTSHOW || engine == ENGINE_QUICKTIME || engine == ENGINE_REALPLAYER ||
          engine == ENGINE_PICTURE);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Settings s;
  s.extVideo = in.ConsumeRandomLengthString(80);
  s.extAudio = in.ConsumeRandomLengthString(80);
  s.extPicture = in.ConsumeRandomLengthString(80);
  s.extOpen = in.ConsumeRandomLengthString(80);
  const std::string path = in.ConsumeRandomLengthString(300);
  std::vector<ShortcutTarget> targets;
  while (targets.size() < 12 && in.remaining_bytes() > 0) {
    ShortcutTarget t;
    t.isFolder = in.ConsumeBool();
    t.path = in.ConsumeRandomLengthString(40);
    targets.push_back(std::move(t));
  }

  std::size_t calls = 0;
  const ShortcutResolver resolve = [&](const std::string&, const std::wstring&) {
    return calls < targets.size() ? targets[calls++] : ShortcutTarget{};
  };
  const ExtensionRules rules(s);
  FUZZ_CHECK(rules.Extension(path) == ExtensionOf(path));
  ShortcutTarget target;
  target.path = "untouched";
  const EntryKind kind = rules.Classify(path, resolve, &target);
  FUZZ_CHECK(calls <= static_cast<std::size_t>(kMaxShortcutHops));
  FUZZ_CHECK(KnownKind(kind));
  const std::string ext = mbcs::LowerAscii(ExtensionOf(path));
  if (ext != "lnk") {
    FUZZ_CHECK(calls == 0 && target.path == "untouched");
    FUZZ_CHECK(KindClass(kind) == (ext.empty() ? 0 : ReferenceClass(s, ext)));
    // A second look, answered from the snapshot's memory, and a fresh snapshot agree.
    FUZZ_CHECK(rules.Classify(path, resolve) == kind);
    FUZZ_CHECK(Classify(path, s, resolve) == kind);
  } else if (kind == 0) {
    FUZZ_CHECK(target.path == "untouched");
  } else {
    FUZZ_CHECK(IsViaShortcut(kind));
  }
  return 0;
}
